# SPDX-License-Identifier: MIT
# The no_run_path test: PROGRAM carries no RPATH or RUNPATH. Everything it
# links is the system's, and an empty entry in one means the current
# folder, where any library lying about would be loaded in place of the
# system's.
execute_process(COMMAND readelf --dynamic ${PROGRAM}
                OUTPUT_VARIABLE dynamic ERROR_VARIABLE problem RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "readelf could not read ${PROGRAM}: ${problem}")
endif()
if(dynamic MATCHES "\\((RPATH|RUNPATH)\\)[^\n]*")
    message(FATAL_ERROR "${PROGRAM} has a library search path:\n${CMAKE_MATCH_0}")
endif()
