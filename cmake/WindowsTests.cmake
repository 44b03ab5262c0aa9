# Tests of the Windows build: GoogleTest built from Debian's sources with the cross compiler, and
# every test program run under Wine in a private prefix that the test run makes once.

set(NWMP_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources (Debian: googletest)")
if(NOT EXISTS ${NWMP_GOOGLETEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest sources at ${NWMP_GOOGLETEST_SOURCE}: install googletest")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${NWMP_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(gtest_target gtest gtest_main gmock gmock_main)
    if(NOT TARGET GTest::${gtest_target})
        add_library(GTest::${gtest_target} ALIAS ${gtest_target})
    endif()
endforeach()

# A 32-bit build runs in a 32-bit prefix (Debian's wine32), as on 32-bit Windows; a 64-bit one
# in a 64-bit prefix. Wine refuses a program whose prefix has the other architecture.
set(NWMP_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(NWMP_WINE_ARCH win32)
else()
    set(NWMP_WINE_ARCH win64)
endif()
add_test(NAME wine_prefix_make
         COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-prefix make ${NWMP_WINE_PREFIX})
add_test(NAME wine_prefix_end COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-prefix end ${NWMP_WINE_PREFIX})
set_tests_properties(wine_prefix_make PROPERTIES
    FIXTURES_SETUP wine TIMEOUT 300 ENVIRONMENT WINEARCH=${NWMP_WINE_ARCH})
set_tests_properties(wine_prefix_end PROPERTIES
    FIXTURES_CLEANUP wine ENVIRONMENT WINEARCH=${NWMP_WINE_ARCH})

# nwmp_add_wine_test(TARGET): the whole test program as one CTest test (Wine is slow to start,
# so one process per program). Every one runs with the test display: the prefix's one desktop
# process starts with the first program that needs it, and one started without a display would
# leave every later window in the prefix without one.
function(nwmp_add_wine_test target)
    add_test(NAME ${target} COMMAND ${target})
    set_tests_properties(${target} PROPERTIES
        FIXTURES_REQUIRED wine TIMEOUT 300
        ENVIRONMENT "WINEPREFIX=${NWMP_WINE_PREFIX};WINEARCH=${NWMP_WINE_ARCH}")
endfunction()
