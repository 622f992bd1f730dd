#!/usr/bin/python3
"""Packs a folder into a zip that is the same bytes on every build: entries in sorted
order under the folder's name, every time SOURCE_DATE_EPOCH in UTC, fixed
permissions (0755 for programs, 0644 for the rest), no owner ids or other extra
fields.

    make_zip.py <output.zip> <folder>
"""
import os
import sys
import time
import zipfile


def main():
    out, folder = sys.argv[1], sys.argv[2]
    base = os.path.basename(os.path.normpath(folder))
    names = sorted(os.listdir(folder))
    epoch = os.environ.get("SOURCE_DATE_EPOCH")
    if epoch is None:  # a hand-made zip: the newest file's time
        epoch = max(os.path.getmtime(os.path.join(folder, n)) for n in names)
    # DOS times hold even seconds from 1980 on.
    stamp = time.gmtime(max(int(epoch), 315532800))[:6]

    def entry(name, mode):
        info = zipfile.ZipInfo(name, date_time=stamp)
        info.create_system = 3  # Unix, so the mode below is read
        info.external_attr = mode << 16
        return info

    with zipfile.ZipFile(out, "w") as archive:
        folder_entry = entry(base + "/", 0o40755)
        folder_entry.external_attr |= 0x10  # MS-DOS directory flag
        archive.writestr(folder_entry, b"")
        for name in names:
            with open(os.path.join(folder, name), "rb") as source:
                data = source.read()
            mode = 0o100755 if name.lower().endswith(".exe") else 0o100644
            info = entry(base + "/" + name, mode)
            info.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(info, data, compresslevel=9)


if __name__ == "__main__":
    main()
