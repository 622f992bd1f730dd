# Cross-compiling the core and the web front-end to WebAssembly with Debian's clang 14
# and lld 14, against Debian's wasi-libc, libc++-14-dev-wasm32 and
# libc++abi-14-dev-wasm32 (their headers and libraries sit in the compiler's default
# wasm32-wasi sysroot, /usr/include/wasm32-wasi and /usr/lib/wasm32-wasi). Debian's
# libc++abi for wasm32 has no exception runtime, so nothing is built with exceptions.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(CMAKE_EXECUTABLE_SUFFIX ".wasm")

set(CMAKE_C_COMPILER clang-14)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_C_COMPILER_TARGET wasm32-wasi)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
set(CMAKE_AR llvm-ar-14)
set(CMAKE_RANLIB llvm-ranlib-14)

set(CMAKE_CXX_FLAGS_INIT "-fno-exceptions -fno-rtti")
# A library module for the page ("reactor"): no main, static constructors run by
# _initialize; lld links it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -mexec-model=reactor")

set(CMAKE_FIND_ROOT_PATH /usr/lib/wasm32-wasi /usr/include/wasm32-wasi)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The compiler checks link a test program, which a reactor module without exports
# still is.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
