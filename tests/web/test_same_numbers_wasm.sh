#!/usr/bin/env bash
# The WebAssembly build computes and writes what the Linux build does: the same sweep of
# lengths × counts × diameters in both modes (Text3, Text5 and the unrounded weight),
# and the same number <-> text corpus with the fuzzers' seeds, compared byte for byte.
# The wasm32-wasi program runs under Node.js's WASI.
#   test_same_numbers_wasm.sh <linux number_sweep> <number_sweep.wasm> <corpus dir>
# Skips (77) without node or the wasm build, or fails with REBAR_WEB_REQUIRE=1.
set -euo pipefail
skip() {
    if [ "${REBAR_WEB_REQUIRE:-}" = 1 ]; then
        echo "FAIL: $1"
        exit 1
    fi
    echo "SKIP: $1"
    exit 77
}
linux="$1"
wasm="$2"
corpus="$(cd "$3" && pwd)"
command -v node >/dev/null || skip "node is not installed (nodejs)"
[ -f "$wasm" ] || skip "$wasm is not built (after scripts/web.sh: cmake --build build/web --target number_sweep)"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
seeds=("$corpus"/*)
# Node.js before 20 wants WASI asked for.
flags=()
if [ "$(node -p 'process.versions.node.split(".")[0]')" -lt 20 ]; then
    flags+=(--experimental-wasi-unstable-preview1)
fi
"$linux" "${seeds[@]}" >"$work/linux.txt" 2>/dev/null
node --no-warnings "${flags[@]}" "$(dirname "$0")/run_wasi.mjs" "$corpus" "$wasm" "${seeds[@]}" \
    >"$work/wasm.txt" 2>"$work/wasm.err" || { cat "$work/wasm.err"; echo "FAIL: the wasm build ended badly"; exit 1; }
lines="$(wc -l <"$work/linux.txt")"
[ "$lines" -gt 0 ] || { echo "FAIL: the Linux build printed nothing"; exit 1; }
if ! cmp -s "$work/linux.txt" "$work/wasm.txt"; then
    diff "$work/linux.txt" "$work/wasm.txt" | head -n 20
    echo "FAIL: the wasm build differs from the Linux build ($(wc -l <"$work/wasm.txt") lines against $lines)"
    exit 1
fi
echo "$lines cases, one line each ($(wc -c <"$work/linux.txt") bytes): 0 differences between the builds (node $(node --version))"
