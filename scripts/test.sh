#!/usr/bin/env bash
# Installs what is missing and runs every check, headless:
#   1. the core's suites and the Qt window's suites built with AddressSanitizer, UBSan
#      and LeakSanitizer;
#   2. each fuzz target for a bounded time (FUZZ_SECONDS, default 30), while the 32-bit
#      Windows tree builds on the core the fuzzers leave free;
#   3. the whole build with warnings as errors, and every CTest test: unit, window,
#      the Debian package install and lintian, the library search path, the desktop
#      metadata;
#   4. the web version (scripts/web.sh): the core compiled to WebAssembly, the page
#      written from the stored window, the site, the one-file page and the site's zip;
#      then its tests (ctest -L web): the book of scenarios in Chromium and in WebKit,
#      the page's own suite in headless Chromium, and the sweep built for wasm32-wasi
#      under Node.js against the Linux build;
#   5. the Windows programs (scripts/windows.sh): plain Win32, cross-built with
#      MinGW-w64 for x86-64 and i686, the installer and the zips, and their tests under
#      Debian 13's Wine 10 (scripts/wine10.sh, whose chroot is made or checked from the
#      start, beside the steps above), at 100 %, 150 % and 175 %, with DLLs planted
#      beside the programs and the installer;
#   6. every shipped artefact built twice from two fresh clones (scripts/release.sh)
#      and compared byte for byte; this runs beside the Wine rounds, which mostly wait
#      on windows and keys, at the lowest priority, so that they keep the CPU when they
#      want it.
# The core's suites also build and run in the Windows trees, where Qt is never looked
# for, and build/numbers configures the core on Linux with Qt turned off: a tree of its
# own for the core without Qt would repeat both.
# Needs root (or sudo) for apt and for Wine 10's chroot.
set -euo pipefail
cd "$(dirname "$0")/.."

# Everything from apt at once, before anything runs beside it.
scripts/setup.sh clang libclang-rt-dev dpkg-dev xdotool appstream desktop-file-utils \
    lintian strace nsis x11-utils locales ninja-build debootstrap \
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
    g++-mingw-w64-i686-posix binutils-mingw-w64-i686 python3-pefile python3-fonttools llvm-14 googletest \
    clang-14 lld-14 libc++-14-dev-wasm32 libc++abi-14-dev-wasm32 libclang-rt-14-dev-wasm32 wasi-libc \
    binaryen chromium chromium-driver webkit2gtk-driver nodejs matchbox-window-manager xclip

# Wine 10's chroot: mostly downloading and unpacking, so it is made beside the builds.
mkdir -p build
setsid -w nice -n 10 scripts/wine10.sh prepare >build/wine10-prepare.log 2>&1 &
wine10=$!
i686=""
reproducible=""
trap 'for job in $wine10 $i686 $reproducible; do kill -- -"$job" 2>/dev/null || true; done' EXIT
step() { echo "== [$(date +%T)] $*"; }

step "Sanitizers: unit and window tests under ASan + UBSan + LSan"
cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DREBAR_SANITIZE=ON >/dev/null
cmake --build build/asan --parallel
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build/asan -L '^(unit|window)$' --output-on-failure --timeout 300

step "Fuzzing, with the 32-bit Windows tree building beside it"
setsid -w nice -n 10 scripts/windows.sh --build i686 >build/windows-i686.log 2>&1 &
i686=$!
scripts/fuzz.sh "${FUZZ_SECONDS:-30}"
wait "$i686" || { tail -n 40 build/windows-i686.log; echo "FAIL: the 32-bit Windows build"; exit 1; }
i686=""

step "Build with warnings as errors, and every test"
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
    -DREBAR_WEB_REQUIRE=ON >/dev/null
cmake --build build/test --parallel
ctest --test-dir build/test --output-on-failure --timeout 300 -LE '^web$'

step "Web: the module, the page and the site"
scripts/web.sh
step "Web: the page in Chromium and WebKit, the sweep under Node.js"
cmake --build build/web --target number_sweep
ctest --test-dir build/test --output-on-failure --timeout 600 -L '^web$'

step "Wine 10"
wait "$wine10" || { tail -n 40 build/wine10-prepare.log; echo "FAIL: Wine 10's chroot could not be made"; exit 1; }
wine10=""
cat build/wine10-prepare.log

step "Windows: cross builds, installer, zips"
scripts/windows.sh --build all
step "Reproducible: the artefacts of two builds of this commit (beside the Wine rounds)"
setsid -w nice -n 19 tests/reproducible/test_reproducible.sh >build/reproducible.log 2>&1 &
reproducible=$!
step "Windows: tests under Wine"
scripts/windows.sh
step "Reproducible: waiting for the two builds"
wait "$reproducible" || { cat build/reproducible.log; echo "FAIL: reproducibility"; exit 1; }
reproducible=""
cat build/reproducible.log
step "Done"
