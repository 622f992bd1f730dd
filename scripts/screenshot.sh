#!/usr/bin/env bash
# Builds the calculator, opens it under Xvfb and takes two screenshots for the README:
# the window as it starts, and after the keyboard walk 250 ⏎ 4 ⏎ 16 ⏎ ⏎.
#   scripts/screenshot.sh [output-folder]     (default: docs/)
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-docs}"
mkdir -p "$out"

scripts/setup.sh imagemagick xdotool x11-utils
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --parallel --target rebar-weight >/dev/null

if [ -z "${SCREENSHOT_INNER:-}" ]; then
    exec env SCREENSHOT_INNER=1 xvfb-run -a -s "-screen 0 800x600x24 -dpi 96" "$0" "$out"
fi

build/release/qt/rebar-weight &
app=$!
trap 'kill $app 2>/dev/null || true' EXIT
window=$(xdotool search --sync --onlyvisible --name '钢筋重量计算' | head -n 1)
sleep 0.5
import -window "$window" "$out/screenshot.png"

xdotool windowfocus --sync "$window"
for step in 250 Return 4 Return 16 Return Return; do
    case "$step" in
        Return) xdotool key --window "$window" Return ;;
        *) xdotool type --window "$window" --delay 30 "$step" ;;
    esac
    sleep 0.1
done
sleep 0.3
import -window "$window" "$out/screenshot-result.png"
echo "Wrote $out/screenshot.png and $out/screenshot-result.png"
