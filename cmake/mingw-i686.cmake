# Cross build of the 32-bit Windows program, the one we ship.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(OSTREL_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
