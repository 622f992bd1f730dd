#!/usr/bin/env bash
# The Windows program file as a user's machine meets it: a 64-bit GUI program
# (PE32+, no console window) that imports DLLs of Windows itself only (no Qt, C++
# runtime, libgcc or winpthread DLL beside it), with the version record 1.00.
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
# Windows' own DLLs, as a clean Windows 10 or 11 has them.
system='^(kernel32|user32|gdi32|shell32|ole32|oleaut32|advapi32|comdlg32|imm32|winmm|ws2_32|uxtheme|dwmapi|shlwapi|version|setupapi|cfgmgr32|wtsapi32|netapi32|userenv|ntdll|msvcrt|d3d9|d3d11|dxgi|dwrite|d2d1|authz|mpr|comctl32|shcore|crypt32|bcrypt|secur32|rpcrt4|api-ms-win-[a-z0-9-]+)\.dll$'
while read -r dll; do
    lower="$(tr '[:upper:]' '[:lower:]' <<<"$dll")"
    grep -Eq "$system" <<<"$lower" || fail "imports $dll, which Windows does not have"
done <<<"$dlls"

# The version record and the icon, read back from the resource section.
resources="$(x86_64-w64-mingw32-windres -i "$exe" -O rc)"
for entry in 'FILEVERSION 1, 0, 0, 0' 'PRODUCTVERSION 1, 0, 0, 0' '"FileVersion", "1.00"' \
    '"ProductVersion", "1.00"' 'ICON'; do
    grep -qF "$entry" <<<"$resources" || fail "the resources lack $entry"
done
echo "size: $(stat -c %s "$exe") bytes"
echo "PE32+, GUI subsystem, Windows DLLs only, version 1.00"
