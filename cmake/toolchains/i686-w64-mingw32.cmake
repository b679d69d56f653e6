# SPDX-License-Identifier: MIT
# 32-bit Windows (x86), with Debian's MinGW-w64.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(OVALINE_MINGW_TRIPLE i686-w64-mingw32)
set(OVALINE_WINE_LOADER /usr/lib/wine/wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
