#!/usr/bin/env bash
# The Windows program under Wine, as a Chinese desk shows it (LANG=zh_CN.UTF-8, code
# page 936), in a Wine virtual desktop so that the window has its Windows frame; after
# the keyboard walk 250 ⏎ 4 ⏎ 16 ⏎ ⏎, under the tests' Wine 10 (scripts/wine10.sh).
# Needs dist/windows/rebar-weight-win64.exe (scripts/windows.sh), or the program named
# by SCREENSHOT_EXE (dist/windows/rebar-weight-win32.exe for the 32-bit one). With a
# DPI (144 for 150 %), Wine's LogPixels is set to it and the desktop and the crop grow
# by the same factor.
#   scripts/screenshot-windows.sh [output.png] [dpi]
#       (defaults: docs/screenshot-windows.png, 96)
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-docs/screenshot-windows.png}"
dpi="${2:-96}"
scaled() { echo $(( ($1 * dpi + 48) / 96 )); }
exe="${SCREENSHOT_EXE:-dist/windows/rebar-weight-win64.exe}"
[ -f "$exe" ] || { echo "No $exe: run scripts/windows.sh first" >&2; exit 1; }

if [ -z "${SCREENSHOT_INNER:-}" ]; then
    scripts/setup.sh imagemagick xdotool xvfb xauth debootstrap python3-fonttools
    scripts/wine10.sh prepare
    exec env SCREENSHOT_INNER=1 SCREENSHOT_EXE="$exe" LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 \
        scripts/wine10.sh run xvfb-run -a -s "-screen 0 $(scaled 1024)x$(scaled 768)x24 -dpi 96" "$0" "$out" "$dpi"
fi

export WINEPREFIX="$(mktemp -d)/wine" WINEDEBUG=-all
trap 'wineserver -k 2>/dev/null || true; rm -rf "$(dirname "$WINEPREFIX")"' EXIT
wineboot --init >/dev/null 2>&1
wineserver -w
# A face named 宋体 (SimSun), as every Chinese Windows has: Wine draws the title bar in
# its own face and links to SimSun for the Chinese of the title. (The window takes
# that face too; its glyphs are the compiled-in Song's.)
/usr/bin/python3 tests/windows/make_test_face.py assets/fonts/rebar-song.ttf \
    "$WINEPREFIX/drive_c/windows/Fonts/simsun-test.ttf"
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
wineserver -w
wine explorer /desktop=rebar,"$(scaled 800)x$(scaled 600)" "$exe" &
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
import -window root -crop "$(scaled 352)x$(scaled 196)+$(scaled 364)+$(scaled 236)" +repage "$out"
echo "Wrote $out"
