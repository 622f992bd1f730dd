#!/usr/bin/env bash
# CTest's emulator for the cross-built QtTest programs: runs one under Wine and hands
# back its exit status. WINEPREFIX and DISPLAY come from scripts/windows.sh.
# A QtTest program on Windows with no console window sends its log to the debugger
# (OutputDebugString), not to standard output; under Wine nothing reads that, so the
# log goes to a file and is printed from there.
set -euo pipefail
export WINEDEBUG="${WINEDEBUG:--all}"
program="$1"
shift
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
status=0
wine "$program" -o "Z:${log//\//\\},txt" "$@" || status=$?
cat "$log"
exit "$status"
