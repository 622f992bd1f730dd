#!/usr/bin/python3
"""Points the PE load-config directory of a MinGW-linked program at its
_load_config_used structure, which the linker leaves unreferenced, and recomputes the
checksum. Run with Debian's /usr/bin/python3, which has python3-pefile.

The 64-bit program (PE32+) holds the 0x138-byte IMAGE_LOAD_CONFIG_DIRECTORY64; the
32-bit one (PE32) the 0xBC-byte IMAGE_LOAD_CONFIG_DIRECTORY32, under the object symbol
__load_config_used (i686 symbols carry a leading underscore).

    set_load_config.py <program.exe> <nm>
"""
import subprocess
import sys

import pefile

LOAD_CONFIG = pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_LOAD_CONFIG"]
# Per optional-header magic: the symbol's name and the structure's size.
LAYOUTS = {
    pefile.OPTIONAL_HEADER_MAGIC_PE_PLUS: ("_load_config_used", 0x138),
    pefile.OPTIONAL_HEADER_MAGIC_PE: ("__load_config_used", 0xBC),
}


def main():
    exe, nm = sys.argv[1], sys.argv[2]
    pe = pefile.PE(exe)
    if pe.OPTIONAL_HEADER.Magic not in LAYOUTS:
        sys.exit(f"{exe}: optional header magic {pe.OPTIONAL_HEADER.Magic:#x} is neither PE32 nor PE32+")
    symbol, expected = LAYOUTS[pe.OPTIONAL_HEADER.Magic]
    symbols = subprocess.run([nm, exe], check=True, capture_output=True, text=True).stdout
    address = None
    for line in symbols.splitlines():
        fields = line.split()
        if len(fields) == 3 and fields[2] == symbol:
            address = int(fields[0], 16)
    if address is None:
        sys.exit(f"{exe}: no {symbol} symbol")

    rva = address - pe.OPTIONAL_HEADER.ImageBase
    size = pe.get_dword_at_rva(rva)
    if size != expected:
        sys.exit(f"{exe}: {symbol} at {rva:#x} says size {size:#x}, not {expected:#x}")
    entry = pe.OPTIONAL_HEADER.DATA_DIRECTORY[LOAD_CONFIG]
    entry.VirtualAddress = rva
    entry.Size = size
    patched = pefile.PE(data=bytes(pe.write()))
    pe.close()
    # The checksum over the patched headers.
    patched.OPTIONAL_HEADER.CheckSum = patched.generate_checksum()
    with open(exe, "wb") as out:
        out.write(patched.write())


if __name__ == "__main__":
    main()
