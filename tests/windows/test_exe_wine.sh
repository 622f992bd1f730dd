#!/usr/bin/env bash
# The program file under Wine, as a user starts it: its window appears titled
# 钢筋重量计算 with a 329 × 150 client area that cannot be resized, and closing it
# (WM_CLOSE, what the close box sends) ends it with status 0.
#   test_exe_wine.sh <rebar-weight.exe>      needs WINEPREFIX and DISPLAY (windows.sh)
set -euo pipefail
exe="$1"
for tool in wine xdotool xwininfo xprop; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
[ -n "${WINEPREFIX:-}" ] && [ -n "${DISPLAY:-}" ] || { echo "SKIP: no WINEPREFIX or DISPLAY"; exit 77; }
export WINEDEBUG=-all
fail() { echo "FAIL: $*"; exit 1; }

# Run from a copy, as a user runs the file they were given.
work="$(mktemp -d)"
trap 'kill "$app" 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$exe" "$work/rebar-weight.exe"
wine "$work/rebar-weight.exe" &
app=$!
window="$(timeout 60 xdotool search --sync --onlyvisible --name '^钢筋重量计算$' | head -n 1)" \
    || fail "no window titled 钢筋重量计算 within 60 s"
sleep 1
info="$(xwininfo -id "$window")"
width="$(sed -n 's/^ *Width: //p' <<<"$info")"
height="$(sed -n 's/^ *Height: //p' <<<"$info")"
echo "window $window: ${width} x ${height}"
[ "$width" = 329 ] && [ "$height" = 150 ] || fail "client area is ${width} x ${height}, not 329 x 150"
hints="$(xprop -id "$window" WM_NORMAL_HINTS)"
grep -q 'minimum size: 329 by 150' <<<"$hints" && grep -q 'maximum size: 329 by 150' <<<"$hints" \
    || fail "the window can be resized: $hints"

# WM_CLOSE to the program's windows (taskkill without /f), as the close box sends.
wine taskkill /im rebar-weight.exe >/dev/null 2>&1 || true
status=0
timeout 30 tail --pid="$app" -f /dev/null || fail "the program did not end after WM_CLOSE"
wait "$app" || status=$?
app=""
[ "$status" -eq 0 ] || fail "exit status $status after closing"
echo "titled 钢筋重量计算, 329 x 150, fixed size, closed with status 0"
