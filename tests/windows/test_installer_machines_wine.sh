#!/usr/bin/env bash
# The installer's choice for the machines a Wine prefix cannot be: Wine's prefix is
# always a 64-bit x86 Windows, so 32-bit Windows, Windows 10 on Arm and Windows 11 on
# Arm run only through the test build of the installer that takes the machine from
# /Machine= and the Windows build from /Build= (the shipped one reads no such switch).
# What follows the choice runs for real: the files, the registry, the program. For each
# machine, in the prefix scripts/windows.sh made:
#   per user   /S: the program for that machine (the exact file) in
#              %LOCALAPPDATA%\Programs\钢筋重量计算, the HKCU entry, the shortcuts; it
#              starts and passes the keyboard walk;
#   running    with it open, /S install and uninstall stop with exit 4 (once, for the
#              32-bit program: test_installer_wine.sh does it for the 64-bit one);
#   upgrade    the 9.99 build over it: the same folder, one entry, the same kind of
#              program;
#   uninstall  the prefix's files and registry as before the install;
#   all users  /S /ALLUSERS: the folder for that machine, HKLM's 64-bit view, nothing
#              under WOW6432Node; the uninstall leaves nothing.
# The refusal below Windows 7 SP1 and the stop while the program runs come before the
# choice and do not read the machine; test_installer_wine.sh runs them on the installer
# as shipped.
#   test_installer_machines_wine.sh <1.00 test setup.exe> <9.99 test setup.exe> <probe.exe>
#                                   <64-bit program> <32-bit program>
set -euo pipefail
setup="$1"
newer="$2"
probe="$3"
win64="$4"
win32="$5"
source "$(dirname "$0")/installer_common.sh"

snapshot clean
# machine | Windows build | the program | the all-users folder | the running row
while IFS='|' read -r -u 3 machine build program folder running; do
    args=("/Machine=$machine" "/Build=$build")
    expected="$win64"
    [ "$program" = win32 ] && expected="$win32"
    all_users="$program_files"
    [ "$folder" = x86 ] && all_users="$program_files_x86"
    echo "== $machine, build $build (through the machine switch): the $program program"

    install "$setup" /S "${args[@]}" || fail "$machine: the silent install failed"
    installed_program "$per_user" "$expected"
    [ -f "$start_menu" ] && [ -f "$desktop" ] || fail "$machine: a shortcut is missing"
    grep -q '"DisplayVersion"="1.00"' <<<"$(entry HKCU)" || fail "$machine: no HKCU entry"
    [ -z "$(entry HKLM)" ] || fail "$machine: a per-user install wrote an HKLM entry"
    walk "$per_user"
    if [ "$running" = yes ]; then
        status=0
        wine "$setup" /S "${args[@]}" >/dev/null 2>&1 || status=$?
        [ "$status" -eq 4 ] || fail "$machine: an install over the running program ended with $status, not 4"
        status=0
        wine "$per_user/uninstall.exe" /CurrentUser /S "_?=$(sed 's|.*/drive_c|C:|; s|/|\\|g' <<<"$per_user")" \
            >/dev/null 2>&1 || status=$?
        [ "$status" -eq 4 ] || fail "$machine: an uninstall of the running program ended with $status, not 4"
        running="; install and uninstall stop while it runs"
    else
        running=""
    fi
    close_program
    echo "per user: the $(machine_of "$per_user/rebar-weight.exe") program, its shortcuts and HKCU entry; the walk gives 10 m and 15.8 kg$running"

    install "$newer" /S "${args[@]}" || fail "$machine: the upgrade failed"
    installed_program "$per_user" "$expected"
    upgraded="$(entry HKCU)"
    grep -q '"DisplayVersion"="9.99"' <<<"$upgraded" || fail "$machine: the entry was not upgraded"
    entries="$(wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall' 2>/dev/null \
        | tr -d '\r' | grep -c 'RebarWeight' || true)"
    [ "$entries" -eq 1 ] || fail "$machine: $entries uninstall entries after the upgrade"
    uninstall_from "$per_user" /CurrentUser /S || fail "$machine: the uninstall failed"
    snapshot uninstalled
    left="$(changes clean uninstalled)"
    [ -z "$left" ] || fail "$machine: the uninstall left: $left"
    echo "upgraded in place to 9.99 (one entry, the same program); the uninstall left nothing"

    install "$setup" /S /ALLUSERS "${args[@]}" || fail "$machine: the all-users install failed"
    installed_program "$all_users" "$expected"
    for other in "$program_files" "$program_files_x86"; do
        [ "$other" = "$all_users" ] || [ ! -e "$other" ] || fail "$machine: an all-users install wrote $other"
    done
    grep -q '"InstallLocation"' <<<"$(entry HKLM)" || fail "$machine: no HKLM entry in the 64-bit view"
    [ -z "$(entry HKLM32)" ] || fail "$machine: an all-users install wrote under WOW6432Node"
    [ -z "$(entry HKCU)" ] || fail "$machine: an all-users install wrote an HKCU entry"
    uninstall_from "$all_users" /AllUsers /S || fail "$machine: the all-users uninstall failed"
    snapshot uninstalled
    left="$(changes clean uninstalled)"
    [ -z "$left" ] || fail "$machine: the all-users uninstall left: $left"
    shown="C:${all_users#"$drive_c"}"
    echo "all users: ${shown//\//\\}, HKLM's 64-bit view; the uninstall left nothing"
done 3<<'EOF'
IA32|7601|win32|native|yes
ARM64|19045|win32|x86|no
ARM64|22631|win64|native|no
EOF
echo "the choice for 32-bit Windows, Windows 10 on Arm and Windows 11 on Arm ran through the machine switch"
