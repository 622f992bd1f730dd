#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time, starting
# from the committed seed corpus (new inputs go to a scratch folder, not the repo).
#   scripts/fuzz.sh [seconds-per-target]      (default 30)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"

scripts/setup.sh clang libclang-rt-dev
cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DREBAR_FUZZ=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build/fuzz --parallel --target fuzz_number_text fuzz_click

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
for target in number_text click; do
    mkdir -p "$scratch/$target"
    log="$scratch/$target.log"
    if ! build/fuzz/fuzz/fuzz_$target -max_total_time="$seconds" -print_final_stats=1 \
        -rss_limit_mb=2048 "$scratch/$target" "fuzz/corpus/$target" >"$log" 2>&1; then
        tail -n 60 "$log"
        echo "fuzz_$target: FAILED (the crashing input is saved as crash-* in $(pwd))"
        exit 1
    fi
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
    echo "fuzz_$target: ${seconds} s, ${runs} executions, no failure"
done
