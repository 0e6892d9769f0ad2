# CMake toolchain file: 64-bit Windows programs built on Debian with MinGW-w64 (the posix threads
# flavour, package g++-mingw-w64-x86-64-posix), run under Wine wherever the build runs them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Headers and libraries of the target only; programs (the build's own tools) of this machine.
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ runtimes and winpthread linked into each .exe, so that it runs without MinGW's
# DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# CTest, and anything else that runs a built program, runs it under Wine (packages wine64 and
# wine). The caller chooses the prefix with WINEPREFIX.
find_program(ZOMA_WINE NAMES wine wine64)
if(ZOMA_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${ZOMA_WINE})
endif()
