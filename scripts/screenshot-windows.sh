#!/usr/bin/env bash
# The Windows program under Wine, as a Chinese desk shows it (LANG=zh_CN.UTF-8, code
# page 936), in a Wine virtual desktop so that the window has its Windows frame; after
# the keyboard walk 250 ⏎ 4 ⏎ 16 ⏎ ⏎. Needs dist/windows/rebar-weight.exe
# (scripts/windows.sh).
#   scripts/screenshot-windows.sh [output.png]     (default: docs/screenshot-windows.png)
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-docs/screenshot-windows.png}"
exe=dist/windows/rebar-weight.exe
[ -f "$exe" ] || { echo "No $exe: run scripts/windows.sh first" >&2; exit 1; }

if [ -z "${SCREENSHOT_INNER:-}" ]; then
    scripts/setup.sh wine wine64 fonts-wine imagemagick xdotool xvfb xauth
    exec env SCREENSHOT_INNER=1 LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 \
        xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" "$0" "$out"
fi

export WINEPREFIX="$(mktemp -d)/wine" WINEDEBUG=-all
trap 'wineserver -k 2>/dev/null || true; rm -rf "$(dirname "$WINEPREFIX")"' EXIT
wineboot --init >/dev/null 2>&1
wineserver -w
wine explorer /desktop=rebar,800x600 "$exe" &
desktop="$(timeout 60 xdotool search --sync --name '^rebar' | head -n 1)"
sleep 4 # the program's window inside the desktop, with the focus in 单根长度
xdotool windowfocus --sync "$desktop"
for step in 250 Return 4 Return 16 Return Return; do
    case "$step" in
        Return) xdotool key Return ;;
        *) xdotool type --delay 40 "$step" ;;
    esac
    sleep 0.3
done
sleep 1
# The window's place in the desktop: its client area at (375, 267), with the frame.
import -window root -crop 352x196+364+236 +repage "$out"
echo "Wrote $out"
