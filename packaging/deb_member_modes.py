#!/usr/bin/python3
"""Gives every member of a Debian package's ar archive the mode 100644. CPack writes
them with the modes its temporary files got from the builder's umask (0600 under
umask 077), which dpkg does not mind but lintian and a reproducible build do.

    deb_member_modes.py <package.deb>...
"""
import sys

MODE = b"100644  "  # the 8-byte octal mode field of an ar member header


def fix(path):
    with open(path, "r+b") as deb:
        data = bytearray(deb.read())
        if data[:8] != b"!<arch>\n":
            sys.exit(f"{path}: not an ar archive")
        offset = 8
        while offset + 60 <= len(data):
            data[offset + 40:offset + 48] = MODE
            size = int(data[offset + 48:offset + 58])
            offset += 60 + size + size % 2
        deb.seek(0)
        deb.write(data)


if __name__ == "__main__":
    for package in sys.argv[1:]:
        if package.endswith(".deb"):
            fix(package)
