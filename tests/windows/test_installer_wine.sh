#!/usr/bin/env bash
# The installer under Wine, in the prefix scripts/windows.sh made, row by row:
#   per user   /S: files in %LOCALAPPDATA%\Programs\钢筋重量计算, the HKCU entry with its
#              values, Start-menu and desktop shortcuts, no HKLM entry; the installed
#              program starts and passes the keyboard walk;
#   uninstall  the prefix's files and registry after it equal those before the install,
#              but for Wine's own changes (the filter below), and the filter still sees
#              a leftover planted on purpose;
#   upgrade    a higher version over it: the same folder, one entry with the new
#              version, release 1.00's Qt licence texts gone;
#   all users  /S /ALLUSERS: Program Files and HKLM;
#   too old    Wine reporting XP x64 and Vista: the one-sentence message, exit 3,
#              nothing written; Windows 7: it installs;
#   running    with the program open, /S install and uninstall stop with exit 4 and
#              change nothing;
#   earlier    an all-users copy where release 1.00 put it: the message names its folder;
#   no desktop /S /NODESKTOP: no desktop shortcut.
#   test_installer_wine.sh <setup.exe> <higher-version setup.exe> <probe.exe>
set -euo pipefail
setup="$1"
newer="$2"
probe="$3"
source "$(dirname "$0")/wine_common.sh"
require_wine wineserver xdotool iconv
# No menu entries on the Linux desktop for what the installer makes.
export WINEDLLOVERRIDES="winemenubuilder.exe=d"

app=""
work="$(mktemp -d)"
trap 'kill "$app" 2>/dev/null || true; rm -rf "$work"' EXIT
drive_c="$WINEPREFIX/drive_c"
user_dir="$(find "$drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n 1)"
# Wine links the desktop to $HOME; a folder of its own keeps the test inside the prefix.
for folder in Desktop; do
    [ -L "$user_dir/$folder" ] && rm "$user_dir/$folder" && mkdir "$user_dir/$folder"
done
per_user="$user_dir/AppData/Local/Programs/钢筋重量计算"
all_users="$drive_c/Program Files/钢筋重量计算"
start_menu="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/钢筋重量计算.lnk"
desktop="$user_dir/Desktop/钢筋重量计算.lnk"
key='Software\Microsoft\Windows\CurrentVersion\Uninstall\RebarWeight'
windows_path() { echo "Z:${1//\//\\}"; }

settle() { wineserver -w; }
install() { local status=0; wine "$@" >/dev/null 2>&1 || status=$?; settle; return "$status"; }
entry() { # <HKCU|HKLM>: the uninstall entry as UTF-8 text, or nothing
    wine reg export "$1\\$key" "$(windows_path "$work/entry.reg")" /y >/dev/null 2>&1 || return 0
    iconv -f UTF-16 -t UTF-8 "$work/entry.reg" | tr -d '\r'
}
uninstall_from() { # <folder> [args]: the uninstaller copies itself away; wait for the end
    local folder="$1" status=0
    shift
    wine "$folder/uninstall.exe" "$@" >/dev/null 2>&1 || status=$?
    settle
    for _ in $(seq 20); do [ -e "$folder/uninstall.exe" ] || break; sleep 0.5; done
    return "$status"
}

# The prefix as files and registry, less what Wine changes by itself: its own folder
# (drive_c/windows: logs, caches, temporary files) and the user's Temp; of the
# registry, HKCU and HKLM\Software, where programs and installers write (HKLM\System
# and HARDWARE hold device and session state that Wine rewrites at every start), less
# the keys Wine rewrites there too (its own settings, the session's volatile keys,
# shell caches); comments and blank lines of the exports go too.
snapshot() { # <name>
    (cd "$drive_c" && find . -mindepth 1 \( -path ./windows -o -path './users/*/Temp' \) -prune \
        -o -print | sort) >"$work/$1.files"
    for hive in HKCU HKLM; do
        local root="$hive"
        [ "$hive" = HKLM ] && root='HKLM\Software'
        wine reg export "$root" "$(windows_path "$work/$1-$hive.reg")" /y >/dev/null 2>&1
        iconv -f UTF-16 -t UTF-8 "$work/$1-$hive.reg" | tr -d '\r' | awk '
            /^\[/ { skip = (tolower($0) ~ /\\(software\\wine|volatile environment|explorer\\(sessioninfo|mountpoints2|shell folders|recentdocs)|software\\microsoft\\windows nt\\currentversion\\(perflib|time zones)|system\\currentcontrolset\\control\\(session manager|video|class)|hardware|software\\microsoft\\cryptography\\rng|winsxs|enum)/) }
            !skip && NF && !/^#/ && !/^Windows Registry Editor/' >"$work/$1-$hive.txt"
    done
}
changes() { # <before> <after>: what differs, file lines and registry lines
    diff "$work/$1.files" "$work/$2.files" | grep '^[<>]' || true
    for hive in HKCU HKLM; do
        diff "$work/$1-$hive.txt" "$work/$2-$hive.txt" | grep '^[<>]' || true
    done
}

echo "== per user, silent"
snapshot clean
install "$setup" /S || fail "the silent install failed"
[ -f "$per_user/rebar-weight.exe" ] || fail "no program in $per_user"
for notice in LICENSE.txt THIRD-PARTY-NOTICES.txt ARPHICPL.TXT; do
    [ -f "$per_user/$notice" ] || fail "the install lacks $notice"
done
[ -f "$start_menu" ] || fail "no Start-menu shortcut $start_menu"
[ -f "$desktop" ] || fail "no desktop shortcut $desktop"
user_entry="$(entry HKCU)"
for value in '"DisplayName"="钢筋重量计算"' '"DisplayVersion"="1\.00"' '"Publisher"="[^"]+"' \
    '"DisplayIcon"=".*\\\\Programs\\\\钢筋重量计算\\\\rebar-weight\.exe,0"' \
    '"InstallLocation"=".*\\\\AppData\\\\Local\\\\Programs\\\\钢筋重量计算"' \
    '"UninstallString"=".*uninstall\.exe\\" /CurrentUser"'; do
    grep -Eq "$value" <<<"$user_entry" || fail "the HKCU entry lacks $value: $user_entry"
done
[ -z "$(entry HKLM)" ] || fail "a per-user install wrote an HKLM entry"
snapshot installed
echo "files and keys the install added:"
changes clean installed | sed 's/^/  /'

# The installed program starts, and the keyboard walk gives 10 m and 15.8 kg.
start_program "$per_user/rebar-weight.exe"
sleep 1
xdotool windowfocus --sync "$window" 2>/dev/null || true
for step in 250 Return 4 Return 16 Return Return; do
    case "$step" in
        Return) xdotool key --delay 60 Return ;;
        *) xdotool type --delay 40 "$step" ;;
    esac
    sleep 0.2
done
texts="$(wine "$probe" texts 钢筋重量计算 10 | tr -d '\r')"
grep -qx 15.8 <<<"$texts" && grep -qx 10 <<<"$texts" \
    || fail "the installed program's walk did not give 10 and 15.8: $(tr '\n' ' ' <<<"$texts")"
echo "the installed program: 250 ⏎ 4 ⏎ 16 ⏎ ⏎ gives 10 m and 15.8 kg"

echo "== running: install and uninstall stop and change nothing"
snapshot before_running
# Neither waits for the whole prefix to settle (the program runs on): wine returns
# with the installer's own status, and _?= keeps the uninstaller from copying itself
# away first, so its status is the one seen.
status=0
wine "$setup" /S >/dev/null 2>&1 || status=$?
[ "$status" -eq 4 ] || fail "a silent install over the running program ended with $status, not 4"
status=0
wine "$per_user/uninstall.exe" /CurrentUser /S "_?=$(sed 's|.*/drive_c|C:|; s|/|\\|g' <<<"$per_user")" \
    >/dev/null 2>&1 || status=$?
[ "$status" -eq 4 ] || fail "a silent uninstall of the running program ended with $status, not 4"
snapshot after_running
[ -z "$(changes before_running after_running)" ] \
    || fail "the stopped runs changed: $(changes before_running after_running)"
close_program
echo "install and uninstall while it runs: exit status 4, nothing changed"

echo "== upgrade"
printf 'stand-in\n' >"$per_user/LGPL-3.txt" # what release 1.00 installed
install "$newer" /S || fail "the upgrade failed"
[ ! -e "$per_user/LGPL-3.txt" ] || fail "the upgrade left release 1.00's LGPL-3.txt"
upgraded="$(entry HKCU)"
grep -q '"DisplayVersion"="9.99"' <<<"$upgraded" || fail "the entry was not upgraded: $upgraded"
grep -Eq '"InstallLocation"=".*\\\\Programs\\\\钢筋重量计算"' <<<"$upgraded" \
    || fail "the upgrade moved the folder: $upgraded"
entries="$(wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall' 2>/dev/null \
    | tr -d '\r' | grep -c 'RebarWeight' || true)"
[ "$entries" -eq 1 ] || fail "$entries uninstall entries after the upgrade"
echo "upgraded in place: one entry, DisplayVersion 9.99"

echo "== uninstall leaves nothing"
uninstall_from "$per_user" /CurrentUser /S || fail "the uninstall failed"
snapshot uninstalled
left="$(changes clean uninstalled)"
[ -z "$left" ] || fail "the uninstall left: $left"
# The filter must still see a leftover of ours.
mkdir -p "$per_user" && touch "$per_user/leftover.txt"
wine reg add "HKCU\\$key" /v DisplayName /d leftover /f >/dev/null 2>&1
snapshot planted
planted="$(changes clean planted)"
grep -q 'leftover.txt' <<<"$planted" && grep -q 'RebarWeight' <<<"$planted" \
    || fail "the comparison does not see a planted leftover: $planted"
rm -rf "$per_user" "$(dirname "$per_user")"
wine reg delete "HKCU\\$key" /f >/dev/null 2>&1
settle
snapshot clean
echo "after the uninstall the prefix is as before; a planted file and key are caught"

echo "== no desktop shortcut with /NODESKTOP"
install "$setup" /S /NODESKTOP || fail "the install failed"
[ -f "$start_menu" ] && [ ! -e "$desktop" ] || fail "/NODESKTOP: Start menu $( [ -f "$start_menu" ] && echo yes || echo no), desktop $( [ -e "$desktop" ] && echo yes || echo no)"
uninstall_from "$per_user" /CurrentUser /S || fail "the uninstall failed"
echo "/NODESKTOP: the Start-menu shortcut only"

echo "== all users"
install "$setup" /S /ALLUSERS || fail "the all-users install failed"
[ -f "$all_users/rebar-weight.exe" ] || fail "no program in $all_users"
grep -q '"DisplayVersion"="1.00"' <<<"$(entry HKLM)" || fail "no HKLM entry"
grep -q '/AllUsers' <<<"$(entry HKLM)" || fail "the HKLM entry's uninstaller is not told /AllUsers"
[ -z "$(entry HKCU)" ] || fail "an all-users install wrote an HKCU entry"
[ ! -e "$per_user" ] || fail "an all-users install wrote $per_user"
echo "all users: Program Files and HKLM"

echo "== an earlier all-users copy, then a per-user install"
wine "$setup" /CurrentUser >/dev/null 2>&1 &
app=$!
message="$(wine "$probe" box "钢筋重量计算" 30 | tr -d '\r')" || fail "no message about the all-users copy"
echo "  the installer says: $message"
grep -qF 'C:\Program Files\钢筋重量计算' <<<"$message" || fail "the message does not name the folder"
wine taskkill /f /im "$(basename "$setup")" >/dev/null 2>&1 || true
kill "$app" 2>/dev/null || true
app=""
settle
uninstall_from "$all_users" /AllUsers /S || fail "the all-users uninstall failed"
[ ! -e "$all_users" ] && [ -z "$(entry HKLM)" ] || fail "the all-users uninstall left something"

echo "== too old a Windows"
wine_version() { wine reg add 'HKCU\Software\Wine' /v Version /d "$1" /f >/dev/null 2>&1; settle; }
snapshot before_old
for version in winxp64 vista; do
    wine_version "$version"
    status=0
    wine "$setup" >"$work/old.out" 2>&1 &
    app=$!
    message="$(wine "$probe" box "钢筋重量计算" 30 | tr -d '\r')" || fail "$version: no message"
    wait "$app" || status=$?
    app=""
    settle
    echo "  $version: exit $status, \"$message\""
    [ "$status" -eq 3 ] || fail "$version: exit status $status, not 3"
    grep -q 'Windows 7 SP1' <<<"$message" || fail "$version: the message does not say what it needs"
done
wine_version win7
snapshot after_old
[ -z "$(changes before_old after_old | grep -v 'Software\\Wine\|"Version"' || true)" ] \
    || fail "a refused install wrote: $(changes before_old after_old)"
install "$setup" /S || fail "Windows 7: the install failed"
[ -f "$per_user/rebar-weight.exe" ] || fail "Windows 7: no program installed"
uninstall_from "$per_user" /CurrentUser /S
wine reg delete 'HKCU\Software\Wine' /v Version /f >/dev/null 2>&1 || true
settle
echo "XP x64 and Vista: refused with the message, nothing written; Windows 7: installed"
echo "installer: $(stat -c %s "$setup") bytes"
