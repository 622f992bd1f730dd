#!/usr/bin/env bash
# Start-up benchmark of the Windows programs under Wine 10 (scripts/wine10.sh), the Wine
# the tests run both programs on. For each program, 64-bit and 32-bit, three builds of
# the same toolchain, flags, resource and manifest, stripped, are started in turn:
#   program   the program as shipped (the rebar-weight target);
#   floor     the fair floor, bench/floor_win32.cpp: a bare window that registers
#             the program's two compiled-in faces and sets one label's font in them
#             before it shows;
#   controls  the fair floor with the program's fifteen other controls, at their
#             places, in their fonts, the list filled: what the controls alone cost;
#   plain     the bare window with its label in the system font.
# Each run is timed from process start to its window being mapped (bench/map_timer.cpp
# watching the root window for MapNotify), in interleaved turns on Xvfb with one
# wineserver kept up, so every run pays only its own process start. Each round prints
# the medians and each one's ratio to the fair floor; the target is program/floor <= 1.15.
# Then the timed builds of the program and of the two floors (start-up marks compiled
# in; each prints them and ends once shown) are run as many times as a round has turns,
# and the median of each mark is printed: where, inside each, the start-up goes.
#   bench/startup-windows.sh [turns] [rounds]   (default 15 turns a round, 3 rounds)
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"
turns="${1:-15}"
rounds="${2:-3}"

if [ -z "${BENCH_INNER:-}" ]; then
    scripts/setup.sh libx11-dev ninja-build debootstrap \
        g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
        g++-mingw-w64-i686-posix binutils-mingw-w64-i686 python3-pefile
    source scripts/source-date-epoch.sh
    for arch in x86_64 i686; do
        cmake -S . -B "build/bench-windows-$arch" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
            -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-$arch.cmake" \
            -DREBAR_BUILD_BENCH=ON -DREBAR_BUILD_TESTS=OFF >/dev/null
        cmake --build "build/bench-windows-$arch" --parallel \
            --target rebar-weight rebar-weight-timed fair_floor_win32 fair_floor_timed \
            controls_floor_win32 controls_floor_timed plain_win32 >/dev/null
    done
    cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DREBAR_BUILD_BENCH=ON \
        -DREBAR_BUILD_TESTS=OFF >/dev/null
    cmake --build build/bench --parallel --target map_timer >/dev/null
    scripts/wine10.sh prepare >/dev/null
    echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs)"
    exec env BENCH_INNER=1 scripts/wine10.sh run \
        xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" "$0" "$turns" "$rounds"
fi

# Inside Xvfb, with Wine 10 on PATH.
work="$(mktemp -d)"
export WINEPREFIX="$work/wine" WINEDEBUG=-all
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
echo "Wine: $(wine --version)"
wineboot --init >/dev/null 2>&1
wineserver -w
wineserver -p # stays up between runs

# The median of each start-up mark over the runs, in the order the marks come.
medians='
    { what = substr($0, index($0, $2)); if (!(what in seen)) { seen[what] = 1; order[++n] = what }
      t[what, ++c[what]] = $1 }
    END { for (i = 1; i <= n; ++i) { w = order[i]; k = c[w]
              for (a = 1; a <= k; ++a) v[a] = t[w, a]
              for (a = 1; a <= k; ++a) for (b = a + 1; b <= k; ++b) if (v[b] < v[a]) { x = v[a]; v[a] = v[b]; v[b] = x }
              m = (k % 2) ? v[(k + 1) / 2] : (v[k / 2] + v[k / 2 + 1]) / 2
              printf "%8.1f  %s\n", m, w } }'
status=0
for arch in x86_64 i686; do
    tree="build/bench-windows-$arch"
    built() { find "$tree" -name "$1" -not -path '*/CMakeFiles/*' | head -n 1; }
    for name in rebar-weight rebar-weight-timed fair_floor_win32 fair_floor_timed \
        controls_floor_win32 controls_floor_timed plain_win32; do
        "$arch-w64-mingw32-strip" --strip-all -o "$work/$arch-$name.exe" "$(built "$name.exe")"
    done
    for name in rebar-weight fair_floor_win32 controls_floor_win32 plain_win32; do
        printf '#!/bin/sh\nexec wine "%s"\n' "$work/$arch-$name.exe" >"$work/$arch-$name"
        chmod +x "$work/$arch-$name"
    done
    bits=64
    [ "$arch" = i686 ] && bits=32
    echo
    echo "== the $bits-bit program ($arch): program, fair floor, controls floor, plain window"
    "$root/build/bench/bench/map_timer" --time-target 1.15 "$rounds" "$turns" \
        "$work/$arch-rebar-weight" "$work/$arch-fair_floor_win32" \
        "$work/$arch-controls_floor_win32" "$work/$arch-plain_win32" \
        || status=1
    for timed in rebar-weight-timed fair_floor_timed controls_floor_timed; do
        echo "-- inside $timed ($bits-bit): median ms since the process was created, of $turns starts"
        for _ in $(seq "$turns"); do
            wine "$work/$arch-$timed.exe" | tr -d '\r'
        done | awk "$medians"
    done
done
exit "$status"
