#!/usr/bin/env bash
# Start-up benchmark: time from process start to window mapped, and peak memory, of
# the calculator against a one-label Qt window, under Xvfb, runs interleaved.
#   bench/startup.sh [runs] [rounds]   (default 40 pairs a round, 3 rounds)
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-40}"
rounds="${2:-3}"

scripts/setup.sh libx11-dev xvfb xauth
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DREBAR_BUILD_BENCH=ON >/dev/null
cmake --build build/bench --parallel --target rebar-weight floor_window map_timer >/dev/null

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs)"
echo "Qt: $(dpkg-query -W -f='${Version}' libqt6core6 2>/dev/null || echo unknown)"
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
    build/bench/bench/map_timer "$rounds" "$runs" build/bench/qt/rebar-weight build/bench/bench/floor_window
