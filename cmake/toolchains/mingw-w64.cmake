# SPDX-License-Identifier: MIT
# Cross-compiling for Windows with Debian's MinGW-w64, for the toolchain
# file of one target that sets OVALINE_MINGW_TRIPLE and OVALINE_WINE_LOADER
# and includes this. The compilers of the POSIX thread model are the ones
# with std::thread; the runtime is linked in statically, so the programs
# need no DLL of MinGW. Programs built here run under that Wine loader.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${OVALINE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${OVALINE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${OVALINE_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${OVALINE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -static)

set(CMAKE_CROSSCOMPILING_EMULATOR ${OVALINE_WINE_LOADER})
