#!/usr/bin/env bash
# The Windows build computes and writes what the Linux build does: the same sweep of
# lengths × counts × diameters in both modes (Text3, Text5 and the unrounded weight),
# and the same number <-> text corpus with the fuzzers' seeds, compared byte for byte.
#   test_same_numbers.sh <linux number_sweep> <windows number_sweep.exe> <corpus dir>
set -euo pipefail
linux="$1"
windows="$2"
corpus="$3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
seeds=("$corpus"/*)
"$linux" "${seeds[@]}" >"$work/linux.txt" 2>/dev/null
# The Windows C runtime writes standard output in text mode, CR LF.
wine "$windows" "${seeds[@]}" 2>/dev/null | tr -d '\r' >"$work/windows.txt"
lines="$(wc -l <"$work/linux.txt")"
if ! cmp -s "$work/linux.txt" "$work/windows.txt"; then
    diff "$work/linux.txt" "$work/windows.txt" | head -n 20
    echo "FAIL: the Windows build differs from the Linux build"
    exit 1
fi
echo "$lines cases, one line each ($(wc -c <"$work/linux.txt") bytes): 0 differences between the builds"
