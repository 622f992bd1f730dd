#!/usr/bin/env bash
# The installer under Wine: a silent install puts the program and the Start-menu
# shortcut in place and registers the uninstaller under Apps & features; the installed
# program starts; a silent uninstall leaves nothing behind.
#   test_installer_wine.sh <setup.exe>       needs WINEPREFIX and DISPLAY (windows.sh)
set -euo pipefail
setup="$1"
source "$(dirname "$0")/wine_common.sh"
require_wine wineserver xdotool iconv

drive_c="$WINEPREFIX/drive_c"
folder="$drive_c/Program Files/钢筋重量计算"
shortcut="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/钢筋重量计算.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\RebarWeight'

wine "$setup" /S
wineserver -w
[ -f "$folder/rebar-weight.exe" ] || fail "no $folder/rebar-weight.exe after the install"
[ -f "$shortcut" ] || fail "no Start-menu shortcut $shortcut"
for notice in LICENSE.txt THIRD-PARTY-NOTICES.txt ARPHICPL.TXT; do
    [ -f "$folder/$notice" ] || fail "the install lacks $notice"
done
# The key exported as a .reg file (UTF-16), whatever code page the console has.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
wine reg export "$key" "Z:${work//\//\\}\\entry.reg" /y >/dev/null 2>&1 || fail "no Apps & features entry"
entry="$(iconv -f UTF-16 -t UTF-8 "$work/entry.reg" | tr -d '\r')"
for value in '"DisplayName"="钢筋重量计算"' '"DisplayVersion"="1\.00"' '"Publisher"="[^"]+"' \
    '"DisplayIcon"=".*rebar-weight\.exe,0"' '"UninstallString"=".*uninstall\.exe\\""'; do
    grep -Eq "$value" <<<"$entry" || fail "Apps & features entry lacks $value: $entry"
done
echo "installed: $(ls "$folder" | tr '\n' ' ')"

# The installed program starts.
start_program "$folder/rebar-weight.exe"
close_program
wineserver -w
echo "the installed program started"

# The uninstaller copies itself away and runs from there; wineserver -w waits for it.
wine "$folder/uninstall.exe" /S
wineserver -w
for _ in $(seq 30); do [ -e "$folder" ] || break; sleep 1; done
[ ! -e "$folder" ] || fail "the uninstall left $(ls -A "$folder" | tr '\n' ' ') in $folder"
[ ! -e "$shortcut" ] || fail "the uninstall left the shortcut"
if wine reg query "$key" >/dev/null 2>&1; then
    fail "the uninstall left the Apps & features entry"
fi
echo "silent install, start and silent uninstall: nothing left behind"
