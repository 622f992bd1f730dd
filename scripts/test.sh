#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs every
# test headless.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build build/test --parallel
ctest --test-dir build/test --output-on-failure --timeout 300
