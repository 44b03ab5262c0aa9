# Cross-build for 32-bit Windows: the same programs for the PCs that run nothing else, and for the
# 32-bit media player control every Windows with the media player carries.
set(NWMP_MINGW_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-posix.cmake)
