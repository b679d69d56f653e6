# SPDX-License-Identifier: MIT
# The Windows zip, build/windows-*/ovaline-<version>-win64.zip (win32 for the
# 32-bit build): Ovaline.dll with its import library Ovaline.lib and its
# export list Ovaline.def, ovaline-cli.exe, ovaline-unit.exe, the headers,
# the README and the LICENSE, in one folder of the same name.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(windows_bits win64)
else()
    set(windows_bits win32)
endif()
set(package_name ovaline-${PROJECT_VERSION}-${windows_bits})
set(package_zip ${CMAKE_BINARY_DIR}/${package_name}.zip)
set(staging ${CMAKE_BINARY_DIR}/package/${package_name})
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/package)

add_custom_command(OUTPUT ${package_zip}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${staging}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${staging}
    COMMAND ${CMAKE_COMMAND} -E copy
        $<TARGET_FILE:ovaline> $<TARGET_LINKER_FILE:ovaline> ${OVALINE_EXPORT_LIST}
        $<TARGET_FILE:ovaline-cli> $<TARGET_FILE:ovaline-unit>
        ${PROJECT_SOURCE_DIR}/device/include/ovaline.h
        ${PROJECT_SOURCE_DIR}/device/include/ovaline_fingerprint.h
        ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
        ${staging}
    COMMAND ${CMAKE_COMMAND} -E tar cf ${package_zip} --format=zip ${package_name}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/package
    DEPENDS ovaline ovaline-cli ovaline-unit
            ${PROJECT_SOURCE_DIR}/device/include/ovaline.h
            ${PROJECT_SOURCE_DIR}/device/include/ovaline_fingerprint.h
            ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
    COMMENT "Zipping ${package_name}.zip")
add_custom_target(windows-zip ALL DEPENDS ${package_zip})
