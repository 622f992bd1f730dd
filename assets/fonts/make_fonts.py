#!/usr/bin/python3
"""Makes the two small faces compiled into the program, from Arphic's GB2312 fonts.

rebar-song.ttf ("Rebar Song") is AR PL SungtiL GB cut down to the characters the
program shows: printable ASCII, the full-width forms a Chinese input method types,
and every Chinese character and punctuation mark in the sources. rebar-kai.ttf
("Rebar Kai") is AR PL KaitiM GB cut down to the calculate button's caption. Loading
a few dozen glyphs from memory costs the window about 5 MB less than opening the full
fonts; characters outside the subsets still fall back to the system's fonts.

Needs Debian's fonttools, fonts-arphic-gbsn00lp and fonts-arphic-gkai00mp. Run it
again whenever a text the program shows gains a character; the window tests say when.
"""
import datetime
import pathlib

from fontTools import subset
from fontTools.ttLib import TTFont

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent.parent
SONG = "/usr/share/fonts/truetype/arphic-gbsn00lp/gbsn00lp.ttf"
KAI = "/usr/share/fonts/truetype/arphic-gkai00mp/gkai00mp.ttf"


def source_characters():
    text = ""
    for pattern in ("form/*.h", "calc/*.cpp", "handlers/*.cpp", "handlers/*.in", "qt/*.cpp",
                    "windows/*.cpp", "CMakeLists.txt"):
        for path in ROOT.glob(pattern):
            text += path.read_text(encoding="utf-8")
    return {c for c in text if ord(c) >= 0x2000}


def make(source, characters, family, output):
    today = datetime.date.today().isoformat()
    options = subset.Options()
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.notdef_outline = True
    options.hinting = True
    font = TTFont(source)
    original = font["name"].getDebugName(1)
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=sorted(ord(c) for c in characters))
    subsetter.subset(font)
    notice = (f"Modified {today} by the 钢筋重量计算 developers: subset of {original} "
              f"to the characters the program shows, renamed {family}. Distributed "
              f"under the Arphic Public License (ARPHICPL.TXT).")
    names = font["name"]
    for record in names.names:
        if record.nameID in (1, 4, 16):
            record.string = family
        elif record.nameID == 6:
            record.string = family.replace(" ", "")
    names.setName(notice, 10, 3, 1, 0x409)
    font.save(str(HERE / output))


def main():
    ascii_range = {chr(c) for c in range(0x20, 0x7F)}
    full_width = {chr(c) for c in range(0xFF01, 0xFF5F)} | {"\u3000", "\u3001", "\u3002"}
    make(SONG, ascii_range | full_width | source_characters(), "Rebar Song", "rebar-song.ttf")
    make(KAI, ascii_range | set("计算"), "Rebar Kai", "rebar-kai.ttf")


if __name__ == "__main__":
    main()
