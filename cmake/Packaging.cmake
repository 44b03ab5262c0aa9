# The installed layout and its packages, made by `cmake --build --preset default --target package`.
#
# Linux: one Debian package. The five programs and the folder "icon" lie together in
# /usr/lib/norvalent-wmp3, where they share their folder as the programs expect, with commands in
# /usr/bin, a menu entry per program, icons in the hicolor theme and AppStream metadata.
#
# Windows: the archive of the four players, the tool and its "icon" folder is
# cmake/PackagingWindows.cmake, in the Windows build.

# The package's version is the project's; nothing else names it.
set(NWMP_RELEASE_DATE 2026-12-07)
set(NWMP_DEBIAN_VERSION ${PROJECT_VERSION}-1)
set(NWMP_MAINTAINER "Norvalent WMP 3 TE developers <nwmp3@norvalent.jp>")
set(NWMP_APPSTREAM_ID jp.norvalent.wmp3)

set(NWMP_PACKAGE_FOLDER lib/norvalent-wmp3)
set(NWMP_PLAYERS NorvalentWMP3TE NorvalentWMP3TEPemra NorvalentWMP3TEKOVEX NorvalentWMP3TEDask)
set(NWMP_PROGRAMS ${NWMP_PLAYERS} NorvalentWMP3set)
set(nwmp_staging ${CMAKE_BINARY_DIR}/packaging)
set(nwmp_sources ${CMAKE_SOURCE_DIR}/packaging/linux)

# The programs and their icon folder, together.
install(TARGETS ${NWMP_PROGRAMS} RUNTIME DESTINATION ${NWMP_PACKAGE_FOLDER})
install(DIRECTORY ${CMAKE_BINARY_DIR}/bin/icon/ DESTINATION ${NWMP_PACKAGE_FOLDER}/icon
        FILES_MATCHING PATTERN "*.ico")

# Commands: links into the program folder. The programs resolve the link to find their folder.
foreach(program IN LISTS NWMP_PROGRAMS)
    file(MAKE_DIRECTORY ${nwmp_staging}/bin)
    file(CREATE_LINK ../${NWMP_PACKAGE_FOLDER}/${program} ${nwmp_staging}/bin/${program} SYMBOLIC)
endforeach()
install(DIRECTORY ${nwmp_staging}/bin/ DESTINATION bin)

# Menu entries. The players' MIME types come from the settings tool's association slots.
add_executable(nwmp-desktop-entry-types ${nwmp_sources}/desktop_entry_types.cpp)
target_link_libraries(nwmp-desktop-entry-types PRIVATE nwmp_core nwmp_linux_association)
set_target_properties(nwmp-desktop-entry-types
    PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
nwmp_warnings(nwmp-desktop-entry-types)

set(nwmp_package_files)
function(nwmp_player_entry id command name name_ja comment comment_ja)
    set(NWMP_ENTRY_COMMAND ${command})
    set(NWMP_ENTRY_NAME ${name})
    set(NWMP_ENTRY_NAME_JA ${name_ja})
    set(NWMP_ENTRY_COMMENT ${comment})
    set(NWMP_ENTRY_COMMENT_JA ${comment_ja})
    set(template ${nwmp_staging}/templates/norvalent-wmp3-${id}.desktop.in)
    set(entry ${nwmp_staging}/applications/norvalent-wmp3-${id}.desktop)
    configure_file(${nwmp_sources}/applications/player.desktop.in ${template} @ONLY)
    add_custom_command(OUTPUT ${entry}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${nwmp_staging}/applications
        COMMAND nwmp-desktop-entry-types ${template} ${entry}
        DEPENDS nwmp-desktop-entry-types ${template}
        COMMENT "Writing the menu entry ${id}")
    set(nwmp_package_files ${nwmp_package_files} ${entry} PARENT_SCOPE)
endfunction()

nwmp_player_entry(standard NorvalentWMP3TE
    "Norvalent WMP 3 TE" "Norvalent WMP 3 TE 標準版"
    "Play a video or music file in a window that remembers its size and place"
    "ウィンドウの大きさと位置を記憶して動画や音楽を再生します")
nwmp_player_entry(pemra NorvalentWMP3TEPemra
    "Norvalent WMP 3 TE Pemra" "Norvalent WMP 3 TE Pemra版"
    "The player with every feature: open-file dialog, volume, balance, seek and skip"
    "ファイルを開くダイアログ、音量、バランス、シーク、スキップを備えたプレーヤー")
nwmp_player_entry(kovex NorvalentWMP3TEKOVEX
    "Norvalent WMP 3 TE KOVEX" "Norvalent WMP 3 TE KOVEX版"
    "A compact player window without a control bar"
    "コントロールバーのない小さなプレーヤー")
nwmp_player_entry(dask NorvalentWMP3TEDask
    "Norvalent WMP 3 TE Dask" "Norvalent WMP 3 TE Dask版"
    "A borderless player over the whole screen"
    "画面全体に表示する枠のないプレーヤー")
configure_file(${nwmp_sources}/applications/settings.desktop.in
    ${nwmp_staging}/applications/norvalent-wmp3-settings.desktop COPYONLY)
install(DIRECTORY ${nwmp_staging}/applications/ DESTINATION share/applications
        FILES_MATCHING PATTERN "*.desktop")

# Icons at the theme's usual sizes, drawn from the scalable pictures.
set(NWMP_ICON_SIZES 16 22 24 32 48 64 128 256)
find_program(NWMP_RSVG_CONVERT rsvg-convert)
foreach(icon norvalent-wmp3 norvalent-wmp3-settings)
    set(picture ${nwmp_sources}/icons/${icon}.svg)
    install(FILES ${picture} DESTINATION share/icons/hicolor/scalable/apps)
    foreach(size IN LISTS NWMP_ICON_SIZES)
        set(folder ${nwmp_staging}/icons/hicolor/${size}x${size}/apps)
        add_custom_command(OUTPUT ${folder}/${icon}.png
            COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
            COMMAND ${NWMP_RSVG_CONVERT} -w ${size} -h ${size} -o ${folder}/${icon}.png ${picture}
            DEPENDS ${picture}
            COMMENT "Drawing the icon ${icon} at ${size} pixels")
        list(APPEND nwmp_package_files ${folder}/${icon}.png)
    endforeach()
endforeach()
install(DIRECTORY ${nwmp_staging}/icons/ DESTINATION share/icons FILES_MATCHING PATTERN "*.png")

# AppStream metadata and the package's documents.
configure_file(${nwmp_sources}/metainfo.xml.in
    ${nwmp_staging}/metainfo/${NWMP_APPSTREAM_ID}.metainfo.xml @ONLY)
install(FILES ${nwmp_staging}/metainfo/${NWMP_APPSTREAM_ID}.metainfo.xml DESTINATION share/metainfo)

execute_process(COMMAND date -R -u -d "${NWMP_RELEASE_DATE} 12:00:00"
    OUTPUT_VARIABLE NWMP_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE)
configure_file(${nwmp_sources}/changelog.in ${nwmp_staging}/doc/changelog.Debian @ONLY)
add_custom_command(OUTPUT ${nwmp_staging}/doc/changelog.Debian.gz
    COMMAND gzip -9nkf ${nwmp_staging}/doc/changelog.Debian
    DEPENDS ${nwmp_staging}/doc/changelog.Debian
    COMMENT "Compressing the package's change log")
list(APPEND nwmp_package_files ${nwmp_staging}/doc/changelog.Debian.gz)
install(FILES ${nwmp_staging}/doc/changelog.Debian.gz ${nwmp_sources}/copyright
        DESTINATION share/doc/norvalent-wmp3)

include(${CMAKE_SOURCE_DIR}/docs/user/UserDocuments.cmake)
nwmp_user_documents_debian(nwmp_package_files)

if(NWMP_RSVG_CONVERT)
    add_custom_target(nwmp_package_files ALL DEPENDS ${nwmp_package_files})
else()
    # Everyone else builds without the icon renderer; only the package needs it.
    add_custom_target(nwmp_package_files DEPENDS ${nwmp_package_files})
    install(CODE "message(FATAL_ERROR \"rsvg-convert draws the package's icons: run tools/setup-debian.sh\")")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME norvalent-wmp3)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Norvalent WMP 3 TE developers")
set(CPACK_PACKAGE_CONTACT ${NWMP_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small media player that remembers its window and place")
# Lines of the description stay within the 80 columns of a terminal.
set(CPACK_PACKAGE_DESCRIPTION "A Japanese-language desktop media player in four editions, and
the settings tool they share. The player remembers its size and place, sizes
the picture against the video or the screen, stays on top when asked, keeps
the screen saver away while it plays, resumes the last file where it stopped
and shows what is playing in its title bar.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${NWMP_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The association runs these to make file managers see new entries and types at once.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "desktop-file-utils, shared-mime-info")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
