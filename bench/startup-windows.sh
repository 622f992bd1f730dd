#!/usr/bin/env bash
# Start-up benchmark of the Windows program under Wine, by bench/startup.sh's method:
# the time from process start to its window being mapped (bench/map_timer.cpp watching
# the root window for MapNotify), runs interleaved, medians of per-turn ratios. Two
# programs from the same toolchain:
#   program  dist's rebar-weight-win64.exe, as shipped (stripped);
#   plain    bench/plain_win32.cpp, a bare Win32 window with one STATIC label, built
#            the same way: the program's resource and manifest, flags, stripped.
# Xvfb and a fresh Wine prefix with a persistent wineserver, so every run pays only its
# own process start. Each round prints the medians and program/plain.
#   bench/startup-windows.sh [runs] [rounds]   (default 30 turns a round, 3 rounds)
# BENCH_PROGRAM_EXE puts another build in the program's place.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"
runs="${1:-30}"
rounds="${2:-3}"

if [ -z "${BENCH_INNER:-}" ]; then
    scripts/setup.sh libx11-dev xvfb xauth wine wine64 fonts-wine ninja-build \
        g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 python3-pefile nsis
    source scripts/source-date-epoch.sh
    cmake -S . -B build/bench-windows -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
        -DREBAR_BUILD_BENCH=ON -DREBAR_BUILD_TESTS=OFF >/dev/null
    cmake --build build/bench-windows --parallel --target windows_dist plain_win32 >/dev/null
    cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DREBAR_BUILD_BENCH=ON \
        -DREBAR_BUILD_TESTS=OFF >/dev/null
    cmake --build build/bench --parallel --target map_timer >/dev/null
    echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs)"
    echo "Wine: $(wine --version 2>/dev/null)"
    exec env BENCH_INNER=1 xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" "$0" "$runs" "$rounds"
fi

work="$(mktemp -d)"
export WINEPREFIX="$work/wine" WINEDEBUG=-all
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
wineboot --init >/dev/null 2>&1
wineserver -w
wineserver -p # stays up between runs

strip=x86_64-w64-mingw32-strip
built() { find build/bench-windows -name "$1" -not -path '*/CMakeFiles/*' | head -n 1; }
cp "${BENCH_PROGRAM_EXE:-build/bench-windows/dist/rebar-weight-win64.exe}" "$work/program.exe"
"$strip" --strip-all -o "$work/plain.exe" "$(built plain_win32.exe)"
for name in program plain; do
    printf '#!/bin/sh\nexec wine "%s"\n' "$work/$name.exe" >"$work/$name"
    chmod +x "$work/$name"
done
"$root/build/bench/bench/map_timer" "$rounds" "$runs" "$work/program" "$work/plain"
