#!/usr/bin/env bash
# The Windows program file as a user's machine meets it: a 64-bit GUI program
# (PE32+, no console window) whose static imports are Windows' KnownDLLs and API sets
# only, so no DLL left in the folder it starts from is loaded at start; whose load
# configuration asks Windows to load the imports' own dependencies from System32
# (DependentLoadFlags 0x800); with the version record 1.00.
#   test_pe.sh <rebar-weight.exe>
set -euo pipefail
exe="$1"
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
# System32 whatever folder the program starts in. Any other DLL must be delay-loaded
# (packaging/windows/system32_only.cmake), or added here with the reason.
known='^(advapi32|comdlg32|gdi32|imm32|kernel32|msvcrt|ole32|oleaut32|shcore|shell32|shlwapi|user32|ws2_32|api-ms-win-[a-z0-9-]+)\.dll$'
while read -r dll; do
    lower="$(tr '[:upper:]' '[:lower:]' <<<"$dll")"
    grep -Eq "$known" <<<"$lower" || fail "imports $dll, which is no KnownDLL: delay-load it"
done <<<"$dlls"

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
echo "PE32+, GUI subsystem, KnownDLLs and API sets only, DependentLoadFlags 0x800, version 1.00"
