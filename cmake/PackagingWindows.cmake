# The Windows archive, made by `cmake --build --preset windows --target package`: the four
# players, the settings tool and the tool's folder "icon", together in one folder as the programs
# expect (each finds nwmpset.ini and the tool beside itself). Every program is linked statically,
# so nothing else goes with them. One archive per architecture: -windows-x64 from the windows
# preset, -windows-x86 from windows-x86, for 32-bit Windows.

set(NWMP_WINDOWS_PROGRAMS_SHIPPED
    NorvalentWMP3TE NorvalentWMP3TEPemra NorvalentWMP3TEKOVEX NorvalentWMP3TEDask NorvalentWMP3set)

install(TARGETS ${NWMP_WINDOWS_PROGRAMS_SHIPPED} RUNTIME DESTINATION .)
install(DIRECTORY ${CMAKE_BINARY_DIR}/bin/icon/ DESTINATION icon FILES_MATCHING PATTERN "*.ico")
include(${CMAKE_SOURCE_DIR}/docs/user/UserDocuments.cmake)
nwmp_user_documents_windows()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME NorvalentWMP3)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Norvalent WMP 3 TE developers")
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(nwmp_windows_architecture x86)
else()
    set(nwmp_windows_architecture x64)
endif()
set(CPACK_PACKAGE_FILE_NAME NorvalentWMP3-${PROJECT_VERSION}-windows-${nwmp_windows_architecture})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
set(CPACK_STRIP_FILES ON)
include(CPack)
