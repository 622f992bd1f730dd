# Shared by the installer tests (sourced with probe set): what they need, a work folder
# and the program they start (app) cleaned up at exit, the prefix's folders, running
# installers and uninstallers, the uninstall entry, which program is installed, the
# keyboard walk, and snapshots of the prefix's files and registry to compare before
# and after.
source "$(dirname "${BASH_SOURCE[0]}")/wine_common.sh"
require_wine wineserver xdotool iconv
command -v x86_64-w64-mingw32-objdump >/dev/null || { echo "SKIP: no x86_64-w64-mingw32-objdump"; exit 77; }
app=""
work="$(mktemp -d)"
trap 'kill "$app" 2>/dev/null || true; rm -rf "$work"' EXIT

# No menu entries on the Linux desktop for what the installer makes.
export WINEDLLOVERRIDES="winemenubuilder.exe=d"
drive_c="$WINEPREFIX/drive_c"
user_dir="$(find "$drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n 1)"
# Wine links the desktop to $HOME; a folder of its own keeps the test inside the prefix.
if [ -L "$user_dir/Desktop" ]; then
    rm "$user_dir/Desktop"
    mkdir "$user_dir/Desktop"
fi
per_user="$user_dir/AppData/Local/Programs/钢筋重量计算"
program_files="$drive_c/Program Files/钢筋重量计算"
program_files_x86="$drive_c/Program Files (x86)/钢筋重量计算"
start_menu="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/钢筋重量计算.lnk"
desktop="$user_dir/Desktop/钢筋重量计算.lnk"
key='Software\Microsoft\Windows\CurrentVersion\Uninstall\RebarWeight'
windows_path() { echo "Z:${1//\//\\}"; }
in_prefix() { # <path under drive_c>: the same as Windows names it, C:\…
    local path="C:${1#"$drive_c"}"
    echo "${path//\//\\}"
}

settle() { wineserver -w; }
install() { local status=0; wine "$@" >/dev/null 2>&1 || status=$?; settle; return "$status"; }
entry() { # <HKCU|HKLM|HKLM32>: the uninstall entry as UTF-8 text, or nothing. HKLM is the
    # 64-bit view (Wine's reg is a 64-bit program); HKLM32 is where a 32-bit installer
    # without SetRegView 64 would write, HKLM\Software\WOW6432Node.
    local path="$1\\$key"
    [ "$1" = HKLM32 ] && path="HKLM\\Software\\WOW6432Node\\${key#Software\\}"
    wine reg export "$path" "$(windows_path "$work/entry.reg")" /y >/dev/null 2>&1 || return 0
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
uninstall_copy() { # <folder> [args]: the uninstaller run the way it runs itself, from a
    # copy elsewhere told the folder with _?=, so that its own exit status is the one
    # seen. _?= takes the rest of the command line, unquoted, spaces and all, which
    # wine would quote: cmd passes the line as it is written.
    local folder="$1" status=0
    shift
    cp "$folder/uninstall.exe" "$work/Un_A.exe"
    wine cmd /c "$(windows_path "$work/Un_A.exe") $* _?=$(in_prefix "$folder")" >/dev/null 2>&1 \
        || status=$?
    rm -f "$work/Un_A.exe"
    return "$status"
}
machine_of() { # <file>: x86-64 or i386, from the PE header
    case "$(LC_ALL=C x86_64-w64-mingw32-objdump -f "$1" 2>/dev/null)" in
        *'file format pei-x86-64'*) echo x86-64 ;;
        *'file format pei-i386'*) echo i386 ;;
        *) echo unknown ;;
    esac
}
installed_program() { # <folder> <expected program file>: the program there is that one
    local folder="$1" expected="$2"
    [ -f "$folder/rebar-weight.exe" ] || fail "no program in $folder"
    cmp -s "$folder/rebar-weight.exe" "$expected" \
        || fail "$folder holds a $(machine_of "$folder/rebar-weight.exe") program, not $(basename "$expected") ($(machine_of "$expected"))"
}

# The installed program starts, and the keyboard walk gives 10 m and 15.8 kg; the
# program is left running (close_program ends it).
walk() { # <folder>
    start_program "$1/rebar-weight.exe"
    sleep 1
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    for step in 250 Return 4 Return 16 Return Return; do
        case "$step" in
            Return) xdotool key --delay 60 Return ;;
            *) xdotool type --delay 40 "$step" ;;
        esac
        sleep 0.2
    done
    local texts
    texts="$(wine "$probe" texts 钢筋重量计算 10 | tr -d '\r')"
    grep -qx 15.8 <<<"$texts" && grep -qx 10 <<<"$texts" \
        || fail "the installed program's walk did not give 10 and 15.8: $(tr '\n' ' ' <<<"$texts")"
}

# start_window <title> [file]: the probe's own window, of a class that is not the
# program's, with that title, holding the file open against writers; sets app (the pid).
# close_window ends it as the close box would.
start_window() {
    local file=()
    [ -n "${2:-}" ] && file=("$(in_prefix "$2")")
    wine "$probe" window "$1" 240 "${file[@]}" >/dev/null 2>&1 &
    app=$!
    timeout 30 xdotool search --sync --onlyvisible --name "^$1\$" >/dev/null \
        || fail "the probe showed no window titled $1"
}
close_window() {
    wine taskkill /im "$(basename "$probe")" >/dev/null 2>&1 || true
    timeout 30 tail --pid="$app" -f /dev/null || fail "the probe's window did not close"
    wait "$app" || fail "the probe's window ended with an error"
    app=""
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
    local hive
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
    local hive
    for hive in HKCU HKLM; do
        diff "$work/$1-$hive.txt" "$work/$2-$hive.txt" | grep '^[<>]' || true
    done
}
