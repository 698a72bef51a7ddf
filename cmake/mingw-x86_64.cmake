# Cross build for 64-bit Windows with MinGW-w64 (posix threads, which GoogleTest needs). It
# exists to run the unit tests where a pointer no longer fits in 32 bits; the shipped program
# stays 32-bit.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# CTest runs the test programs under Wine; the scripts set WINEPREFIX (a win64 prefix) and DISPLAY.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)

# The runtimes are linked in: the programs need no DLL of ours or of the compiler's.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
