# SPDX-License-Identifier: MIT
# Libraries go into the multiarch folder (lib/x86_64-linux-gnu on Debian)
# whatever the prefix, so that the package puts them where the system looks.
# Included right after project(), before anything else includes
# GNUInstallDirs with its own default.
if(CMAKE_LIBRARY_ARCHITECTURE AND NOT DEFINED CACHE{CMAKE_INSTALL_LIBDIR})
    set(CMAKE_INSTALL_LIBDIR lib/${CMAKE_LIBRARY_ARCHITECTURE}
        CACHE PATH "Object code libraries (lib)")
endif()
