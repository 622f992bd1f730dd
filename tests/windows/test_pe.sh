#!/usr/bin/env bash
# The Windows program file as a user's machine meets it: a 64-bit GUI program
# (PE32+, no console window) whose static imports are Windows' KnownDLLs and API sets
# only, so no DLL left in the folder it starts from is loaded at start; whose load
# configuration asks Windows to load the imports' own dependencies from System32
# (DependentLoadFlags 0x800); every imported function on the project's allow-list,
# none newer than Windows 7 SP1; OS and subsystem versions 6.1; ASLR (high entropy)
# and DEP; the manifest; the version record 1.00.
#   test_pe.sh <rebar-weight.exe> <imports.txt>
set -euo pipefail
exe="$1"
allowed="$2"
objdump=x86_64-w64-mingw32-objdump
command -v "$objdump" >/dev/null || { echo "SKIP: $objdump is not installed"; exit 77; }

headers="$("$objdump" -p "$exe")"
fail() { echo "FAIL: $*"; exit 1; }
grep -q 'pei-x86-64' <<<"$headers" || fail "not a PE32+ x86-64 file"
grep -q '^Magic[[:space:]]*020b' <<<"$headers" || fail "optional header magic is not PE32+ (020b)"
grep -Eq '^Subsystem[[:space:]]+00000002' <<<"$headers" || fail "not the GUI subsystem"

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

# Function by function: on the allow-list, and there no newer than Windows 7 (6.1).
functions="$(awk '/DLL Name:/ { dll = tolower($3) }
    NF >= 3 && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ && $3 !~ /^0+$/ { print dll, $3 }' <<<"$headers")"
[ -n "$functions" ] || fail "no imported function found"
count=0
while read -r dll function; do
    minimum="$(awk -v d="$dll" -v f="$function" '$1 == d && $2 == f { print $3 }' "$allowed")"
    [ -n "$minimum" ] || fail "imports $dll $function, which is not on $allowed"
    awk -v m="$minimum" 'BEGIN { exit !(m + 0 <= 6.1) }' \
        || fail "imports $dll $function, which needs Windows $minimum: look it up at run time"
    count=$((count + 1))
done <<<"$functions"
echo "imported functions: $count, all on the allow-list, none after Windows 7"

for field in MajorOSystemVersion:6 MinorOSystemVersion:1 MajorSubsystemVersion:6 \
    MinorSubsystemVersion:1; do
    grep -Eq "^${field%%:*}[[:space:]]+${field#*:}$" <<<"$headers" || fail "${field%%:*} is not ${field#*:}"
done
characteristics="$(awk '/^DllCharacteristics/ { print $2 }' <<<"$headers")"
for bit in 20:high-entropy-ASLR 40:ASLR 100:DEP; do
    (( 0x$characteristics & 0x${bit%%:*} )) || fail "${bit#*:} is off (DllCharacteristics $characteristics)"
done
echo "OS and subsystem version 6.1; ASLR (high entropy) and DEP on"

# The manifest, read back: common controls 6, DPI awareness, Windows 7 to 11.
manifest="$(/usr/bin/python3 - "$exe" <<'EOF'
import sys, pefile
pe = pefile.PE(sys.argv[1])
for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
    if kind.id == 24:
        data = kind.directory.entries[0].directory.entries[0].data.struct
        sys.stdout.write(pe.get_data(data.OffsetToData, data.Size).decode("utf-8"))
EOF
)"
for entry in 'Microsoft.Windows.Common-Controls' '>true</dpiAware>' \
    '>PerMonitorV2, PerMonitor</dpiAwareness>' '35138b9a-5d96-4fbd-8e2d-a2440225f93a' \
    '8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a' 'level="asInvoker"'; do
    grep -qF "$entry" <<<"$manifest" || fail "the manifest lacks $entry"
done
echo "manifest: common controls 6, dpiAware true, PerMonitorV2, Windows 7 to 11, asInvoker"

# DependentLoadFlags in the load configuration, read by pefile and, where it is
# installed, by LLVM's reader as a second opinion.
flags="$(/usr/bin/python3 - "$exe" <<'EOF'
import sys, pefile
pe = pefile.PE(sys.argv[1], fast_load=True)
pe.parse_data_directories([pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_LOAD_CONFIG"]])
config = getattr(pe, "DIRECTORY_ENTRY_LOAD_CONFIG", None)
# The 16 bits at 0x4E: pefile 2023 still calls them Reserved1.
field = getattr(config.struct, "DependentLoadFlags", None) if config else None
field = getattr(config.struct, "Reserved1", None) if config and field is None else field
print("none" if field is None else hex(field))
EOF
)" || fail "pefile could not read the load configuration"
[ "$flags" = 0x800 ] || fail "DependentLoadFlags is $flags, not 0x800"
if command -v llvm-readobj-14 >/dev/null; then
    llvm-readobj-14 --coff-load-config "$exe" | grep -Eq 'DependentLoadFlags: 0x800$' \
        || fail "llvm-readobj-14 does not read DependentLoadFlags 0x800"
fi
echo "DependentLoadFlags: $flags"

# The version record and the icon, read back from the resource section.
resources="$(x86_64-w64-mingw32-windres -i "$exe" -O rc)"
for entry in 'FILEVERSION 1, 0, 0, 0' 'PRODUCTVERSION 1, 0, 0, 0' '"FileVersion", "1.00"' \
    '"ProductVersion", "1.00"' 'ICON'; do
    grep -qF "$entry" <<<"$resources" || fail "the resources lack $entry"
done
echo "size: $(stat -c %s "$exe") bytes"
echo "PE32+, GUI subsystem, KnownDLLs only, DependentLoadFlags 0x800, version 1.00"
