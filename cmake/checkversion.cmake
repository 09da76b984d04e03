# SPDX-License-Identifier: MIT
# Run by the version_copies test: the copies of the version that are
# written by hand (the changelog, the metainfo, the manual pages, the
# window titles, the title tst_frmmain expects and the benchmark's sample
# line, which quotes it) must say VERSION, the one project() and
# VEMDRA_VERSION_SUFFIX make. The Windows files are made from it.
#   cmake -D VERSION=1.2a -D SOURCE_DIR=.. -P checkversion.cmake
string(REPLACE "." "\\." version "${VERSION}")
set(failed FALSE)

# expect(FILE REGEX WHAT): FILE has a match for REGEX, in which the version
# is written as @V@.
function(expect file regex what)
    string(REPLACE "@V@" "${version}" regex "${regex}")
    file(READ "${SOURCE_DIR}/${file}" text)
    if(NOT text MATCHES "${regex}")
        message(SEND_ERROR "${file}: ${what} is not ${VERSION}")
        set(failed TRUE PARENT_SCOPE)
    endif()
endfunction()

expect(packaging/linux/changelog "^vemdra \\(@V@\\) " "the newest entry")
expect(packaging/linux/org.example.vemdra.metainfo.xml
       "<releases>[ \t\n]*<release version=\"@V@\"" "the newest release")
expect(packaging/linux/vemdra.1 "\n\\.TH VEMDRA 1 [0-9-]+ \"Vemdra @V@\"" "the .TH line")
expect(packaging/linux/vemdra.zh_CN.1 "\n\\.TH VEMDRA 1 [0-9-]+ \"Vemdra @V@\"" "the .TH line")
expect(app/frmmain.ui "<string>Vemdra v@V@ \\(" "the window title")
expect(app/frmabout.ui "<string>关于 Ver@V@</string>" "the window title")
expect(app/frmabout.ui "<string>Vemdra v@V@</string>" "the program's name line")
expect(tests/tst_frmmain.cpp "QStringLiteral\\(\"Vemdra v@V@ \\(" "the title it expects")
expect(bench/main.cpp "Vemdra v@V@，" "the sample line")

if(failed)
    message(FATAL_ERROR "change these copies to ${VERSION}, or the version in CMakeLists.txt")
endif()
