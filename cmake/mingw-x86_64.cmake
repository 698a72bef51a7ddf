# Cross build for 64-bit Windows. It exists to run the unit tests where a pointer no longer
# fits in 32 bits (under a win64 Wine prefix); the shipped program stays 32-bit.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(OSTREL_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
