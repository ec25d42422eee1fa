#!/usr/bin/python3
"""Makes the Latin faces of the text fonts (src/ui/design/fonts/).

The Simplified Chinese region of the CJK text font maps Latin punctuation
("’", "“", "·", "•") to full-width glyphs. Its Japanese region maps the same
code points to the proportional glyphs of the font's own Latin design. The
Latin face is that region's Latin, Latin punctuation and symbol ranges,
renamed so it can come first in the font families: Latin text then gets
proportional punctuation, and every other glyph and the line metrics stay
exactly those of the CJK font.

Needs Debian's fonts-noto-cjk, fonts-noto-cjk-extra and python3-fonttools:
    /usr/bin/python3 tools/fonts/make-latin-faces.py
"""

import pathlib

from fontTools import subset
from fontTools.ttLib import TTCollection

SOURCE = pathlib.Path("/usr/share/fonts/opentype/noto")
OUT = pathlib.Path(__file__).resolve().parents[2] / "src/ui/design/fonts"

# (collection index, family in the collection, family made)
FACES = [(0, "Noto Sans CJK JP", "Velk Latin"), (5, "Noto Sans Mono CJK JP", "Velk Latin Mono")]
WEIGHTS = {"Velk Latin": ["Regular", "Medium", "Bold"], "Velk Latin Mono": ["Regular", "Bold"]}
RANGES = [(0x20, 0x7E), (0xA0, 0x24F), (0x2B0, 0x36F), (0x2000, 0x20CF), (0x2100, 0x21FF)]


def make(weight, index, source_family, family):
    collection = TTCollection(SOURCE / f"NotoSansCJK-{weight}.ttc")
    font = collection.fonts[index]
    options = subset.Options()
    options.layout_features = ["*"]
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.notdef_outline = True
    subsetter = subset.Subsetter(options)
    unicodes = [u for low, high in RANGES for u in range(low, high + 1)]
    subsetter.populate(unicodes=unicodes)
    subsetter.subset(font)

    source_ps = source_family.replace(" ", "").replace("CJKJP", "CJKjp")
    family_ps = family.replace(" ", "")
    for record in font["name"].names:
        text = record.toUnicode()
        text = text.replace(source_family, family).replace(source_ps, family_ps)
        record.string = text
    cff = font["CFF "].cff
    cff.fontNames = [name.replace(source_ps, family_ps) for name in cff.fontNames]
    top = cff.topDictIndex[0]
    for key in ("FamilyName", "FullName"):
        if hasattr(top, key):
            setattr(top, key, getattr(top, key).replace(source_family, family))
    out = OUT / f"{family_ps}-{weight}.otf"
    font.save(out)
    print(out, out.stat().st_size)


for index, source_family, family in FACES:
    for weight in WEIGHTS[family]:
        make(weight, index, source_family, family)
