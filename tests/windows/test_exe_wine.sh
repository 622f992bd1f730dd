#!/usr/bin/env bash
# The program file under Wine, as a user starts it: its window appears titled
# 钢筋重量计算 with a 329 × 150 client area that cannot be resized, and closing it
# (WM_CLOSE, what the close box sends) ends it with status 0.
#   test_exe_wine.sh <rebar-weight.exe>      needs WINEPREFIX and DISPLAY (windows.sh)
set -euo pipefail
exe="$1"
source "$(dirname "$0")/wine_common.sh"
require_wine xdotool xwininfo xprop

# Run from a copy, as a user runs the file they were given.
app=""
work="$(mktemp -d)"
trap 'kill "$app" 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$exe" "$work/rebar-weight.exe"
start_program "$work/rebar-weight.exe"
sleep 1
info="$(xwininfo -id "$window")"
width="$(sed -n 's/^ *Width: //p' <<<"$info")"
height="$(sed -n 's/^ *Height: //p' <<<"$info")"
echo "window $window: ${width} x ${height}"
[ "$width" = 329 ] && [ "$height" = 150 ] || fail "client area is ${width} x ${height}, not 329 x 150"
hints="$(xprop -id "$window" WM_NORMAL_HINTS)"
grep -q 'minimum size: 329 by 150' <<<"$hints" && grep -q 'maximum size: 329 by 150' <<<"$hints" \
    || fail "the window can be resized: $hints"

close_program
[ "$status" -eq 0 ] || fail "exit status $status after closing"
echo "titled 钢筋重量计算, 329 x 150, fixed size, closed with status 0"
