# SPDX-License-Identifier: MIT
# Where `cmake --install` puts the programs, the device library with its
# header and pkg-config file, the desktop entry, icons, AppStream metadata and
# manual pages. The Debian packages (debian/) split this tree among them.
# The library folder is chosen in OvalineInstallDirs.cmake, before any
# package search can fix it.
include(GNUInstallDirs)

set(OVALINE_APP_ID org.ovaline.Ovaline)

foreach(program ovaline-app ovaline-cli ovaline-unit)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
endforeach()

install(TARGETS ovaline
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} NAMELINK_SKIP)
install(TARGETS ovaline
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} NAMELINK_ONLY)
install(FILES ${PROJECT_SOURCE_DIR}/device/include/ovaline.h
              ${PROJECT_SOURCE_DIR}/device/include/ovaline_fingerprint.h
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

# The pkg-config file names the prefix the tree is installed under, which
# `cmake --install --prefix` and the package may choose after configuring.
install(CODE "
    set(OVALINE_PC_PREFIX \"\${CMAKE_INSTALL_PREFIX}\")
    set(OVALINE_PC_LIBDIR \"${CMAKE_INSTALL_LIBDIR}\")
    set(OVALINE_PC_INCLUDEDIR \"${CMAKE_INSTALL_INCLUDEDIR}\")
    set(PROJECT_VERSION \"${PROJECT_VERSION}\")
    configure_file(\"${PROJECT_SOURCE_DIR}/device/ovaline.pc.in\"
                   \"${PROJECT_BINARY_DIR}/install/ovaline.pc\" @ONLY)
")
install(FILES ${PROJECT_BINARY_DIR}/install/ovaline.pc
    DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

if(OVALINE_BUILD_APP)
    install(FILES ${PROJECT_SOURCE_DIR}/res/desktop/${OVALINE_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    configure_file(${PROJECT_SOURCE_DIR}/res/desktop/${OVALINE_APP_ID}.metainfo.xml.in
        ${PROJECT_BINARY_DIR}/install/${OVALINE_APP_ID}.metainfo.xml @ONLY)
    install(FILES ${PROJECT_BINARY_DIR}/install/${OVALINE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    foreach(size 16 32 48 256)
        install(FILES ${PROJECT_SOURCE_DIR}/res/icon/ovaline_${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${OVALINE_APP_ID}.png)
        install(FILES ${PROJECT_SOURCE_DIR}/res/icon/ovaline_${size}@2x.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}@2/apps
            RENAME ${OVALINE_APP_ID}.png)
    endforeach()
endif()

# Manual pages: roff sources in docs/man, given the version and compressed
# at build time.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(man_pages)
foreach(page ovaline ovaline-cli ovaline-unit)
    configure_file(${PROJECT_SOURCE_DIR}/docs/man/${page}.1.in
        ${PROJECT_BINARY_DIR}/man/${page}.1 @ONLY)
    add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/man/${page}.1.gz
        COMMAND ${GZIP_PROGRAM} -9nkf ${PROJECT_BINARY_DIR}/man/${page}.1
        DEPENDS ${PROJECT_BINARY_DIR}/man/${page}.1
        COMMENT "Compressing the manual page ${page}(1)")
    list(APPEND man_pages ${PROJECT_BINARY_DIR}/man/${page}.1.gz)
endforeach()
add_custom_target(man-pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
