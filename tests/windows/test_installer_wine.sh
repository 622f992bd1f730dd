#!/usr/bin/env bash
# The installer under Wine, in the prefix scripts/windows.sh made, row by row. Wine's
# prefix is a 64-bit x86 Windows, so the installer (a 32-bit program there, as on every
# 64-bit Windows) chooses the 64-bit program; test_installer_machines_wine.sh runs the
# other choices.
#   per user   /S: the 64-bit program in %LOCALAPPDATA%\Programs\钢筋重量计算, the HKCU
#              entry with its values, Start-menu and desktop shortcuts, no HKLM entry;
#              the installed program starts and passes the keyboard walk;
#   uninstall  the prefix's files and registry after it equal those before the install,
#              but for Wine's own changes (the filter below), and the filter still sees
#              a leftover planted on purpose;
#   upgrade    a higher version over it: the same folder, one entry with the new
#              version, release 1.00's Qt licence texts gone;
#   all users  /S /ALLUSERS: the 64-bit Program Files (not Program Files (x86)) and
#              HKLM's 64-bit view (not WOW6432Node), as a 64-bit installer wrote them;
#   over 1.00  release 1.00's installer (a 64-bit stub), per user and for all users,
#              then this one: the same folder and entry, the 64-bit program and a 32-bit
#              uninstaller in place of the old ones; then nothing left after uninstall;
#   too old    Wine reporting XP x64 and Vista: the one-sentence message, exit 3,
#              nothing written; Windows 7: it installs;
#   open       with the program open, or its file held open by another process, /S
#              install, upgrade and uninstall stop with exit 4 and change nothing;
#              with another program's window titled 钢筋重量计算 open, all three run;
#   earlier    an all-users copy where release 1.00 put it: the message names its folder;
#   no desktop /S /NODESKTOP: no desktop shortcut.
#   test_installer_wine.sh <setup.exe> <higher-version setup.exe> <release 1.00 setup.exe>
#                          <probe.exe> <64-bit program>
set -euo pipefail
setup="$1"
newer="$2"
released="$3"
probe="$4"
win64="$5"
source "$(dirname "$0")/installer_common.sh"
all_users="$program_files"
[ "$(machine_of "$setup")" = i386 ] || fail "the installer is not a 32-bit program"
[ "$(machine_of "$released")" = x86-64 ] || fail "release 1.00's installer is not a 64-bit stub"

echo "== per user, silent"
snapshot clean
install "$setup" /S || fail "the silent install failed"
installed_program "$per_user" "$win64"
echo "per user: the 64-bit program in $per_user"
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

walk "$per_user"
echo "the installed program: 250 ⏎ 4 ⏎ 16 ⏎ ⏎ gives 10 m and 15.8 kg"

close_program

echo "== what stops install, upgrade and uninstall: the program, not its title"
# Each row opens something, then runs /S install (this version again), upgrade (9.99)
# and uninstall with it open. Neither waits for the whole prefix to settle (what is
# open stays open): wine returns with the installer's own status, and the uninstaller
# runs from a copy with _?=, as it runs itself, so its own status is the one seen.
# blocker | status of each run
#   program: the installed program; held: its file, held open against writers by
#   another process with no window of the program; foreign: another program's window
#   titled 钢筋重量计算, as File Explorer open on the install folder is.
while IFS='|' read -r -u 3 blocker expected; do
    [ -f "$per_user/rebar-weight.exe" ] || install "$setup" /S || fail "$blocker: the install before failed"
    case "$blocker" in
        program) start_program "$per_user/rebar-weight.exe" ;;
        held) start_window probe "$per_user/rebar-weight.exe" ;;
        foreign) start_window 钢筋重量计算 ;;
    esac
    snapshot before_blocker
    for run in install upgrade uninstall; do
        status=0
        case "$run" in
            install) wine "$setup" /S >/dev/null 2>&1 || status=$? ;;
            upgrade) wine "$newer" /S >/dev/null 2>&1 || status=$? ;;
            uninstall) uninstall_copy "$per_user" /CurrentUser /S || status=$? ;;
        esac
        [ "$status" -eq "$expected" ] || fail "$blocker open: the $run ended with $status, not $expected"
        if [ "$expected" -eq 0 ]; then
            case "$run" in
                install) installed_program "$per_user" "$win64" ;;
                upgrade) grep -q '"DisplayVersion"="9.99"' <<<"$(entry HKCU)" \
                    || fail "$blocker open: the upgrade left $(entry HKCU)" ;;
                uninstall) [ ! -e "$per_user" ] && [ -z "$(entry HKCU)" ] \
                    || fail "$blocker open: the uninstall left the folder or the entry" ;;
            esac
        fi
    done
    if [ "$expected" -ne 0 ]; then
        snapshot after_blocker
        [ -z "$(changes before_blocker after_blocker)" ] \
            || fail "$blocker open: the stopped runs changed: $(changes before_blocker after_blocker)"
    fi
    case "$blocker" in
        program) close_program ;;
        *) close_window ;;
    esac
    settle
    echo "$blocker open: install, upgrade and uninstall end with $expected$( [ "$expected" -ne 0 ] && echo ', nothing changed')"
done 3<<'EOF'
program|4
foreign|0
held|4
EOF
install "$setup" /S || fail "the install after the rows failed"
installed_program "$per_user" "$win64"

echo "== upgrade"
printf 'stand-in\n' >"$per_user/LGPL-3.txt" # what release 1.00 installed
install "$newer" /S || fail "the upgrade failed"
[ ! -e "$per_user/LGPL-3.txt" ] || fail "the upgrade left release 1.00's LGPL-3.txt"
installed_program "$per_user" "$win64"
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
# The whole per-user Uninstall key: the fresh prefix had none (the uninstall removed it).
wine reg delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall' /f >/dev/null 2>&1
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
installed_program "$all_users" "$win64"
[ ! -e "$program_files_x86" ] || fail "an all-users install wrote $program_files_x86"
grep -q '"DisplayVersion"="1.00"' <<<"$(entry HKLM)" || fail "no HKLM entry in the 64-bit view"
grep -q '/AllUsers' <<<"$(entry HKLM)" || fail "the HKLM entry's uninstaller is not told /AllUsers"
[ -z "$(entry HKLM32)" ] || fail "an all-users install wrote under WOW6432Node"
[ -z "$(entry HKCU)" ] || fail "an all-users install wrote an HKCU entry"
[ ! -e "$per_user" ] || fail "an all-users install wrote $per_user"
echo "all users: the 64-bit program in C:\Program Files, HKLM's 64-bit view, nothing under WOW6432Node"

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

echo "== over release 1.00's installer, per user and for all users"
for mode in CurrentUser AllUsers; do
    folder="$per_user" hive=HKCU
    [ "$mode" = AllUsers ] && folder="$all_users" hive=HKLM
    install "$released" /S "/$mode" || fail "release 1.00's installer failed ($mode)"
    [ "$(machine_of "$folder/uninstall.exe")" = x86-64 ] \
        || fail "release 1.00's installer left no 64-bit uninstaller in $folder"
    install "$setup" /S "/$mode" || fail "the install over release 1.00 failed ($mode)"
    installed_program "$folder" "$win64"
    [ "$(machine_of "$folder/uninstall.exe")" = i386 ] \
        || fail "the uninstaller in $folder was not replaced by this release's ($mode)"
    entries="$(wine reg query "$hive\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall" 2>/dev/null \
        | tr -d '\r' | grep -c 'RebarWeight' || true)"
    [ "$entries" -eq 1 ] || fail "$entries uninstall entries in $hive after the install over 1.00"
    [ -z "$(entry HKLM32)" ] || fail "the install over 1.00 wrote under WOW6432Node"
    [ ! -e "$program_files_x86" ] || fail "the install over 1.00 wrote $program_files_x86"
    uninstall_from "$folder" "/$mode" /S || fail "the uninstall after the upgrade over 1.00 failed"
    echo "$mode: the same folder and $hive entry, the 64-bit program, a 32-bit uninstaller"
done
snapshot after_released
left="$(changes clean after_released)"
[ -z "$left" ] || fail "the uninstalls after the upgrades over 1.00 left: $left"
echo "after the uninstalls the prefix is as before"

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
    grep -q '钢筋重量计算需要 Windows 7 SP1 或更新的 Windows' <<<"$message" \
        || fail "$version: the message does not say what it needs"
    ! grep -q '64 位' <<<"$message" || fail "$version: the message asks for a 64-bit Windows"
done
wine_version win7
snapshot after_old
[ -z "$(changes before_old after_old | grep -v 'Software\\Wine\|"Version"' || true)" ] \
    || fail "a refused install wrote: $(changes before_old after_old)"
install "$setup" /S || fail "Windows 7: the install failed"
installed_program "$per_user" "$win64"
uninstall_from "$per_user" /CurrentUser /S
wine reg delete 'HKCU\Software\Wine' /v Version /f >/dev/null 2>&1 || true
settle
echo "XP x64 and Vista: refused with the message, nothing written; Windows 7: installed"
echo "installer: $(stat -c %s "$setup") bytes"
