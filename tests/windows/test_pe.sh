#!/usr/bin/env bash
# A Windows program file as a user's machine meets it: a GUI program (no console
# window), 64-bit (PE32+, x86-64) or 32-bit (PE32, i386) as asked, whose static imports
# are Windows' KnownDLLs only, so no DLL left in the folder it starts from is loaded at
# start; whose load configuration asks Windows to load the imports' own dependencies
# from System32 (DependentLoadFlags 0x800, at 0x4E in the 64-bit layout and 0x36 in the
# 32-bit one); every imported function on the project's allow-list for its
# architecture, none newer than Windows 7 SP1; OS and subsystem versions 6.1; ASLR with
# relocations kept (high entropy in the 64-bit program) and DEP; the manifest; the
# version record 1.00; under 700 KB. The 32-bit program starts with msvcrt's
# _fpreset (the x87 unit at 53-bit precision), is marked NO_SEH, its load configuration holds
# no SafeSEH table (SEHandlerTable and SEHandlerCount 0), and no code in it touches the
# frame-handler chain at %fs:0, which a control program that registers a handler must
# be caught doing.
#   test_pe.sh <rebar-weight.exe> <imports.txt> <x86-64|i686>
# The installer is a program a user starts from Downloads too; of it, only the manifest
# is ours to check (the rest is NSIS's stub):
#   test_pe.sh <setup.exe> - installer
set -euo pipefail
exe="$1"
allowed="$2"
arch="$3"
# The tools' own words (objdump's "file format"), whatever the desk's language.
export LC_ALL=C
objdump=x86_64-w64-mingw32-objdump
command -v "$objdump" >/dev/null || { echo "SKIP: $objdump is not installed"; exit 77; }
fail() { echo "FAIL: $*"; exit 1; }

if [ "$arch" = installer ]; then
    manifest="$(/usr/bin/python3 "$(dirname "$0")/read_manifest.py" "$exe")" || fail "the manifest"
    for entry in 'Microsoft.Windows.Common-Controls' 'level="asInvoker"'; do
        grep -qF "$entry" <<<"$manifest" || fail "the installer's manifest lacks $entry"
    done
    echo "installer manifest: common controls 6, asInvoker"
    exit 0
fi
case "$arch" in
    x86-64) format=pei-x86-64 magic=020b kind=PE32+ config_offset=0x4E ;;
    i686) format=pei-i386 magic=010b kind=PE32 config_offset=0x36 ;;
    *) fail "architecture $arch is neither x86-64 nor i686" ;;
esac
headers="$("$objdump" -p "$exe")"
grep -q "file format $format\$" <<<"$headers" || fail "not a $kind file ($format)"
grep -q "^Magic[[:space:]]*$magic" <<<"$headers" || fail "optional header magic is not $kind ($magic)"
grep -Eq '^Subsystem[[:space:]]+00000002' <<<"$headers" || fail "not the GUI subsystem"
echo "$kind ($format, magic $magic), GUI subsystem"

dlls="$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | sort -u)"
echo "imports: $(tr '\n' ' ' <<<"$dlls")"
# The KnownDLLs of Windows 10 and 11 that the program needs (HKLM\System\
# CurrentControlSet\Control\Session Manager\KnownDLLs): Windows maps these from
# System32 whatever folder the program starts in. SHCORE is one, but only from
# Windows 8.1 on, so it is not on this list.
known='^(advapi32|comdlg32|gdi32|imm32|kernel32|msvcrt|ole32|oleaut32|shell32|shlwapi|user32|ws2_32)\.dll$'
while read -r dll; do
    lower="$(tr '[:upper:]' '[:lower:]' <<<"$dll")"
    grep -Eq "$known" <<<"$lower" || fail "imports $dll, which is no KnownDLL of Windows 7"
done <<<"$dlls"

# Function by function: on the allow-list for this architecture (entries without one
# hold for both), and there no newer than Windows 7 (6.1).
functions="$(awk '/DLL Name:/ { dll = tolower($3) }
    NF >= 3 && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ && $3 !~ /^0+$/ { print dll, $3 }' <<<"$headers")"
[ -n "$functions" ] || fail "no imported function found"
count=0
while read -r dll function; do
    minimum="$(awk -v d="$dll" -v f="$function" -v a="$arch" \
        '$1 == d && $2 == f && (NF == 3 || $4 == a) { print $3 }' "$allowed")"
    [ -n "$minimum" ] || fail "imports $dll $function, which is not on $allowed for $arch"
    awk -v m="$minimum" 'BEGIN { exit !(m + 0 <= 6.1) }' \
        || fail "imports $dll $function, which needs Windows $minimum: look it up at run time"
    count=$((count + 1))
done <<<"$functions"
echo "imported functions: $count, all on the allow-list for $arch, none after Windows 7"
# The 32-bit start-up resets the x87 unit through msvcrt's _fpreset, to 53-bit
# precision (cmake/mingw-w64-i686.cmake): the C++ runtime's x87 arithmetic then rounds
# as the 64-bit program's SSE2 does.
if [ "$arch" = i686 ]; then
    grep -qx 'msvcrt.dll _fpreset' <<<"$functions" \
        || fail "the start-up does not call msvcrt's _fpreset: the x87 unit keeps 64-bit precision"
    echo "start-up: msvcrt's _fpreset (x87 at 53-bit precision)"
fi

for field in MajorOSystemVersion:6 MinorOSystemVersion:1 MajorSubsystemVersion:6 \
    MinorSubsystemVersion:1; do
    grep -Eq "^${field%%:*}[[:space:]]+${field#*:}$" <<<"$headers" || fail "${field%%:*} is not ${field#*:}"
done
characteristics="$(awk '/^DllCharacteristics/ { print $2 }' <<<"$headers")"
for bit in 40:ASLR 100:DEP; do
    (( 0x$characteristics & 0x${bit%%:*} )) || fail "${bit#*:} is off (DllCharacteristics $characteristics)"
done
# ASLR needs the relocations: the file must not say they were stripped.
file_characteristics="$(awk '/^Characteristics/ { print $2; exit }' <<<"$headers")"
(( (file_characteristics & 0x1) == 0 )) || fail "relocations stripped (Characteristics $file_characteristics)"
grep -Eq '^ *[0-9]+ \.reloc ' <<<"$("$objdump" -h "$exe")" || fail "no .reloc section"
if [ "$arch" = x86-64 ]; then
    (( 0x$characteristics & 0x20 )) || fail "high-entropy ASLR is off (DllCharacteristics $characteristics)"
    echo "OS and subsystem version 6.1; ASLR (high entropy, relocations kept) and DEP on"
else
    (( 0x$characteristics & 0x400 )) || fail "NO_SEH is off (DllCharacteristics $characteristics)"
    echo "OS and subsystem version 6.1; ASLR (relocations kept), DEP and NO_SEH on"
fi

# The manifest, read back: well-formed, its architecture the program's own, common
# controls 6, DPI awareness, Windows 7 to 11.
manifest="$(/usr/bin/python3 "$(dirname "$0")/read_manifest.py" "$exe")" || fail "the manifest"
for entry in 'Microsoft.Windows.Common-Controls' '>true</dpiAware>' \
    '>PerMonitorV2, PerMonitor</dpiAwareness>' '35138b9a-5d96-4fbd-8e2d-a2440225f93a' \
    '8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a' 'level="asInvoker"'; do
    grep -qF "$entry" <<<"$manifest" || fail "the manifest lacks $entry"
done
echo "manifest: common controls 6, dpiAware true, PerMonitorV2, Windows 7 to 11, asInvoker"

# The load configuration, read by pefile: DependentLoadFlags as pefile names the
# field and as the 16 bits at the layout's offset, and the SafeSEH fields.
config="$(/usr/bin/python3 - "$exe" "$config_offset" <<'EOF'
import sys, pefile
pe = pefile.PE(sys.argv[1], fast_load=True)
offset = int(sys.argv[2], 16)
pe.parse_data_directories([pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_LOAD_CONFIG"]])
config = getattr(pe, "DIRECTORY_ENTRY_LOAD_CONFIG", None)
if config is None:
    print("none")
    sys.exit()
s = config.struct
# pefile 2023 still calls the 16 bits after CSDVersion Reserved1.
name = "DependentLoadFlags" if hasattr(s, "DependentLoadFlags") else "Reserved1"
rva = pe.OPTIONAL_HEADER.DATA_DIRECTORY[10].VirtualAddress
print(hex(getattr(s, name)), s.get_field_relative_offset(name) == offset,
      hex(pe.get_word_at_rva(rva + offset)), s.SEHandlerTable, s.SEHandlerCount)
EOF
)" || fail "pefile could not read the load configuration"
read -r flags at_offset word table handlers <<<"$config"
[ "$flags" = 0x800 ] || fail "DependentLoadFlags is $flags, not 0x800"
[ "$at_offset" = True ] && [ "$word" = 0x800 ] \
    || fail "DependentLoadFlags is not the 16 bits at $config_offset ($at_offset, $word there)"
[ "$table" = 0 ] && [ "$handlers" = 0 ] || fail "SEHandlerTable $table, SEHandlerCount $handlers"
if command -v llvm-readobj-14 >/dev/null; then
    loadconfig="$(llvm-readobj-14 --coff-load-config "$exe")"
    grep -Eq 'DependentLoadFlags: 0x800$' <<<"$loadconfig" \
        || fail "llvm-readobj-14 does not read DependentLoadFlags 0x800"
    if [ "$arch" = i686 ]; then
        grep -Eq 'SEHandlerTable: 0x0$' <<<"$loadconfig" && grep -Eq 'SEHandlerCount: 0$' <<<"$loadconfig" \
            || fail "llvm-readobj-14 reads a SafeSEH table"
    fi
fi
echo "DependentLoadFlags: $flags at $config_offset; SEHandlerTable 0, SEHandlerCount 0"

# No frame handler in the 32-bit program: a handler is registered by linking a record
# into the chain whose head is at %fs:0 (the TEB's ExceptionList). Nothing may touch
# it; a control that registers a handler the usual way must be caught.
if [ "$arch" = i686 ]; then
    gcc32=i686-w64-mingw32-gcc-posix
    objdump32=i686-w64-mingw32-objdump
    command -v "$gcc32" >/dev/null || { echo "SKIP: $gcc32 is not installed"; exit 77; }
    chain_access() { "$objdump32" -d "$1" | grep -E '%fs:(0x0|0)?(\(|,|$)' || true; }
    work="$(mktemp -d)"
    trap 'rm -rf "$work"' EXIT
    cat >"$work/control.c" <<'EOF'
#include <windows.h>
static EXCEPTION_DISPOSITION __cdecl handler(void *record, void *frame, void *context, void *dispatcher)
{
    (void)record; (void)frame; (void)context; (void)dispatcher;
    return ExceptionContinueSearch;
}
int main(void)
{
    void *registration[2] = {0, (void *)handler};
    __asm__ volatile("movl %%fs:0, %%eax\n\tmovl %%eax, (%0)\n\tmovl %0, %%fs:0"
                     : : "r"(registration) : "eax", "memory");
    __asm__ volatile("movl (%0), %%eax\n\tmovl %%eax, %%fs:0" : : "r"(registration) : "eax", "memory");
    return 0;
}
EOF
    "$gcc32" -O2 -o "$work/control.exe" "$work/control.c"
    [ -n "$(chain_access "$work/control.exe")" ] \
        || fail "the check does not see the control program register a frame handler"
    found="$(chain_access "$exe")"
    [ -z "$found" ] || fail "code touches the frame-handler chain at %fs:0: $found"
    others="$("$objdump32" -d "$exe" | grep -c '%fs:' || true)"
    echo "frame handlers: none registered (no %fs:0 access; the control's is caught); other %fs uses: $others"
fi

# The version record and the icon, read back from the resource section.
resources="$(x86_64-w64-mingw32-windres -i "$exe" -O rc)"
for entry in 'FILEVERSION 1, 0, 0, 0' 'PRODUCTVERSION 1, 0, 0, 0' '"FileVersion", "1.00"' \
    '"ProductVersion", "1.00"' 'ICON'; do
    grep -qF "$entry" <<<"$resources" || fail "the resources lack $entry"
done
size="$(stat -c %s "$exe")"
[ "$size" -lt 700000 ] || fail "$size bytes: over 700 KB"
echo "size: $size bytes (under 700 KB)"
echo "$kind, GUI subsystem, KnownDLLs only, DependentLoadFlags 0x800, version 1.00"
