#!/usr/bin/env bash
# The page's start-up benchmark: headless Chromium over http://127.0.0.1, the page
# against a floor page of the same HTML with no module, loads interleaved, warm and
# cold; then where the page's time goes, and the sizes gzip -9.
#   bench/startup-web.sh [runs]   (default 15 loads of each, warm and cold)
# It loads the site scripts/web.sh built (dist/web).
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-15}"

scripts/setup.sh libx11-dev chromium chromium-driver
[ -f dist/web/index.html ] || scripts/web.sh
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DREBAR_BUILD_BENCH=ON >/dev/null
cmake --build build/bench --parallel --target page_startup >/dev/null

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs)"
build/bench/bench/page_startup --site=dist/web --runs="$runs"
