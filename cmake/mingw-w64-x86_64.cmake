# SPDX-License-Identifier: MIT
# Cross-builds for 64-bit Windows with Debian's MinGW-w64 compilers, the
# posix thread model (std::thread and std::mutex need it). Used for Qt
# itself and for Vemdra; VEMDRA_QT_PREFIX names the Qt built for Windows
# (scripts/windows passes it), which is searched like the MinGW sysroot.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VEMDRA_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VEMDRA_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VEMDRA_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${VEMDRA_MINGW}-windres)
set(CMAKE_AR ${VEMDRA_MINGW}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${VEMDRA_MINGW}-ranlib CACHE FILEPATH "")
set(CMAKE_STRIP ${VEMDRA_MINGW}-strip CACHE FILEPATH "")
set(CMAKE_OBJDUMP ${VEMDRA_MINGW}-objdump CACHE FILEPATH "")

# try_compile() projects read this file again: hand the prefix on.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VEMDRA_QT_PREFIX)

set(CMAKE_FIND_ROOT_PATH /usr/${VEMDRA_MINGW})
if(VEMDRA_QT_PREFIX)
    list(APPEND CMAKE_FIND_ROOT_PATH ${VEMDRA_QT_PREFIX})
endif()
# Programs (moc, uic, rcc, wine) come from the build machine; libraries,
# headers and CMake packages only from the Windows side.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
