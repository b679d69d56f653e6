# SPDX-License-Identifier: MIT
# The translations: one Qt Linguist file per language in res/translations.
# The program gets .qm files made by lrelease (res/), the command-line client
# a table made by i18n/ts_tool.py (i18n/). The target `translations` (`make
# translations`) brings the files up to date with the sources.
file(GLOB OVALINE_TS_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/res/translations/*.ts)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(OVALINE_TS_TOOL ${PROJECT_SOURCE_DIR}/i18n/ts_tool.py)

if(TARGET Qt6::Core)
    set(qt_bin_hints /usr/lib/qt6/bin)
    if(QT6_INSTALL_PREFIX AND QT6_INSTALL_BINS)
        list(PREPEND qt_bin_hints ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS})
    endif()
    # Qt 5's tools may come first on the PATH: Qt 6's own are looked for first.
    find_program(OVALINE_LUPDATE lupdate HINTS ${qt_bin_hints} NO_DEFAULT_PATH)
    find_program(OVALINE_LUPDATE lupdate)
    find_program(OVALINE_LRELEASE lrelease HINTS ${qt_bin_hints} NO_DEFAULT_PATH)
    find_program(OVALINE_LRELEASE lrelease)
endif()

if(OVALINE_LUPDATE)
    add_custom_target(translations
        COMMAND ${CMAKE_COMMAND} -E env LUPDATE=${OVALINE_LUPDATE}
                ${PROJECT_SOURCE_DIR}/scripts/update-translations ${OVALINE_TS_FILES}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        COMMENT "Bringing res/translations up to date with the sources"
        VERBATIM)
endif()
