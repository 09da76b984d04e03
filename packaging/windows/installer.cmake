# SPDX-License-Identifier: MIT
# Run by the installer target: installs the build into STAGE, names every
# file of it for the NSIS script (installer-files.nsh beside STAGE) and runs
# makensis on SCRIPT to make OUTFILE.
#   cmake -D BUILD_DIR=.. -D STAGE=.. -D MAKENSIS=.. -D SCRIPT=.. -D OUTFILE=..
#         -P installer.cmake
file(REMOVE_RECURSE "${STAGE}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${STAGE}"
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)

file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${STAGE}" "${STAGE}/*")
file(GLOB_RECURSE folders LIST_DIRECTORIES true RELATIVE "${STAGE}" "${STAGE}/*")
list(REMOVE_ITEM folders ${files})
list(SORT files)
list(SORT folders)

# $INSTDIR\a\b for a/b.
function(nsis_path path out)
    string(REPLACE "/" "\\" path "${path}")
    if(path STREQUAL "")
        set(${out} "$INSTDIR" PARENT_SCOPE)
    else()
        set(${out} "$INSTDIR\\${path}" PARENT_SCOPE)
    endif()
endfunction()

set(size 0)
set(list "!macro VEMDRA_INSTALL_FILES\n")
foreach(folder "" ${folders})
    nsis_path("${folder}" target)
    string(APPEND list "    SetOutPath \"${target}\"\n")
    foreach(file IN LISTS files)
        get_filename_component(parent "${file}" DIRECTORY)
        if(parent STREQUAL folder)
            string(APPEND list "    File \"${STAGE}/${file}\"\n")
            file(SIZE "${STAGE}/${file}" bytes)
            math(EXPR size "${size} + ${bytes}")
        endif()
    endforeach()
endforeach()
string(APPEND list "!macroend\n!macro VEMDRA_REMOVE_FILES\n")
foreach(file IN LISTS files)
    nsis_path("${file}" target)
    string(APPEND list "    Delete \"${target}\"\n")
endforeach()
list(REVERSE folders)
foreach(folder IN LISTS folders)
    nsis_path("${folder}" target)
    string(APPEND list "    RMDir \"${target}\"\n")
endforeach()
string(APPEND list "!macroend\n")
get_filename_component(list_file "${STAGE}/../installer-files.nsh" ABSOLUTE)
file(WRITE "${list_file}" "${list}")

math(EXPR size_kb "(${size} + 1023) / 1024")
execute_process(COMMAND "${MAKENSIS}" -V2 -INPUTCHARSET UTF8
                        "-DSTAGE=${STAGE}" "-DFILES=${list_file}" "-DOUTFILE=${OUTFILE}"
                        "-DSIZE_KB=${size_kb}" "${SCRIPT}"
                COMMAND_ERROR_IS_FATAL ANY)
