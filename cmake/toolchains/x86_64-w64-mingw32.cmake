# SPDX-License-Identifier: MIT
# 64-bit Windows (x64), with Debian's MinGW-w64.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(OVALINE_MINGW_TRIPLE x86_64-w64-mingw32)
# Debian's `wine` picks its 32-bit loader whenever wine32 is installed, and
# that one runs a 64-bit program only as the child of start.exe, which no
# signal reaches: 64-bit programs run under the 64-bit loader itself.
set(OVALINE_WINE_LOADER /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
