# The settings tool on Windows: its Win32 window, message boxes, program chooser, folder and
# single copy around the core's NWMPset, and the program NorvalentWMP3set.exe with the folder
# "icon" beside it.
set(nwmp_tool_dir ${CMAKE_CURRENT_LIST_DIR})
add_library(nwmp_win_settings_tool STATIC
    ${nwmp_tool_dir}/win_message_boxes.cpp
    ${nwmp_tool_dir}/win_program_chooser.cpp
    ${nwmp_tool_dir}/win_program_folder.cpp
    ${nwmp_tool_dir}/win_settings_window.cpp
    ${nwmp_tool_dir}/win_single_copy.cpp
)
target_link_libraries(nwmp_win_settings_tool PUBLIC
    nwmp_core nwmp_win32 nwmp_win_association nwmp_windows_settings_file comctl32 comdlg32 gdi32 user32)
nwmp_warnings(nwmp_win_settings_tool)

add_executable(NorvalentWMP3set WIN32 ${nwmp_tool_dir}/main.cpp)
target_link_libraries(NorvalentWMP3set PRIVATE nwmp_win_settings_tool)
nwmp_warnings(NorvalentWMP3set)
add_dependencies(NorvalentWMP3set nwmp_win_association_icons)
