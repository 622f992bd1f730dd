#!/usr/bin/env bash
# CTest's emulator for the cross-built test programs: runs one under Wine and hands
# back its exit status. WINEPREFIX and DISPLAY come from scripts/windows.sh. The
# suites are console programs, so their report reaches standard output.
set -euo pipefail
export WINEDEBUG="${WINEDEBUG:--all}"
exec wine "$@"
