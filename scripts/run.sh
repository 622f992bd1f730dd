#!/usr/bin/env bash
# Installs what is missing, builds the calculator and opens it.
#   scripts/run.sh              the Linux program (Qt)
#   scripts/run.sh --web [port] the web version: builds dist/web and serves it on
#                               127.0.0.1 (port 8080 unless given), printing its address
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = "--web" ]; then
    scripts/web.sh
    exec scripts/web.sh --serve "${2:-8080}"
fi

scripts/setup.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release
cmake --build build/release --parallel --target rebar-weight

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Built build/release/qt/rebar-weight, but there is no display to open it on." >&2
    echo "On a desktop, run this again there; headless: xvfb-run -a scripts/run.sh" >&2
    exit 1
fi
exec build/release/qt/rebar-weight
