#!/usr/bin/env bash
# Installs what is missing and runs every check, headless:
#   1. the core's suites and the Qt window's suites built with AddressSanitizer, UBSan
#      and LeakSanitizer;
#   2. the core and its suites in a tree where Qt cannot be found;
#   3. each fuzz target for a bounded time (FUZZ_SECONDS, default 30);
#   4. the whole build with warnings as errors, and every CTest test: unit, window,
#      the Debian package install and lintian, the library search path, the desktop
#      metadata;
#   5. the Windows program (scripts/windows.sh): plain Win32, cross-built with
#      MinGW-w64, its installer and zip, and their tests under Wine, at 100 %, 150 %
#      and 175 %, with DLLs planted beside the program and installer;
#   6. every shipped artefact built twice from two fresh clones (scripts/release.sh)
#      and compared byte for byte.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh clang libclang-rt-dev dpkg-dev xdotool appstream desktop-file-utils \
    binutils-mingw-w64-x86-64 lintian strace

echo "== Sanitizers: unit and window tests under ASan + UBSan + LSan"
cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DREBAR_SANITIZE=ON >/dev/null
cmake --build build/asan --parallel
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build/asan -L '^(unit|window)$' --output-on-failure --timeout 300

echo "== The core without Qt: its suites in a tree where Qt cannot be found"
cmake -S . -B build/core -DCMAKE_BUILD_TYPE=Debug -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build build/core --parallel
ctest --test-dir build/core -L '^unit$' --output-on-failure --timeout 300

echo "== Fuzzing"
scripts/fuzz.sh "${FUZZ_SECONDS:-30}"

echo "== Build with warnings as errors, and every test"
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build build/test --parallel
ctest --test-dir build/test --output-on-failure --timeout 300

echo "== Windows: cross build, installer, zip, tests under Wine"
scripts/windows.sh

echo "== Reproducible: the artefacts of two builds of this commit"
tests/reproducible/test_reproducible.sh
