#!/usr/bin/python3
"""Points the PE load-config directory of a MinGW-linked program at its
_load_config_used structure, which the linker leaves unreferenced, and recomputes the
checksum. Run with Debian's /usr/bin/python3, which has python3-pefile.

    set_load_config.py <program.exe> <nm>
"""
import subprocess
import sys

import pefile

LOAD_CONFIG = pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_LOAD_CONFIG"]


def main():
    exe, nm = sys.argv[1], sys.argv[2]
    symbols = subprocess.run([nm, exe], check=True, capture_output=True, text=True).stdout
    address = None
    for line in symbols.splitlines():
        fields = line.split()
        if len(fields) == 3 and fields[2] == "_load_config_used":
            address = int(fields[0], 16)
    if address is None:
        sys.exit(f"{exe}: no _load_config_used symbol")

    pe = pefile.PE(exe)
    rva = address - pe.OPTIONAL_HEADER.ImageBase
    size = pe.get_dword_at_rva(rva)
    if size != 0x138:
        sys.exit(f"{exe}: _load_config_used at {rva:#x} says size {size:#x}, not 0x138")
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
