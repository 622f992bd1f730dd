#!/usr/bin/env python3
"""Prints the texts an NSIS installer carries: the strings of its own script header and
of its uninstaller's, one a line, each line starting with "setup:" or "uninstall:".
Both headers are LZMA-compressed inside the file, so no byte search of the .exe finds
them. Only what this project's script builds is read (Unicode, SetCompressor /SOLID
lzma); anything else is an error.
    nsis_texts.py <setup.exe>
"""
import lzma
import re
import struct
import sys

SIGNATURE = b"\xef\xbe\xad\xdeNullsoftInst"


def firstheader(data, start, step):
    """The offset of the first header whose signature is at or after start, at a
    multiple of step (the stub puts its own at a multiple of 512)."""
    found = data.find(SIGNATURE, start + 4)
    while found != -1 and (found - 4) % step:
        found = data.find(SIGNATURE, found + 1)
    if found == -1:
        raise SystemExit("no NSIS header block")
    return found - 4


def solid_stream(block):
    """The decompressed data after a first header: the script header's size, the
    header, then the data blocks."""
    props = block[28:33]
    if props[0] != 0x5D:  # lc=3, lp=0, pb=2: plain LZMA as makensis writes it
        raise SystemExit("not a solid LZMA installer")
    dictionary = struct.unpack("<I", props[1:5])[0]
    decompressor = lzma.LZMADecompressor(lzma.FORMAT_RAW, filters=[
        {"id": lzma.FILTER_LZMA1, "dict_size": dictionary, "lc": 3, "lp": 0, "pb": 2}])
    return decompressor.decompress(block[33:])


def strings(header):
    """The UTF-16 strings of a header that read as text, cut at NULs and at the codes
    makensis puts in place of variables and language strings (below U+0020)."""
    units = header[:len(header) // 2 * 2].decode("utf-16-le", errors="replace")
    for text in re.split("[\x00-\x1f]", units):
        if len(text) > 1 and "\ufffd" not in text and text.isprintable():
            yield text


def main():
    data = open(sys.argv[1], "rb").read()
    stream = solid_stream(data[firstheader(data, 0, 512):])
    size = struct.unpack("<I", stream[:4])[0]
    # The uninstaller is written out of the installer's data, as a block of its own.
    uninstaller = stream[firstheader(stream, 4 + size, 1):]
    unstream = solid_stream(uninstaller)
    unsize = struct.unpack("<I", unstream[:4])[0]
    for name, header in (("setup", stream[4:4 + size]), ("uninstall", unstream[4:4 + unsize])):
        for text in strings(header):
            print(f"{name}: {text}")


if __name__ == "__main__":
    main()
