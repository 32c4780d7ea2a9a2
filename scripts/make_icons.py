#!/usr/bin/env python3
"""Draws the editor's own icons and writes them as PNG files plus a Qt resource list.

How to regenerate
-----------------
    python3 scripts/make_icons.py

(from any directory; paths are taken relative to this file).  It rewrites
resources/icons/<name>.png for every icon below and resources/pictavo.qrc,
which lists them so that code loads them as ":/icons/<name>.png".  The build
does not run this script: after changing an icon, run it and commit the
changed PNG files together with this script.  Output is deterministic: running
the script twice gives byte-identical files.  Only the Python 3 standard
library is needed (zlib and struct write the PNGs).

How to change an icon
---------------------
Most icons are ASCII art below, one character per pixel, 16 characters by 16
rows (app_icon_32: 32 by 32).  '.' is transparent; every other character is a colour from PALETTE
(shared, so the icons keep one style: 1-pixel dark outlines 'K', a few
blues, greys and accent colours).  An icon may add or override characters
with its own small palette.  The clipboard icons share CLIPBOARD and draw
only their 8 x 8 content; the assembler-export icons put a digit of the
3 x 5 DIGITS font on it.  The colour squares and the about-box background
are drawn by code.
"""

import os
import struct
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ICON_DIR = os.path.join(ROOT, "resources", "icons")
QRC_PATH = os.path.join(ROOT, "resources", "pictavo.qrc")

PALETTE = {
    "K": (36, 42, 58),      # outline
    "W": (255, 255, 255),   # white
    "w": (226, 231, 238),   # paper shade
    "l": (196, 202, 212),   # light grey
    "g": (150, 157, 170),   # grey
    "G": (98, 106, 122),    # dark grey
    "c": (196, 224, 250),   # pale blue
    "b": (110, 168, 232),   # light blue
    "B": (44, 106, 196),    # blue
    "N": (28, 52, 104),     # navy
    "y": (255, 212, 84),    # yellow
    "Y": (222, 160, 36),    # gold
    "o": (242, 138, 48),    # orange
    "t": (214, 168, 112),   # tan (wood, clipboard)
    "T": (150, 100, 56),    # brown
    "p": (240, 148, 168),   # pink (erasers)
    "r": (222, 52, 52),     # red
    "R": (150, 24, 30),     # dark red
    "e": (84, 186, 84),     # green
    "E": (30, 122, 48),     # dark green
}

# --------------------------------------------------------------------------
# PNG writing
# --------------------------------------------------------------------------


def _chunk(kind, data):
    return (struct.pack(">I", len(data)) + kind + data
            + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))


def png_bytes(width, height, pixels):
    """pixels: rows of (r, g, b, a) tuples.  Returns an 8-bit RGBA PNG."""
    raw = bytearray()
    for row in pixels:
        raw.append(0)  # filter type: none
        for r, g, b, a in row:
            raw += bytes((r, g, b, a))
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + _chunk(b"IHDR", header)
            + _chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + _chunk(b"IEND", b""))


def write_png(path, width, height, pixels):
    with open(path, "wb") as f:
        f.write(png_bytes(width, height, pixels))


# --------------------------------------------------------------------------
# ASCII art helpers
# --------------------------------------------------------------------------


def render(rows, palette=None, size=None):
    """Turns ASCII art into rows of RGBA pixels, checking its shape."""
    colours = dict(PALETTE)
    colours.update(palette or {})
    height = len(rows)
    width = len(rows[0])
    if size is not None and (width, height) != size:
        raise ValueError("art is %dx%d, expected %dx%d" % (width, height) + size)
    pixels = []
    for y, row in enumerate(rows):
        if len(row) != width:
            raise ValueError("row %d is %d wide, expected %d: %r" % (y, len(row), width, row))
        out = []
        for ch in row:
            if ch == ".":
                out.append((0, 0, 0, 0))
            else:
                out.append(colours[ch] + (255,))
        pixels.append(out)
    return pixels


def overlay(base, top, row, col):
    """Draws ASCII art `top` over `base` at (row, col); '.' in `top` keeps `base`."""
    out = [list(r) for r in base]
    for y, line in enumerate(top):
        for x, ch in enumerate(line):
            if ch != ".":
                out[row + y][col + x] = ch
    return ["".join(r) for r in out]


# --------------------------------------------------------------------------
# Tool bar
# --------------------------------------------------------------------------

ART = {}       # name -> ASCII rows
PALETTES = {}  # name -> extra palette entries

ART["new"] = [
    "................",
    "...KKKKKKK..o...",
    "...KWWWWWKK.oyo.",
    "...KWWWWWKwK.o..",
    "...KWWWWWKwwK...",
    "...KWWWWWKKKKK..",
    "...KWWWWWWWWWK..",
    "...KWWWWWWWWWK..",
    "...KWWWWWWWWWK..",
    "...KWWWWWWWWWK..",
    "...KWWWWWWWWWK..",
    "...KWWWWWWWWWK..",
    "...KWWWWWWWWWK..",
    "...KWWWWWWWWWK..",
    "...KKKKKKKKKKK..",
    "................",
]

ART["open"] = [
    "................",
    "................",
    "................",
    ".KKKK...........",
    "KYYYYK..........",
    "KYYYYYKKKKKKK...",
    "KYYYYYYYYYYYYK..",
    "KYYKKKKKKKKKKKKK",
    "KYYKyyyyyyyyyyyK",
    "KYYKyyyyyyyyyyK.",
    "KYKyyyyyyyyyyyK.",
    "KYKyyyyyyyyyyK..",
    "KKyyyyyyyyyyyK..",
    "KKKKKKKKKKKKKK..",
    "................",
    "................",
]

ART["open_bmp"] = [
    "................",
    "...KKKKKKKKKK...",
    ".KKKccccccyyK...",
    "KYYKccccccyyK...",
    "KYYKcccecccccKK.",
    "KYYKcceeecceKYK.",
    "KYYKceeeeeeeKYK.",
    "KYYKKKKKKKKKKKKK",
    "KYYKyyyyyyyyyyyK",
    "KYYKyyyyyyyyyyK.",
    "KYKyyyyyyyyyyyK.",
    "KYKyyyyyyyyyyK..",
    "KKyyyyyyyyyyyK..",
    "KKKKKKKKKKKKKK..",
    "................",
    "................",
]

ART["save"] = [
    "................",
    ".KKKKKKKKKKKKK..",
    ".KBBKlllGGlKBBK.",
    ".KBBKlllGGlKBBK.",
    ".KBBKlllGGlKBBK.",
    ".KBBKKKKKKKKBBK.",
    ".KBBBBBBBBBBBBK.",
    ".KBBBBBBBBBBBBK.",
    ".KBKKKKKKKKKKBK.",
    ".KBKWWWWWWWWKBK.",
    ".KBKWggggggWKBK.",
    ".KBKWWWWWWWWKBK.",
    ".KBKWggggggWKBK.",
    ".KBKWWWWWWWWKBK.",
    ".KKKKKKKKKKKKKK.",
    "................",
]

ART["save_to_end"] = [
    "..KKKKKKKKK.....",
    "..KWWWWWWWKK....",
    "..KWggggWWKwK...",
    "..KWWWWWWWKKKK..",
    "..KWgggggggWWK..",
    "..KWWWWBBWWWWK..",
    "..KWWWWBBWWWWK..",
    "..KWWWWBBWWWWK..",
    "..KWWBBBBBBWWK..",
    "..KWWWBBBBWWWK..",
    "..KWWWWBBWWWWK..",
    "..KWWWWWWWWWWK..",
    "..KWooooooooWK..",
    "..KWooooooooWK..",
    "..KWWWWWWWWWWK..",
    "..KKKKKKKKKKKK..",
]

ART["undo"] = [
    "................",
    "....K...........",
    "...KBK..........",
    "..KBBKKKKKK.....",
    ".KBBBBBBBBBKK...",
    "KBBBBBBBBBBBBK..",
    ".KBBBBBBBBBBBBK.",
    "..KBBKKKKKBBBBK.",
    "...KBK....KBBBK.",
    "....K.....KBBBK.",
    "..........KBBBK.",
    "........KKBBBK..",
    "......KKBBBBK...",
    ".....KBBBBKK....",
    "......KKKK......",
    "................",
]

# Redo is undo's arrow turned the other way.
ART["redo"] = [row[::-1] for row in ART["undo"]]

# The clipboard shared by the export, paste and copy icons; the 8 x 8
# content goes at row 5, column 4 (CLIP_AT).
CLIPBOARD = [
    ".....KKKKKK.....",
    ".KKKKKllllKKKKK.",
    ".KtttKllllKtttK.",
    ".KtWWKKKKKKWWtK.",
    ".KtWWWWWWWWWWtK.",
    ".KtWWWWWWWWWWtK.",
    ".KtWWWWWWWWWWtK.",
    ".KtWWWWWWWWWWtK.",
    ".KtWWWWWWWWWWtK.",
    ".KtWWWWWWWWWWtK.",
    ".KtWWWWWWWWWWtK.",
    ".KtWWWWWWWWWWtK.",
    ".KtWWWWWWWWWWtK.",
    ".KtWWWWWWWWWWtK.",
    ".KttttttttttttK.",
    ".KKKKKKKKKKKKKK.",
]
CLIP_AT = (5, 4)

CLIP_CONTENT = {
    "export_panel": [
        "KKKKKKKK",
        "KBBBBBBK",
        "KKKKKKKK",
        "KwwwwwwK",
        "KwggggwK",
        "KwwwwwwK",
        "KwgggwwK",
        "KKKKKKKK",
    ],
    "export_cpp": [
        ".BB..BB.",
        ".B....B.",
        ".B....B.",
        "B......B",
        ".B....B.",
        ".B....B.",
        ".BB..BB.",
        "........",
    ],
    "paste_mode": [
        "...BB...",
        "...BB...",
        "...BB...",
        ".BBBBBB.",
        "..BBBB..",
        "...BB...",
        "........",
        "GGGGGGGG",
    ],
    "copy_picture": [
        "KKKKKKKK",
        "KcccccyK",
        "KccccccK",
        "KccecccK",
        "KceeecEK",
        "KeeeeeeK",
        "KKKKKKKK",
        "........",
    ],
    "copy_selection": [
        "KK.KK.KK",
        "K......K",
        "........",
        "K......K",
        "K......K",
        "........",
        "K......K",
        "KK.KK.KK",
    ],
}

# Assembler exports: lines of code and a digit (bits per pixel).
ASM_CONTENT = [
    "gggg....",
    "........",
    "ggg.....",
    "........",
    "gggg....",
    "........",
    "gg......",
    "........",
]
DIGITS = {
    "1": [".N.", "NN.", ".N.", ".N.", "NNN"],
    "2": ["NNN", "..N", "NNN", "N..", "NNN"],
    "4": ["N.N", "N.N", "NNN", "..N", "..N"],
    "8": ["NNN", "N.N", "NNN", "N.N", "NNN"],
}
DIGIT_AT = (7, 9)

ART["align"] = [
    "................",
    "............rR..",
    "........B...rR..",
    "........BB..rR..",
    "..BBBBBBBBB.rR..",
    "........BB..rR..",
    "........B...rR..",
    "............rR..",
    "KKKKKKKKKKKKrR..",
    "KBBKWWKBBKBBrR..",
    "KBBKWWKBBKBBrR..",
    "KKKKKKKKKKKKrR..",
    "............rR..",
    "............rR..",
    "................",
    "................",
]

ART["set_size"] = [
    "................",
    ".........KKKKKK.",
    "........KBBBBBBK",
    ".........KBBBBBK",
    "..........KBBBBK",
    ".........KBBBBBK",
    "........KBBKBBBK",
    ".KKKKKKKBBK.KBBK",
    ".KccccKBBK...KK.",
    ".KcccKBBKK......",
    ".KccKBBKcK......",
    ".KcccKKccK......",
    ".KcccccccK......",
    ".KcccccccK......",
    ".KKKKKKKKK......",
    "................",
]

ART["clear_image"] = [
    "..KKKKKKKK......",
    "..KWWWWWWKK.....",
    "..KWWWWWWKwK....",
    "..KWWWWWWKwwK...",
    "..KWWWWWWKKKKK..",
    "..KWWWWWWWWWWK..",
    "..KWWWWWWWWWWK..",
    "..KWWWWWWWWWWK..",
    "..KWWWWWWKKWWKK.",
    "..KWWWWWKrrKKrrK",
    "..KWWWWWWKrrrrK.",
    "..KWWWWWWWKrrK..",
    "..KWWWWWWKrrrrK.",
    "..KWWWWWKrrKKrrK",
    "..KWWWWWWKKWWKK.",
    "..KKKKKKKKKKKK..",
]

ART["grid"] = [
    "KKKKKKKKKKKKKKKK",
    "KWWgWWgWWgWWgWWK",
    "KWWgWWgWWgWWgWWK",
    "KggggggggggggggK",
    "KWWgWWgWWgWWgWWK",
    "KWWgWWgWWgWWgWWK",
    "KggggggggggggggK",
    "KWWgWWgWWgWWgWWK",
    "KWWgWWgWWgWWgWWK",
    "KggggggggggggggK",
    "KWWgWWgWWgWWgWWK",
    "KWWgWWgWWgWWgWWK",
    "KggggggggggggggK",
    "KWWgWWgWWgWWgWWK",
    "KWWgWWgWWgWWgWWK",
    "KKKKKKKKKKKKKKKK",
]

ART["border"] = [
    "................",
    ".KKKKKKKKKKKKKK.",
    ".KrrrrrrrrrrrrK.",
    ".KrrrrrrrrrrrrK.",
    ".KrrKKKKKKKKrrK.",
    ".KrrK......KrrK.",
    ".KrrK......KrrK.",
    ".KrrK......KrrK.",
    ".KrrK......KrrK.",
    ".KrrK......KrrK.",
    ".KrrK......KrrK.",
    ".KrrKKKKKKKKrrK.",
    ".KrrrrrrrrrrrrK.",
    ".KrrrrrrrrrrrrK.",
    ".KKKKKKKKKKKKKK.",
    "................",
]

ART["exit"] = [
    "................",
    ".KKKKKKKKK......",
    ".KTTTTTTTK......",
    ".KTtttttTK.K....",
    ".KTtttttTKKeK...",
    ".KTtttttTKKeeK..",
    ".KTtttKKKKKeeeK.",
    ".KTTTKeeeeeeeeeK",
    ".KTTTKeeeeeeeeeK",
    ".KTttKeeeeeeeeeK",
    ".KTtttKKKKKeeeK.",
    ".KTtttttTKKeeK..",
    ".KTtttttTKKeK...",
    ".KTtttttTK.K....",
    ".KTTTTTTTK......",
    ".KKKKKKKKK......",
]

# --------------------------------------------------------------------------
# Colours (drawn by code: a 1-pixel dark frame around the display colour)
# --------------------------------------------------------------------------

COLOUR_SQUARES = {
    "color_black": (0, 0, 0),
    "color_gray66": (128, 128, 128),
    "color_gray33": (192, 192, 192),
    "color_white": (255, 255, 255),
    "color_transparent": (0, 128, 128),
}
TRANSPARENT_HINT = (96, 184, 184)  # the lighter checks on the teal square


def colour_square(name):
    fill = COLOUR_SQUARES[name]
    frame = PALETTE["K"]
    pixels = []
    for y in range(16):
        row = []
        for x in range(16):
            if x in (0, 15) or y in (0, 15):
                rgb = frame
            elif name == "color_transparent" and x >= 8 and y >= 8 and ((x - 8) // 2 + (y - 8) // 2) % 2 == 1:
                rgb = TRANSPARENT_HINT
            else:
                rgb = fill
            row.append(rgb + (255,))
        pixels.append(row)
    return pixels


# --------------------------------------------------------------------------
# Tools
# --------------------------------------------------------------------------

ART["pen"] = [
    ".............KK.",
    "............KppK",
    "...........KpppK",
    "..........KpppK.",
    ".........KggpK..",
    "........KyygK...",
    ".......KyyYK....",
    "......KyyYK.....",
    ".....KyyYK......",
    "....KyyYK.......",
    "...KyyYK........",
    "..KttYK.........",
    ".KtttK..........",
    "KNNtK...........",
    "KNNK............",
    ".KK.............",
]

ART["bucket"] = [
    "................",
    "...KKKK.........",
    "..K..KBK........",
    ".K..KlBBK.......",
    ".K.KlllBBK......",
    ".KKlllllBBK.....",
    ".KllllllgBBK....",
    "KllllllgggBBK...",
    ".KllllgggggBBK..",
    "..KllgggggKBBK..",
    "...KgggggK.KBK..",
    "....KgggK...K...",
    ".....KgK...KBK..",
    "......K...KBBBK.",
    "...........KKK..",
    "................",
]

ART["pipe"] = [
    "............KKK.",
    "...........KRRRK",
    "..........KRrrRK",
    "........KKKrrRK.",
    "........KgKKRK..",
    ".......KcgK.K...",
    "......KcbgK.....",
    ".....KcbbK......",
    "....KcbbK.......",
    "...KcbbK........",
    "..KcbbK.........",
    "..KbbK..........",
    ".KbKK...........",
    ".KK.............",
    ".Kb.............",
    "..b.............",
]

ART["change_color"] = [
    "KKKKKKK.........",
    "KrrrrrK.........",
    "KrrrrrK.........",
    "KrrrrrKKKKKK....",
    "KrrrrrK....K....",
    "KrrrrrK....K....",
    "KKKKKKK..KKKKK..",
    "..........KKK...",
    "...........K....",
    ".........KKKKKKK",
    ".........KBBBBBK",
    ".........KBBBBBK",
    ".........KBBBBBK",
    ".........KBBBBBK",
    ".........KBBBBBK",
    ".........KKKKKKK",
]

ART["select_box"] = [
    "................",
    "................",
    ".KKKWWKKKWWKKKK.",
    ".K............K.",
    ".K............K.",
    ".W............W.",
    ".K............K.",
    ".K............K.",
    ".K............K.",
    ".W............W.",
    ".K............K.",
    ".K............K.",
    ".K............K.",
    ".KKKWWKKKWWKKKK.",
    "................",
    "................",
]

ART["line"] = [
    "................",
    ".............KK.",
    "............KBBK",
    "...........KBBK.",
    "..........KBBK..",
    ".........KBBK...",
    "........KBBK....",
    ".......KBBK.....",
    "......KBBK......",
    ".....KBBK.......",
    "....KBBK........",
    "...KBBK.........",
    "..KBBK..........",
    ".KBBK...........",
    "KBBK............",
    ".KK.............",
]

ART["rectangle"] = [
    "................",
    "................",
    "KKKKKKKKKKKKKKKK",
    "KBBBBBBBBBBBBBBK",
    "KBKKKKKKKKKKKKBK",
    "KBK..........KBK",
    "KBK..........KBK",
    "KBK..........KBK",
    "KBK..........KBK",
    "KBK..........KBK",
    "KBK..........KBK",
    "KBKKKKKKKKKKKKBK",
    "KBBBBBBBBBBBBBBK",
    "KKKKKKKKKKKKKKKK",
    "................",
    "................",
]

ART["rectangle_filled"] = [
    "................",
    "................",
    "KKKKKKKKKKKKKKKK",
    "KBBBBBBBBBBBBBBK",
    "KBBBBBBBBBBBBBBK",
    "KBBbbbbbbbbbbBBK",
    "KBBbbbbbbbbbbBBK",
    "KBBbbbbbbbbbbBBK",
    "KBBbbbbbbbbbbBBK",
    "KBBbbbbbbbbbbBBK",
    "KBBbbbbbbbbbbBBK",
    "KBBBBBBBBBBBBBBK",
    "KBBBBBBBBBBBBBBK",
    "KKKKKKKKKKKKKKKK",
    "................",
    "................",
]

# --------------------------------------------------------------------------
# Skin controls
# --------------------------------------------------------------------------

ART["add_icon"] = [
    "KKKKKKKKKKK.....",
    "KcccccccccK.....",
    "KccrrcrrccK.....",
    "KcrrrrrrrcK.....",
    "KcrrrrrrrcK.....",
    "KccrrrrrccK.....",
    "KcccrrrcccK.....",
    "KccccrccccK.....",
    "KcccccccKKKK....",
    "KcccccccKeeK....",
    "KKKKKKKKKeeK....",
    "......KKKeeKKK..",
    "......KeeeeeeK..",
    "......KeeeeeeK..",
    "......KKKeeKKK..",
    "........KeeK....",
]

ART["delete_icon"] = [
    "KKKKKKKKKKK.....",
    "KcccccccccK.....",
    "KccrrcrrccK.....",
    "KcrrrrrrrcK.....",
    "KcrrrrrrrcK.....",
    "KccrrrrrccK.....",
    "KcccrrrcccK.....",
    "KccccrccccK.....",
    "KcccccccccK.....",
    "KcccccccccK.....",
    "KKKKKKKKKKK.....",
    "......KKKKKKKK..",
    "......KrrrrrrK..",
    "......KrrrrrrK..",
    "......KKKKKKKK..",
    "................",
]

ART["add_subicon"] = [
    "....KKKKKKKK....",
    "....KllllllK....",
    "..KKKKKKKKlK....",
    "..KwwwwwwKlK....",
    "KKKKKKKKwKlK....",
    "KccccccKwKlK....",
    "KcrrcrrKwKKK....",
    "KcrrrrrKwK......",
    "KccrrrcKKK......",
    "KcccrccK.KKKK...",
    "KKKKKKKK.KeeK...",
    ".......KKKeeKKK.",
    ".......KeeeeeeK.",
    ".......KeeeeeeK.",
    ".......KKKeeKKK.",
    ".........KeeK...",
]

ART["delete_subicon"] = [
    "....KKKKKKKK....",
    "....KllllllK....",
    "..KKKKKKKKlK....",
    "..KwwwwwwKlK....",
    "KKKKKKKKwKlK....",
    "KccccccKwKlK....",
    "KcrrcrrKwKKK....",
    "KcrrrrrKwK......",
    "KccrrrcKKK......",
    "KcccrccK........",
    "KKKKKKKK........",
    ".......KKKKKKKK.",
    ".......KrrrrrrK.",
    ".......KrrrrrrK.",
    ".......KKKKKKKK.",
    "................",
]

ART["zoom_in"] = [
    "...KKKKKKK......",
    "..KGGGGGGGK.....",
    ".KGGcccccGGK....",
    "KGGcccccccGGK...",
    "KGccccBccccGK...",
    "KGccccBccccGK...",
    "KGccBBBBBccGK...",
    "KGccccBccccGK...",
    "KGccccBccccGK...",
    "KGGcccccccGGK...",
    ".KGGcccccGGTK...",
    "..KGGGGGGGTTTK..",
    "...KKKKKKKKTTTK.",
    "...........KTTTK",
    "............KTTK",
    ".............KK.",
]

ART["zoom_out"] = [
    "...KKKKKKK......",
    "..KGGGGGGGK.....",
    ".KGGcccccGGK....",
    "KGGcccccccGGK...",
    "KGcccccccccGK...",
    "KGcccccccccGK...",
    "KGccBBBBBccGK...",
    "KGcccccccccGK...",
    "KGcccccccccGK...",
    "KGGcccccccGGK...",
    ".KGGcccccGGTK...",
    "..KGGGGGGGTTTK..",
    "...KKKKKKKKTTTK.",
    "...........KTTTK",
    "............KTTK",
    ".............KK.",
]

# --------------------------------------------------------------------------
# Selection panel
# --------------------------------------------------------------------------

ART["select_mode"] = [
    ".KKKWWKKKWWKK...",
    ".K..........K...",
    ".K..........K...",
    ".W..........W...",
    ".K..........K...",
    ".K.....K....K...",
    ".K.....KK...K...",
    ".W.....KWK..W...",
    ".K.....KWWK.K...",
    ".K.....KWWWK....",
    ".KKKWWKKWWWWK...",
    ".......KWWWWWK..",
    ".......KWWKKKK..",
    ".......KWK......",
    ".......KK.......",
    ".......K........",
]

ART["save_select"] = [
    "KKKWWKKKWWKK....",
    "K..........K....",
    "K..........K....",
    "W..........W....",
    "K..........K....",
    "K..........K....",
    "W......KKKKKKKK.",
    "K......KBKlGlKBK",
    "K......KBKlGlKBK",
    "W......KBKKKKKBK",
    "K......KBBBBBBBK",
    "KKKWWKKKBKKKKKBK",
    ".......KBKWWWKBK",
    ".......KBKWWWKBK",
    ".......KKKKKKKKK",
    "................",
]

ART["clear_select"] = [
    "................",
    ".KKKWWKKKWWKKK..",
    ".KbbbbbbbbbbbK..",
    ".KbbbbbbbbbbbK..",
    ".WbbbbbbbbbbbW..",
    ".KbbbbbbbbbbbK..",
    ".KbbbbbbbbbbbK..",
    ".KbbbbbbbKKbbKK.",
    ".WbbbbbbKrrKKrrK",
    ".KbbbbbbbKrrrrK.",
    ".KbbbbbbbbKrrK..",
    ".KbbbbbbbKrrrrK.",
    ".KKKWWKKKrrKKrrK",
    ".........KK..KK.",
    "................",
    "................",
]

ART["crop_select"] = [
    "...GG...........",
    "...GG...........",
    "...GG...........",
    "BBBBBBBBBBBBB...",
    "BBBBBBBBBBBBB...",
    "...GG......BB...",
    "...GG......BB...",
    "...GG......BB...",
    "...GG......BB...",
    "...GG......BB...",
    "...GG......BB...",
    "...GGGGGGGGGGGGG",
    "...GGGGGGGGGGGGG",
    "...........BB...",
    "...........BB...",
    "...........BB...",
]

ART["rotate_left"] = [
    ".......K........",
    "......KBK.......",
    ".....KBBKK......",
    "....KBBBBBKK....",
    "....KBBBBBBBK...",
    ".....KBBKKBBBK..",
    "..KK..KBK.KBBK..",
    ".KBBK..K...KBBK.",
    ".KBBK......KBBK.",
    ".KBBK......KBBK.",
    ".KBBK......KBBK.",
    "..KBBK....KBBK..",
    "..KBBBKKKKBBBK..",
    "...KBBBBBBBBK...",
    "....KKBBBBKK....",
    "......KKKK......",
]

ART["rotate_right"] = [
    "........K.......",
    ".......KBK......",
    "......KKBBK.....",
    "....KKBBBBBK....",
    "...KBBBBBBBK....",
    "..KBBBKKBBK.....",
    "..KBBK.KBK..KK..",
    ".KBBK...K..KBBK.",
    ".KBBK......KBBK.",
    ".KBBK......KBBK.",
    ".KBBK......KBBK.",
    "..KBBK....KBBK..",
    "..KBBBKKKKBBBK..",
    "...KBBBBBBBBK...",
    "....KKBBBBKK....",
    "......KKKK......",
]

ART["flip_horizontal"] = [
    ".......KK.......",
    "......KBBK......",
    ".....KBBBBK.....",
    "....KBBBBBBK....",
    "...KBBBBBBBBK...",
    "....KKKBBKKK....",
    "......KBBK......",
    "rr.rr.KBBK.rr.rr",
    "rr.rr.KBBK.rr.rr",
    "......KBBK......",
    "....KKKBBKKK....",
    "...KBBBBBBBBK...",
    "....KBBBBBBK....",
    ".....KBBBBK.....",
    "......KBBK......",
    ".......KK.......",
]

ART["flip_vertical"] = [
    ".......rr.......",
    ".......rr.......",
    "................",
    "....K..rr..K....",
    "...KBK.rr.KBK...",
    "..KBBK....KBBK..",
    ".KBBBKKKKKKBBBK.",
    "KBBBBBBBBBBBBBBK",
    "KBBBBBBBBBBBBBBK",
    ".KBBBKKKKKKBBBK.",
    "..KBBK....KBBK..",
    "...KBK.rr.KBK...",
    "....K..rr..K....",
    "................",
    ".......rr.......",
    ".......rr.......",
]

# --------------------------------------------------------------------------
# Bitmap import buttons
# --------------------------------------------------------------------------

ART["ok"] = [
    "................",
    "................",
    "............KK..",
    "...........KeeK.",
    "..........KeeeK.",
    ".........KeeeK..",
    "..KK....KeeeK...",
    ".KeeK..KeeeK....",
    ".KeeeKKeeeK.....",
    "..KeeeeeeK......",
    "...KeeeeK.......",
    "....KeeK........",
    ".....KK.........",
    "................",
    "................",
    "................",
]

ART["cancel"] = [
    "................",
    "..KK........KK..",
    ".KrrK......KrrK.",
    ".KrrrK....KrrrK.",
    "..KrrrK..KrrrK..",
    "...KrrrKKrrrK...",
    "....KrrrrrrK....",
    ".....KrrrrK.....",
    ".....KrrrrK.....",
    "....KrrrrrrK....",
    "...KrrrKKrrrK...",
    "..KrrrK..KrrrK..",
    ".KrrrK....KrrrK.",
    ".KrrK......KrrK.",
    "..KK........KK..",
    "................",
]

# --------------------------------------------------------------------------
# Program icon: a pencil over a small checkerboard, at 16 and 32 pixels
# --------------------------------------------------------------------------

ART["app_icon_16"] = [
    "..KKKKKKKKKKKKKK",
    "..KWWWcccWWWKppK",
    "..KWWWcccWWKpppK",
    "..KWWWcccWKpppKK",
    "..KcccWWWKggpKWK",
    "..KcccWWKyygKWWK",
    "..KcccWKyyYKWWWK",
    "..KWWWKyyYKWcccK",
    "..KWWKyyYKWWcccK",
    "..KWKyyYKWWWcccK",
    "..KKyyYKWcccWWWK",
    "..KttYKWWcccWWWK",
    ".KtttKWWWcccWWWK",
    "KNNtKKKKKKKKKKKK",
    "KNNK............",
    ".KK.............",
]

ART["app_icon_32"] = [
    ".....KKKKKKKKKKKKKKKKKKKKKKKKKKK",
    ".....KWWWWWcccccWWWWWcccccKppKWK",
    ".....KWWWWWcccccWWWWWccccKppppKK",
    ".....KWWWWWcccccWWWWWcccKppppppK",
    ".....KWWWWWcccccWWWWWccKpppppppK",
    ".....KWWWWWcccccWWWWWcKpppppppKK",
    ".....KcccccWWWWWcccccKpppppppKcK",
    ".....KcccccWWWWWccccKggpppppKccK",
    ".....KcccccWWWWWcccKWyggpppKcccK",
    ".....KcccccWWWWWccKWyyyggpKccccK",
    ".....KcccccWWWWWcKWyyyyygKcccccK",
    ".....KWWWWWcccccKWyyyyyYKcWWWWWK",
    ".....KWWWWWccccKWyyyyyYKccWWWWWK",
    ".....KWWWWWcccKWyyyyyYKcccWWWWWK",
    ".....KWWWWWccKWyyyyyYKccccWWWWWK",
    ".....KWWWWWcKWyyyyyYKcccccWWWWWK",
    ".....KcccccKWyyyyyYKcWWWWWcccccK",
    ".....KccccKWyyyyyYKccWWWWWcccccK",
    ".....KcccKWyyyyyYKcccWWWWWcccccK",
    ".....KccKWyyyyyYKccccWWWWWcccccK",
    ".....KcKWyyyyyYKcccccWWWWWcccccK",
    ".....KKWyyyyyYKcWWWWWcccccWWWWWK",
    ".....KWyyyyyYKccWWWWWcccccWWWWWK",
    "....KttyyyyYKcccWWWWWcccccWWWWWK",
    "...KttttyyYKccccWWWWWcccccWWWWWK",
    "..KttttttYKcccccWWWWWcccccWWWWWK",
    ".KNttttttKKKKKKKKKKKKKKKKKKKKKKK",
    ".KNNttttK.......................",
    ".KNNNttK........................",
    "KNNNNNK.........................",
    "KNNKKK..........................",
    ".KK.............................",
]

# --------------------------------------------------------------------------
# Assembly
# --------------------------------------------------------------------------

ORDER = [
    # tool bar
    "new", "open", "open_bmp", "save", "save_to_end", "undo", "redo", "export_panel",
    "align", "export_cpp", "export_asm1", "export_asm2", "export_asm4",
    "export_asm8", "set_size", "clear_image", "grid", "border", "exit",
    # colours
    "color_black", "color_gray66", "color_gray33", "color_white",
    "color_transparent",
    # tools
    "pen", "bucket", "pipe", "change_color", "select_box", "line", "rectangle",
    "rectangle_filled",
    # skin controls
    "add_icon", "delete_icon", "add_subicon", "delete_subicon", "zoom_in",
    "zoom_out",
    # selection panel
    "select_mode", "paste_mode", "save_select", "clear_select", "crop_select",
    "rotate_left", "rotate_right", "flip_horizontal", "flip_vertical",
    # export panel
    "copy_picture", "copy_selection",
    # bitmap import
    "ok", "cancel",
    # program
    "app_icon_16", "app_icon_32", "about_background",
]


def icon_names():
    return list(ORDER)


def clipboard_art(content):
    return overlay(CLIPBOARD, content, *CLIP_AT)


def build(name):
    """Returns (width, height, pixels) of one image."""
    if name in COLOUR_SQUARES:
        return 16, 16, colour_square(name)
    if name == "about_background":
        return ABOUT_W, ABOUT_H, about_background()
    if name in CLIP_CONTENT:
        art = clipboard_art(CLIP_CONTENT[name])
    elif name.startswith("export_asm"):
        art = overlay(clipboard_art(ASM_CONTENT), DIGITS[name[-1]], *DIGIT_AT)
    else:
        art = ART[name]
    size = (32, 32) if name == "app_icon_32" else (16, 16)
    return size[0], size[1], render(art, PALETTES.get(name), size)


# --------------------------------------------------------------------------
# About box background (procedural)
# --------------------------------------------------------------------------

ABOUT_W, ABOUT_H = 332, 240
ABOUT_CELL = 12                      # the faint "big pixel" grid
ABOUT_TOP = (222, 238, 251)          # gradient, top band
ABOUT_BOTTOM = (146, 196, 238)       # gradient, bottom band
ABOUT_GRID = (28, 52, 104)           # navy, blended very lightly
ABOUT_QUIET_ROWS = 120               # the grid fades out towards the top

# Sprites for the about box, drawn with big square "pixels".
ABOUT_CLOUD = [
    "...WWWW.......",
    ".WWWWWWWW.WW..",
    "WWWWWWWWWWWWWW",
]
ABOUT_SMALL_CLOUD = [
    "..WWW...",
    "WWWWWWWW",
]
ABOUT_HILLS = [
    "..........eeee..............................eeeee.......",
    "......eeeeeeeeeeee.......................eeeeeeeeeeeee..",
    "..eeeeeeeeeeeeeeeeeeeee...........eeeeeeeeeeeeeeeeeeeeee",
    "eeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeee",
]
ABOUT_HEART = [
    ".rr.rr.",
    "rrrrrrr",
    "rrrrrrr",
    ".rrrrr.",
    "..rrr..",
    "...r...",
]
ABOUT_TRAIL = [  # a stroke of pixels "drawn" by the pencil
    "rrooyyeebb",
]


def _mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def _stamp(img, art, left, top, scale, alpha=1.0, palette=None):
    colours = dict(PALETTE)
    colours.update(palette or {})
    for y, line in enumerate(art):
        for x, ch in enumerate(line):
            if ch == ".":
                continue
            colour = colours[ch]
            for dy in range(scale):
                for dx in range(scale):
                    py, px = top + y * scale + dy, left + x * scale + dx
                    if 0 <= py < ABOUT_H and 0 <= px < ABOUT_W:
                        img[py][px] = _mix(img[py][px], colour, alpha)


def about_background():
    """A calm stepped sky gradient, a faint big-pixel grid and a few sprites.

    Nothing is drawn in the top-left 210 x 66 pixels, where the about box
    writes its text in dark navy; the grid is faintest there.
    """
    bands = ABOUT_H // ABOUT_CELL
    img = []
    for y in range(ABOUT_H):
        band = _mix(ABOUT_TOP, ABOUT_BOTTOM, (y // ABOUT_CELL) / float(bands - 1))
        row = []
        for x in range(ABOUT_W):
            colour = band
            if x % ABOUT_CELL == 0 or y % ABOUT_CELL == 0:
                fade = min(1.0, y / float(ABOUT_QUIET_ROWS))
                colour = _mix(colour, ABOUT_GRID, 0.012 + 0.036 * fade)
            row.append(colour)
        img.append(row)
    soft = {"e": (124, 196, 132), "W": (255, 255, 255)}
    _stamp(img, ABOUT_CLOUD, 228, 24, 6, 0.85, soft)
    _stamp(img, ABOUT_SMALL_CLOUD, 36, 96, 6, 0.7, soft)
    _stamp(img, ABOUT_SMALL_CLOUD, 168, 78, 6, 0.6, soft)
    _stamp(img, ABOUT_HILLS, 0, 216, 6, 0.9, {"e": (118, 190, 128)})
    _stamp(img, ABOUT_HEART, 42, 150, 6, 0.75)
    _stamp(img, ART["pen"], 228, 120, 6)
    _stamp(img, ABOUT_TRAIL, 168, 204, 6, 0.9)
    return [[c + (255,) for c in row] for row in img]


def qrc_text(names):
    # The .qrc sits in resources/ and the files in resources/icons/, so the
    # root prefix plus the plain relative path gives ":/icons/<name>.png".
    lines = ['<!DOCTYPE RCC>', '<RCC version="1.0">', '<qresource prefix="/">']
    for n in names:
        lines.append("    <file>icons/%s.png</file>" % n)
    lines += ["</qresource>", "</RCC>", ""]
    return "\n".join(lines)


def main():
    os.makedirs(ICON_DIR, exist_ok=True)
    names = icon_names()
    for name in names:
        width, height, pixels = build(name)
        write_png(os.path.join(ICON_DIR, name + ".png"), width, height, pixels)
    with open(QRC_PATH, "w", encoding="utf-8", newline="\n") as f:
        f.write(qrc_text(names))
    print("wrote %d images to %s and %s" % (len(names), ICON_DIR, QRC_PATH))


if __name__ == "__main__":
    main()
