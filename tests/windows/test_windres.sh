#!/usr/bin/env bash
# Compiles the Windows resource script with MinGW's windres and reads the result
# back, so a broken resource fails here and not on a user's machine.
#   test_windres.sh <configured .rc>        exit 77: skipped (no windres)
set -euo pipefail
rc="$1"
windres="$(command -v x86_64-w64-mingw32-windres || true)"
[ -n "$windres" ] || { echo "SKIP: x86_64-w64-mingw32-windres is not installed"; exit 77; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$windres" --codepage=65001 -i "$rc" -O res -o "$work/app.res"
"$windres" -i "$rc" -O coff -o "$work/app.o"
"$windres" -J res -i "$work/app.res" -O rc -o "$work/back.rc"

check() {
    grep -q "$1" "$work/back.rc" || { echo "FAIL: compiled resource lacks $2"; cat "$work/back.rc"; exit 1; }
}
check 'FILEVERSION 1, 0, 0, 0' "file version 1.0.0.0"
check 'PRODUCTVERSION 1, 0, 0, 0' "product version 1.0.0.0"
check '"FileVersion", "1.00"' 'FileVersion "1.00"'
check '"ProductVersion", "1.00"' 'ProductVersion "1.00"'
check 'ICON' "the icon"
echo "windres compiled the resource: icon and version 1.00 (1.0.0.0)"
