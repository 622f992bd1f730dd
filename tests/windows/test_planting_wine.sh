#!/usr/bin/env bash
# DLLs planted beside the program or the installer are never loaded. In a fresh
# folder, beside a copy of the file, stand-ins for every DLL name Windows does not
# protect that the program imports or loads (each with the real exports and a marker
# written from DllMain), a qt.conf and plugin folders. Wine is told to prefer a DLL
# found beside the program for those names, as Windows does for them. Then:
#   - a control program importing VERSION.dll normally must load its stand-in, or the
#     test proves nothing;
#   - a program importing only the calculator's KnownDLLs shows what Wine's own DLLs
#     load for any program: at most UxTheme and VERSION;
#   - the program (driven through the keyboard walk, a refusal box and the drop-down
#     list) or the installer (a silent install) loads no stand-in beyond those, and
#     every DLL the run loads that is no KnownDLL comes from system32 (+loaddll).
# The stand-ins and the controls are built for the target's architecture: a 32-bit
# program (or the installer, a 32-bit program) would pass over a 64-bit DLL of the name
# and go on searching, so 64-bit stand-ins would prove nothing beside it.
#   test_planting_wine.sh program <rebar-weight.exe> <DLL name>...
#   test_planting_wine.sh installer <setup.exe> <DLL name>...
set -euo pipefail
mode="$1"
target="$2"
shift 2
planted=("$@")
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/wine_common.sh"
require_wine wineserver xdotool
case "$(LC_ALL=C x86_64-w64-mingw32-objdump -f "$target" 2>/dev/null)" in
    *'file format pei-x86-64'*) triplet=x86_64-w64-mingw32 ;;
    *'file format pei-i386'*) triplet=i686-w64-mingw32 ;;
    *) fail "$target is neither a 64-bit nor a 32-bit x86 Windows program" ;;
esac
gcc=$triplet-gcc-posix
nm=$triplet-nm
command -v "$gcc" >/dev/null || { echo "SKIP: $gcc is not installed"; exit 77; }

# Wine's own DLLs load these for any program, before its code runs, when a DLL of the
# name lies beside it: COMCTL32 among them.
wine_baseline='^(uxtheme|version|comctl32)$'

app=""
work="$(mktemp -d)"
trap 'kill "$app" 2>/dev/null || true; rm -rf "$work"' EXIT
build="$work/build"
mkdir -p "$build"

# One stand-in per name, exporting what MinGW's import library of that DLL names. A
# 32-bit function (stdcall, "name@bytes" in the import library) removes its arguments
# from the stack on return, so each export goes to a stub that returns 0 and removes
# as many bytes as the real one; a 64-bit caller cleans up after itself, and one
# function serves every export.
"$gcc" -O2 -c -o "$build/stand_in.o" "$here/planting/stand_in.c"
objects=("$build/stand_in.o")
if [ "$triplet" = i686-w64-mingw32 ]; then
    for bytes in $(seq 0 4 64); do
        printf '.text\n.globl _stand_in_export_%s\n_stand_in_export_%s:\n\txorl %%eax, %%eax\n\tret $%s\n' \
            "$bytes" "$bytes" "$bytes"
    done >"$build/stdcall.s"
    "$gcc" -c -o "$build/stdcall.o" "$build/stdcall.s"
    objects+=("$build/stdcall.o")
fi
make_stand_in() { # <dll name> <output path>
    local lib
    lib="$("$gcc" -print-file-name="lib$(tr '[:upper:]' '[:lower:]' <<<"$1").a")"
    {
        echo "LIBRARY $1.dll"
        echo "EXPORTS"
        if [ "$triplet" = i686-w64-mingw32 ]; then
            "$nm" --defined-only "$lib" | sed -n 's/.* I __imp__\([^@]*\)@\([0-9]*\)$/\1=stand_in_export_\2/p'
        else
            "$nm" --defined-only "$lib" | sed -n 's/.* I __imp_\(.*\)$/\1=stand_in_export/p'
        fi | sort -u
    } >"$build/$1.def"
    "$gcc" -shared -static-libgcc -o "$2" "${objects[@]}" "$build/$1.def"
}
"$gcc" -O2 -mwindows -o "$build/control_version.exe" "$here/planting/control_version.c" -lversion
"$gcc" -O2 -mwindows -o "$build/control_known.exe" "$here/planting/control_known.c" \
    -lcomdlg32 -limm32 -lole32 -loleaut32 -lshcore -lshlwapi -lws2_32

folder="$work/Downloads"
mkdir -p "$folder"/{platforms,styles,imageformats,plugins/platforms}
for dll in "${planted[@]}"; do
    make_stand_in "$dll" "$folder/$dll.dll"
done
# Qt's plugin folders, and a qt.conf pointing at more: the static Qt reads neither.
for decoy in platforms/qwindows styles/qwindowsvistastyle imageformats/qjpeg \
    imageformats/qico plugins/platforms/qwindows; do
    make_stand_in VERSION "$folder/$decoy.dll"
done
printf '[Paths]\nPrefix=.\nPlugins=plugins\n' >"$folder/qt.conf"
overrides="$(IFS=,; tr '[:upper:]' '[:lower:]' <<<"${planted[*]}")=n,b"
echo "planted beside it, built with $gcc: ${planted[*]}, qt.conf and plugin folders"

markers() { (cd "$folder" && find . -name '*.marker' | sed 's|^\./||; s|\.dll\.marker$||' | sort); }
clear_markers() { find "$folder" -name '*.marker' -delete; }
run_planted() { # <program> [args...]: runs it from the folder, waits for its end
    (cd "$folder" && WINEDLLOVERRIDES="$overrides" wine "$@") >/dev/null 2>&1 || true
    wineserver -w
}

# The control must fall.
cp "$build/control_version.exe" "$folder/"
run_planted "$folder/control_version.exe"
grep -qx VERSION <<<"$(markers)" || fail "the control did not load its planted VERSION.dll: the test cannot see a planted DLL"
echo "control importing VERSION.dll: loaded the stand-in (as it must)"
rm "$folder/control_version.exe"
clear_markers

# What Wine itself loads from beside any program.
cp "$build/control_known.exe" "$folder/"
run_planted "$folder/control_known.exe"
baseline="$(markers)"
rm "$folder/control_known.exe"
clear_markers
while read -r name; do
    [ -z "$name" ] && continue
    grep -Eqi "$wine_baseline" <<<"$name" \
        || fail "a program with KnownDLL imports only loaded the planted $name: Wine's own set grew"
done <<<"$baseline"
echo "Wine's own loads for a KnownDLLs-only program: $(tr '\n' ' ' <<<"$baseline")"

log="$work/loaddll.log"
if [ "$mode" = program ]; then
    cp "$target" "$folder/rebar-weight.exe"
    (cd "$folder" && WINEDLLOVERRIDES="$overrides" WINEDEBUG=+loaddll \
        wine "$folder/rebar-weight.exe" 2>"$log") &
    app=$!
    window="$(timeout 60 xdotool search --sync --onlyvisible --name '^钢筋重量计算$' | head -n 1)" \
        || fail "no window titled 钢筋重量计算 within 60 s"
    sleep 1
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    keys() { for k in "$@"; do xdotool key --delay 60 "$k"; sleep 0.2; done; }
    # The keyboard walk, then 0 ⏎ ⏎ ⏎ ⏎ for the refusal box, closed with ⏎.
    xdotool type --delay 40 250; keys Return 4 Return
    xdotool type --delay 40 16; keys Return Return
    xdotool type --delay 40 0; keys Return Return Return Return
    sleep 1
    boxes="$(xdotool search --onlyvisible --name '^钢筋重量计算$' | wc -l)"
    [ "$boxes" -ge 2 ] || fail "no refusal box came up ($boxes window(s) titled 钢筋重量计算)"
    keys Return
    # The drop-down list of 钢筋直径: open it, pick the next diameter, close it.
    xdotool type --delay 40 250; keys Return Return F4 Down Return
    sleep 1
    wine taskkill /im rebar-weight.exe >/dev/null 2>&1 || true
    timeout 30 tail --pid="$app" -f /dev/null || fail "the program did not end after WM_CLOSE"
    app=""
    wineserver -w
else
    cp "$target" "$folder/setup.exe"
    (cd "$folder" && WINEDLLOVERRIDES="$overrides" WINEDEBUG=+loaddll \
        wine "$folder/setup.exe" /S 2>"$log") || fail "the silent install failed"
    wineserver -w
    # Per user by default: under the user's AppData\Local\Programs.
    installed="$(find "$WINEPREFIX/drive_c/users" -path '*/AppData/Local/Programs/钢筋重量计算' \
        -type d | head -n 1)"
    [ -f "$installed/rebar-weight.exe" ] || fail "the silent install put no program in place"
    wine "$installed/uninstall.exe" /CurrentUser /S >/dev/null 2>&1 || true
    wineserver -w
fi

# No stand-in beyond Wine's own.
loaded="$(markers)"
echo "stand-ins loaded by the $mode run: $(tr '\n' ' ' <<<"$loaded")"
while read -r name; do
    [ -z "$name" ] && continue
    grep -qix "$name" <<<"$baseline" || fail "the $mode loaded the planted $name"
done <<<"$loaded"

# Positive evidence from Wine's loader: every DLL the run loaded comes from system32
# (or Windows' side-by-side store, for the common controls of the installer's
# manifest), but the program itself and Wine's own baseline loads from beside it.
# Wine's trace writes each backslash of a path twice.
paths="$(sed -n 's/.*Loaded L"\([^"]*\)".*/\1/p' "$log" | tr -d '\r' | sed 's/\\\\/\\/g' | sort -u)"
[ -n "$paths" ] || fail "+loaddll logged nothing: the run cannot be judged"
name_of() { sed 's/.*\\//; s/\.[^.]*$//' <<<"$1" | tr '[:upper:]' '[:lower:]'; }
while read -r path; do
    lower="$(tr '[:upper:]' '[:lower:]' <<<"$path")"
    name="$(name_of "$path")"
    case "$lower" in
        *\\windows\\system32\\* | *\\windows\\winsxs\\*) ;; # winsxs: common controls 6
        # The installer's own NSIS plugins (UserInfo for the user's rights, System for
        # the machine's architecture), unpacked into its private, fresh temporary
        # folder and loaded by full path: not from beside the installer.
        *\\temp\\ns*.tmp\\userinfo.dll | *\\temp\\ns*.tmp\\system.dll)
            [ "$mode" = installer ] || fail "the $mode loaded $path" ;;
        *\\rebar-weight.exe | *\\setup.exe) ;;
        *) grep -qix "$name" <<<"$baseline" \
               || fail "the $mode loaded $path, outside system32" ;;
    esac
done <<<"$paths"
echo "every DLL the $mode run loaded came from system32, but Wine's own: $(tr '\n' ' ' <<<"$baseline")"
for dll in "${planted[@]}"; do
    where="$(grep -i "\\\\$dll\.dll$" <<<"$paths" | sort -fu | paste -sd' ' || true)"
    printf '  %-9s %s\n' "$dll" "${where:-not loaded in this run}"
done
