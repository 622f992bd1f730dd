#!/usr/bin/env bash
# The uninstaller of an all-users copy when Windows starts it without administrator
# rights, as it does from the copy's uninstall entry under UAC. Wine runs everything
# with full rights and shows no UAC prompt, so the rows run on the test build whose
# uninstaller takes the account's rights from /Privileges= and a refused prompt from
# /Elevation=refused, and writes each start of itself "as administrator" to the file
# /ElevationLog= names (the shipped installer reads no such switch). Under Wine the
# "runas" start itself runs for real, with the rights Wine gives every process. The
# uninstaller runs from a copy told the folder with _?=, the way it runs itself, so its
# own exit status is the one seen. In the prefix scripts/windows.sh made:
#   rows       (below) the switches, the exit status, whether the copy is gone (or
#              else nothing at all changed) and the switches it started itself with;
#   box        without /S, the refusal is said in Chinese in a box, then exit 5;
#   installs   (below) the installer asked for all users, or for the current user,
#              with and without the rights (the test build's installer takes them
#              from /Privileges= too): the exit status, where the copy went, and for
#              a refusal that it came at once, under timeout, with nothing written;
#   shown      without /S, all users asked for without the rights: the run goes on
#              to a window, where Windows shows MultiUser.nsh's box (Wine reads full
#              rights there, so here the licence page);
#   texts      the installer and its uninstaller carry MultiUser.nsh's box texts in
#              Chinese, and none of its English ones (nsis_texts.py reads the
#              compressed headers of the shipped installer).
#   test_installer_elevation_wine.sh <test setup.exe> <shipped setup.exe> <probe.exe>
#                                    <64-bit program>
set -euo pipefail
setup="$1"
shipped="$2"
probe="$3"
win64="$4"
source "$(dirname "$0")/installer_common.sh"
log="$work/elevation.log"
starts() { [ -f "$log" ] && iconv -f UTF-16LE -t UTF-8 "$log" | tr -d '\r' || true; }

snapshot clean
# mode | the uninstaller's switches | status | gone | started again with (- for not) | program open
#   1 no rights: it starts itself as administrator, and that one removes the copy;
#   2 the prompt refused: nothing removed, no box with /S, status 5;
#   3 started so already and still no rights: no second start, status 5;
#   4 the program open: the elevated one stops, and its status 4 is the status;
#   5 rights already (started as administrator): no start, removed;
#   6 a per-user copy: nothing asked even where a prompt would be refused.
while IFS='|' read -r -u 3 mode switches expected gone again running; do
    folder="$per_user" hive=HKCU
    [ "$mode" = AllUsers ] && folder="$program_files" hive=HKLM
    read -r -a args <<<"$switches"
    row="/$mode $switches"
    install "$setup" /S "/$mode" || fail "$row: the install failed"
    installed_program "$folder" "$win64"
    [ "$running" = yes ] && start_program "$folder/rebar-weight.exe"
    snapshot before
    rm -f "$log"
    status=0
    uninstall_copy "$folder" "/$mode" "${args[@]}" "/ElevationLog=$(windows_path "$log")" \
        || status=$?
    [ "$status" -eq "$expected" ] || fail "$row: exit status $status, not $expected"
    if [ "$again" = - ]; then
        [ -z "$(starts)" ] || fail "$row: it started itself again: $(starts)"
    else
        expected_start="runas|$(windows_path "$work/Un_A.exe")|$again _?=$(in_prefix "$folder")"
        [ "$(starts)" = "$expected_start" ] \
            || fail "$row: it started itself with \"$(starts)\", not \"$expected_start\""
    fi
    if [ "$gone" = yes ]; then
        [ ! -e "$folder" ] && [ -z "$(entry "$hive")" ] || fail "$row: the copy is still there"
    else
        snapshot after
        [ -z "$(changes before after)" ] || fail "$row: it changed: $(changes before after)"
    fi
    [ "$running" = yes ] && close_program
    settle
    [ "$gone" = yes ] || uninstall_from "$folder" "/$mode" /S || fail "$row: the uninstall afterwards failed"
    snapshot uninstalled
    [ -z "$(changes clean uninstalled)" ] || fail "$row: left: $(changes clean uninstalled)"
    echo "$row: exit $expected, $( [ "$gone" = yes ] && echo removed || echo 'nothing changed'), $( [ "$again" = - ] && echo 'no start as administrator' || echo "a start as administrator asked for, with $again")"
done 3<<'EOF'
AllUsers|/S /Privileges=User|0|yes|/AllUsers /S /Elevated|no
AllUsers|/S /Privileges=User /Elevation=refused|5|no|/AllUsers /S /Elevated|no
AllUsers|/S /Privileges=User /Elevated|5|no|-|no
AllUsers|/S /Privileges=User|4|no|/AllUsers /S /Elevated|yes
AllUsers|/S /Privileges=Admin|0|yes|-|no
CurrentUser|/S /Privileges=User /Elevation=refused|0|yes|-|no
EOF

echo "== without /S, the refusal in a box"
install "$setup" /S /AllUsers || fail "the install failed"
snapshot before
uninstall_copy "$program_files" /AllUsers /Privileges=User /Elevation=refused &
app=$!
message="$(wine "$probe" box 钢筋重量计算 30 | tr -d '\r')" || fail "no box about the refusal"
status=0
wait "$app" || status=$?
app=""
settle
echo "  the uninstaller says: $message"
grep -qF '卸载它需要管理员权限。未能取得管理员权限，没有卸载任何内容。' <<<"$message" \
    || fail "the box does not say the rights were refused"
[ "$status" -eq 5 ] || fail "after the box: exit status $status, not 5"
snapshot after
[ -z "$(changes before after)" ] || fail "the refused uninstall changed: $(changes before after)"
uninstall_from "$program_files" /AllUsers /S || fail "the uninstall afterwards failed"
echo "refused, with a box: exit 5, nothing changed"

echo "== the installer asked for all users, with and without the rights"
# the switches | status | installed for (AllUsers, CurrentUser, or - for nothing)
#   1 silent, no rights: no box that nobody would see and the run would wait on; it
#     ends at once with 5 and writes nothing;
#   2 administrator and 3 Power Users: all users, as MultiUser.nsh allows them;
#   4 no rights, per user: nothing asked, installed;
#   5 /ALLUSERS as MultiUser.nsh reads it, in any case, and /CurrentUser before it: 5.
while IFS='|' read -r -u 3 switches expected mode; do
    read -r -a args <<<"$switches"
    snapshot before
    status=0
    timeout 60 wine "$setup" "${args[@]}" >/dev/null 2>&1 || status=$?
    if [ "$status" -eq 124 ]; then
        # The installer waits on something nobody sees: end it and this prefix's others.
        wineserver -k 2>/dev/null || true
        fail "$switches: no end within 60 s"
    fi
    settle
    [ "$status" -eq "$expected" ] || fail "$switches: exit status $status, not $expected"
    case "$mode" in
        -)
            snapshot after
            [ -z "$(changes before after)" ] || fail "$switches: it wrote: $(changes before after)"
            echo "$switches: exit $status at once, nothing written"
            continue
            ;;
        AllUsers) folder="$program_files" hive=HKLM other=HKCU ;;
        CurrentUser) folder="$per_user" hive=HKCU other=HKLM ;;
    esac
    installed_program "$folder" "$win64"
    [ -n "$(entry "$hive")" ] || fail "$switches: no $hive entry"
    [ -z "$(entry "$other")" ] || fail "$switches: an $other entry as well"
    uninstall_from "$folder" "/$mode" /S || fail "$switches: the uninstall afterwards failed"
    snapshot uninstalled
    [ -z "$(changes clean uninstalled)" ] || fail "$switches: left: $(changes clean uninstalled)"
    echo "$switches: exit $status, installed for $mode ($hive)"
done 3<<'EOF'
/S /AllUsers /Privileges=User|5|-
/S /AllUsers /Privileges=Admin|0|AllUsers
/S /AllUsers /Privileges=Power|0|AllUsers
/S /CurrentUser /Privileges=User|0|CurrentUser
/S /CurrentUser /ALLUSERS /Privileges=User|5|-
EOF

echo "== without /S, all users asked for without the rights: a window, no end"
snapshot before
wine "$setup" /AllUsers /Privileges=User >/dev/null 2>&1 &
app=$!
shown="$(wine "$probe" box 钢筋重量计算 30 | tr -d '\r')" \
    || fail "without /S, the installer showed no window"
wine taskkill /f /im "$(basename "$setup")" >/dev/null 2>&1 || true
kill "$app" 2>/dev/null || true
app=""
settle
snapshot after
[ -z "$(changes before after)" ] || fail "the installer ended in its window wrote: $(changes before after)"
echo "without /S: the installer went on to its window ($(head -n 1 <<<"$shown")), nothing written"

echo "== MultiUser.nsh's texts in Chinese"
texts="$(/usr/bin/python3 "$(dirname "$0")/installer/nsis_texts.py" "$shipped")" \
    || fail "nsis_texts.py could not read $shipped"
for line in 'setup: 您的账户没有足够的权限，无法为这台电脑的所有用户安装钢筋重量计算。' \
    'uninstall: 您的账户没有足够的权限，无法卸载为这台电脑的所有用户安装的钢筋重量计算。' \
    'uninstall: 这份钢筋重量计算是为这台电脑的所有用户安装的，卸载它需要管理员权限。未能取得管理员权限，没有卸载任何内容。'; do
    grep -qxF "$line" <<<"$texts" || fail "the installer lacks \"$line\""
done
english="$(grep -E 'privileges|requires administrator' <<<"$texts" || true)"
[ -z "$english" ] || fail "English texts of MultiUser.nsh in the installer: $english"
echo "the all-users texts in the installer and the uninstaller are Chinese; no English one of MultiUser.nsh"
