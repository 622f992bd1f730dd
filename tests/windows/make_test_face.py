#!/usr/bin/python3
"""Writes a copy of the compiled-in Song face that calls itself 宋体 (SimSun), as the face
a Chinese Windows has installed, for the test of the program's choice of an installed
face. Not shipped.
    make_test_face.py <rebar-song.ttf> <output.ttf>
"""
import sys

from fontTools.ttLib import TTFont


def main():
    font = TTFont(sys.argv[1])
    names = font["name"]
    names.names = [r for r in names.names if r.nameID not in (1, 3, 4, 6, 16, 17)]
    for language, family in ((0x409, "SimSun"), (0x804, "宋体")):
        for name_id in (1, 4):
            names.setName(family, name_id, 3, 1, language)
    names.setName("SimSun", 6, 3, 1, 0x409)
    names.setName("SimSun test face", 3, 3, 1, 0x409)
    font.save(sys.argv[2])


if __name__ == "__main__":
    main()
