# Cross-compiling for 32-bit Windows with Debian's MinGW-w64 (its posix-threads variant;
# the program starts no thread, so nothing of winpthread is linked in).
#
# Doubles are computed as the 64-bit build computes them, rounded to 53 bits at every
# step. Our code does its arithmetic in SSE2 (-msse2 -mfpmath=sse; every x86 processor
# that runs Windows 7 has SSE2). The C++ runtime is Debian's, built for the x87 unit:
# std::from_chars multiplies there, and with MinGW's default start-up (CRT_fp10.o, the
# x87 at 64-bit precision) a text such as -6.82971755055705e+26 read one bit off, twice
# rounded. CRT_fp8.o makes the start-up call msvcrt's _fpreset, which sets the x87 to
# 53-bit precision, Windows' own default and what MSVC-built programs run with; then the
# x87 rounds each product as SSE2 does (tests/windows/test_same_numbers.sh).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_EXE_LINKER_FLAGS_INIT "${CMAKE_FIND_ROOT_PATH}/lib/CRT_fp8.o")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
