# SPDX-License-Identifier: MIT
# What the Windows build takes from elsewhere, all from Debian: TurboJPEG
# built from Debian's source of libjpeg-turbo (Debian ships no Windows build
# of it) and, for the tests, GoogleTest from Debian's source package. Each is
# compiled with this build's own toolchain.
include(ExternalProject)

# TurboJPEG, static and without SIMD (which would need an assembler): the
# camera's small pictures do not need the speed. Only its library is built.
set(turbojpeg_source ${CMAKE_BINARY_DIR}/debian-source/libjpeg-turbo)
set(turbojpeg_build ${CMAKE_BINARY_DIR}/turbojpeg)
ExternalProject_Add(turbojpeg_windows
    DOWNLOAD_COMMAND ${PROJECT_SOURCE_DIR}/scripts/debian-source libjpeg-turbo ${turbojpeg_source}
    SOURCE_DIR ${turbojpeg_source}
    BINARY_DIR ${turbojpeg_build}
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE} -DCMAKE_BUILD_TYPE=Release
               -DCMAKE_INSTALL_PREFIX=${turbojpeg_build}/unused -DENABLE_SHARED=OFF
               -DWITH_SIMD=OFF -DWITH_JAVA=OFF -Wno-dev
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${turbojpeg_build} --target turbojpeg-static
    BUILD_BYPRODUCTS ${turbojpeg_build}/libturbojpeg.a
    INSTALL_COMMAND ""
    LOG_DOWNLOAD ON
    LOG_CONFIGURE ON
    LOG_BUILD ON
    LOG_OUTPUT_ON_FAILURE ON)
# The header is read from the source, which exists only once the build has
# fetched it: the folder is made now so that the target can name it.
file(MAKE_DIRECTORY ${turbojpeg_source})
add_library(TurboJPEG::TurboJPEG STATIC IMPORTED GLOBAL)
set_target_properties(TurboJPEG::TurboJPEG PROPERTIES
    IMPORTED_LOCATION ${turbojpeg_build}/libturbojpeg.a
    INTERFACE_INCLUDE_DIRECTORIES ${turbojpeg_source})
add_dependencies(TurboJPEG::TurboJPEG turbojpeg_windows)

if(OVALINE_BUILD_TESTS)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()
