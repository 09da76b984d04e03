# SPDX-License-Identifier: MIT
# Run by the installed_tree test: cmake --install into PREFIX, then check
# that every file a desktop needs is where it looks for it, that the
# licence, changelog and manual pages are installed, and that
# AppStream finds the menu entry and the icon from the metainfo file.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                OUTPUT_QUIET RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected
    "${BINDIR}/vemdra"
    "${DATADIR}/applications/${APP_ID}.desktop"
    "${DATADIR}/metainfo/${APP_ID}.metainfo.xml"
    "${DATADIR}/icons/hicolor/scalable/apps/vemdra.svg"
    "${DOCDIR}/copyright"
    "${DOCDIR}/changelog.gz"
    "${MANDIR}/man1/vemdra.1.gz"
    "${MANDIR}/zh_CN/man1/vemdra.1.gz")
foreach(size 16 24 32 48)
    list(APPEND expected "${DATADIR}/icons/hicolor/${size}x${size}/apps/vemdra.png")
endforeach()
foreach(path IN LISTS expected)
    if(NOT EXISTS "${PREFIX}/${path}")
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()

execute_process(COMMAND "${APPSTREAMCLI}" validate-tree --no-net "${PREFIX}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "appstreamcli validate-tree failed: ${result}")
endif()
