# SPDX-License-Identifier: MIT
# Run by cmake --install once vemdra.exe and the plugins are in the
# folder: copies in every DLL they import, and those DLLs import, that
# Windows does not have; strips every program and DLL; adds the licences.
# The variables come from packaging/windows/CMakeLists.txt.
#
# The DLLs are found by file(GET_RUNTIME_DEPENDENCIES) with objdump, which
# takes Windows' names as Windows does, whatever their case, and lowercases
# them: on this file system Qt6Core.dll would then not be found as
# qt6core.dll. So it looks in a folder of lowercase links to the DLLs of
# Qt and MinGW, and each link found names the file to copy.
set(folder "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")

set(links "${VEMDRA_DLL_LINKS}")
file(REMOVE_RECURSE "${links}")
file(MAKE_DIRECTORY "${links}")
foreach(dir IN LISTS VEMDRA_QT_DLL_DIR VEMDRA_MINGW_DLL_DIRS)
    file(GLOB dlls "${dir}/*.dll")
    foreach(dll IN LISTS dlls)
        get_filename_component(name "${dll}" NAME)
        string(TOLOWER "${name}" name)
        # The first folder that has a DLL wins, as on the search path.
        if(NOT EXISTS "${links}/${name}")
            file(CREATE_LINK "${dll}" "${links}/${name}" SYMBOLIC)
        endif()
    endforeach()
endforeach()

file(GLOB programs "${folder}/*.exe")
file(GLOB plugins "${folder}/*/*.dll")
# An import that is neither Windows' own nor found fails the install.
file(GET_RUNTIME_DEPENDENCIES
     EXECUTABLES ${programs}
     MODULES ${plugins}
     DIRECTORIES "${links}"
     PRE_EXCLUDE_REGEXES "^api-ms-win-" "^(${VEMDRA_WINDOWS_DLLS})\\.dll$"
     RESOLVED_DEPENDENCIES_VAR found)
foreach(link IN LISTS found)
    file(READ_SYMLINK "${link}" dll)
    get_filename_component(name "${dll}" NAME)
    message(STATUS "Installing: ${folder}/${name}")
    file(COPY "${dll}" DESTINATION "${folder}")
endforeach()

# Stripping writes a time into each file: the build's, so that every
# install of one build, the zip's and the installer's, is the same to the byte.
file(TIMESTAMP "${VEMDRA_PROGRAM}" built "%s" UTC)
file(GLOB_RECURSE programs "${folder}/*.exe" "${folder}/*.dll")
execute_process(COMMAND "${CMAKE_COMMAND}" -E env SOURCE_DATE_EPOCH=${built}
                        "${VEMDRA_STRIP}" --strip-unneeded ${programs}
                COMMAND_ERROR_IS_FATAL ANY)

execute_process(COMMAND "${VEMDRA_LICENSES_TOOL}" "${folder}" "${VEMDRA_QT_PREFIX}"
                        "${VEMDRA_QT_SOURCE_VERSION}" "${VEMDRA_TRANSLATIONS_SOURCE}"
                        ${VEMDRA_MINGW_DLL_DIRS}
                COMMAND_ERROR_IS_FATAL ANY)
