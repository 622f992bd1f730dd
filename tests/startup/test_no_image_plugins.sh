#!/usr/bin/env bash
# Start-up opens no image-format or icon-engine plugin (nor libjpeg): the window icon
# is decoded from its compiled-in XPM, so Qt never scans those plugin folders.
#   test_no_image_plugins.sh <program>      exit 77: skipped (strace or Xvfb missing)
set -euo pipefail
program="$1"
for tool in strace xvfb-run xdotool; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
xvfb-run -a bash -c '
    strace -f -qq -e trace=open,openat -o "$2" "$1" 2>/dev/null &
    tracer=$!
    timeout 30 xdotool search --sync --onlyvisible --name "钢筋重量计算" >/dev/null || exit 1
    sleep 0.5
    pkill -TERM -P $tracer; wait $tracer 2>/dev/null || true
' _ "$program" "$log" || { echo "FAIL: no window appeared"; exit 1; }
opened="$(grep -E '/(imageformats|iconengines)(/|")|libjpeg' "$log" || true)"
if [ -n "$opened" ]; then
    echo "FAIL: start-up looked for image plugins:"
    echo "$opened"
    exit 1
fi
echo "start-up opened $(grep -c 'open' "$log") files, no image-format or icon-engine plugin"
