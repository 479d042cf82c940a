# Cross-compiling for i686 Windows with Debian's mingw-w64 compilers. The -posix variants carry the
# C++11 thread model that std::thread and FluidSynth's threads need.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# SSE2 arithmetic instead of the x87 unit: every float and double rounds as on x86-64, so both Windows builds
# and the Linux build compute the same samples. Hosts may call with a stack aligned to 4 bytes only, so
# functions that keep SSE values on the stack realign it. The 32-bit C run-time's malloc aligns to 8 bytes
# only, while the compiler assumes 16: objects holding SSE values (the reverb's lanes) must come from the
# aligned operator new, so the compiler is told the truth.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign -faligned-new=8")
