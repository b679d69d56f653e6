# SPDX-License-Identifier: MIT
# The folder pane's windows, the folder dialog and the folder listing: part of
# the program's library, as they use the document and the application's state. Included by the top-level
# CMakeLists once that library exists.
target_sources(ovaline_app PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/folder_dlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/folder_lister.cpp
    ${CMAKE_CURRENT_LIST_DIR}/folder_names.cpp
    ${CMAKE_CURRENT_LIST_DIR}/folder_tree.cpp
    ${CMAKE_CURRENT_LIST_DIR}/jpeg_listing.cpp
    ${CMAKE_CURRENT_LIST_DIR}/my_view.cpp
    ${CMAKE_CURRENT_LIST_DIR}/thumb_sheet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/view_load.cpp
    ${CMAKE_CURRENT_LIST_DIR}/view_save.cpp
)
# Whether a file may be read, through access() where POSIX has it.
if(UNIX)
    target_sources(ovaline_app PRIVATE ${CMAKE_CURRENT_LIST_DIR}/readable_file_posix.cpp)
else()
    target_sources(ovaline_app PRIVATE ${CMAKE_CURRENT_LIST_DIR}/readable_file.cpp)
endif()
