# Cross-build for Windows with Debian's mingw-w64 compilers, posix thread model (the win32 model
# lacks std::mutex and std::thread, which the core and GoogleTest use). 64-bit unless
# NWMP_MINGW_PROCESSOR says i686 (cmake/mingw-w64-i686-posix.cmake).
set(CMAKE_SYSTEM_NAME Windows)
if(NOT DEFINED NWMP_MINGW_PROCESSOR)
    set(NWMP_MINGW_PROCESSOR x86_64)
endif()
set(CMAKE_SYSTEM_PROCESSOR ${NWMP_MINGW_PROCESSOR})

set(NWMP_MINGW_TRIPLET ${NWMP_MINGW_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER ${NWMP_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NWMP_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${NWMP_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${NWMP_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every program runs on a bare Windows: the C++ runtime and the thread library go inside.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Tests and build-time tools run under Wine, in the private prefix the test run makes.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run)
