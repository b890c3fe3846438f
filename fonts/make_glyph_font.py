#!/usr/bin/python3
"""Makes the glyph font of one code page from DejaVu Sans.

    make_glyph_font.py PAGE VIEW SOURCE OUTPUT

PAGE is nivo (face Nivo2) or ir (face Nivo_Ir); VIEW is src/encoding/unicode_view.tsv,
which tells the character each code 128-255 shows; SOURCE is DejaVuSans.ttf.

The result is a Windows symbol font. Drawing a code page's bytes with a symbol-charset
font, Windows looks up code c at U+F000+c, so the (3,0) symbol cmap holds every
printable code there; a (3,1) Unicode cmap holds printable ASCII as well, for programs
that know Unicode only. Every printable code (32-126 and 128-255) has a glyph of its
own, and they come first and in code order: glyph 1 is the space, glyph 95 the tilde,
glyph 96 code 128 and glyph 223 code 255, so a Windows program can check the mapping
without reading the font. The glyphs keep DejaVu's outlines, hinting and names, but
that a form which joins the letter after it reaches a little further to the left;
a character that DejaVu lacks gets a hollow box, a copy of DejaVu's .notdef glyph.
"""
import argparse
import copy
import sys
import unicodedata
from dataclasses import dataclass

from fontTools import subset
from fontTools.ttLib import TTFont, newTable
from fontTools.ttLib.tables import O_S_2f_2
from fontTools.ttLib.tables._c_m_a_p import cmap_format_4
from fontTools.ttLib.tables._g_l_y_f import Glyph
from fontTools.ttLib.tables.ttProgram import Program


@dataclass(frozen=True)
class Page:
    column: int  # of the view table
    family: str
    description: str


PAGES = {
    "nivo": Page(1, "Nivo2", "Persian letter forms and signs of the Nivo code page"),
    "ir": Page(2, "Nivo_Ir", "Persian letter forms, digits and signs of the Iran System code page"),
}

PRINTABLE_CODES = [*range(32, 127), *range(128, 256)]
SYMBOL_BASE = 0xF000
VERSION = "1.000"
FALLBACK = ".notdef"

# A field that keeps its text in Unicode (Wine's edit control does) holds each code
# as the character that the ANSI code page decodes it to, and looks that character up
# in the symbol cmap: below U+0100 at U+F000 plus the character, which is the code
# again; above, as it stands. The symbol cmap holds those characters too, for the
# Western and the Arabic code page (they decode no character from different codes).
ANSI_CODE_PAGES = ("cp1252", "cp1256")

# Name record IDs. The copyright and license records are the source's, so that the
# generated font carries DejaVu's license; the others name the font itself.
COPYRIGHT, FAMILY, SUBFAMILY, UNIQUE_ID, FULL_NAME, VERSION_STRING = 0, 1, 2, 3, 4, 5
POSTSCRIPT_NAME, MANUFACTURER, DESCRIPTION, LICENSE, LICENSE_URL = 6, 8, 10, 13, 14
COPIED_NAMES = (COPYRIGHT, LICENSE, LICENSE_URL)
# Windows reads a symbol font's names in the symbol encoding, other programs in the
# Unicode one: the records go in both.
NAME_ENCODINGS = (0, 1)
ENGLISH_US = 0x409
# OS/2 code page bit 31: the symbol character set.
SYMBOL_CODE_PAGE = 1 << 31

# DejaVu ends the stroke on which a joining form meets its neighbour, from the
# baseline to the tatweel's height, 20 units past the glyph's edge, so two joined
# letters overlap by 40 units. Drawn at 10 or 11 pixels, with each advance rounded
# to whole pixels, that leaves a light hairline between them. A form that joins the
# letter after it (on its left: Persian runs right to left) has its stroke's end
# moved to JOIN_REACH units past its left edge, into the stroke of that letter, which
# is there in every joining form for 100 units from its right edge. Only the left
# stroke is lengthened: a left stroke always meets a letter, where the right stroke
# of an Ir code that also serves the isolated or initial form may end in the air,
# and lengthened it would touch the letter before.
JOINING_STROKE = range(0, 190)  # the heights of its points (meem's: 3 to 187)
JOIN_REACH = 80
TATWEEL = 0x0640


def read_view(path, column):
    """The character each code 128-255 shows in the page of the given column."""
    view = {}
    with open(path, encoding="utf-8") as table:
        for number, line in enumerate(table, 1):
            if line.startswith("#") or not line.strip():
                continue
            fields = line.rstrip("\n").split("\t")
            code = 128 + len(view)
            try:
                if len(fields) != 3 or int(fields[0]) != code:
                    raise ValueError
                view[code] = int(fields[column], 16)
            except ValueError:
                raise SystemExit(f"{path}:{number}: code {code} and two characters in hex expected: "
                                 f"{line.strip()}") from None
    if len(view) != 128:
        raise SystemExit(f"{path}: codes 128-255 expected, found {len(view)}")
    return view


def characters_of(view):
    """The character of every printable code: ASCII below 128, the view's above."""
    return {code: view.get(code, code) for code in PRINTABLE_CODES}


def source_glyphs(source, characters):
    """The source glyph of each code's character, or None where the source has none."""
    cmap = source.getBestCmap()
    return {code: cmap.get(character) for code, character in characters.items()}


def joins_after(character):
    """Whether the form a character shows joins the letter after it."""
    form = unicodedata.decomposition(chr(character)).split(" ")[0]
    return character == TATWEEL or form in ("<initial>", "<medial>")


def decomposed(glyf, glyph):
    """A composite glyph as a simple one with the same outline (DejaVu's Arabic
    glyphs carry no instructions to lose)."""
    coordinates, ends, flags = glyph.getCoordinates(glyf)
    simple = Glyph()
    simple.numberOfContours = len(ends)
    simple.coordinates = coordinates
    simple.endPtsOfContours = list(ends)
    simple.flags = bytearray(flag & 1 for flag in flags)  # on-curve or not
    simple.program = Program()
    simple.program.fromBytecode(b"")
    return simple


def lengthen_left_strokes(font, glyph_names):
    """Moves the left end of each glyph's joining stroke to JOIN_REACH units past its
    left edge. A composite is made simple first: its components may serve glyphs
    that do not join on the left."""
    glyf, hmtx = font["glyf"], font["hmtx"]
    for name in glyph_names:
        if glyf[name].isComposite():
            glyf[name] = decomposed(glyf, glyf[name])
        glyph = glyf[name]
        points = glyph.coordinates
        edge = min(x for x, y in points if y in JOINING_STROKE)
        for i, (x, y) in enumerate(points):
            if x == edge and y in JOINING_STROKE:
                points[i] = (min(x, -JOIN_REACH), y)
        glyph.recalcBounds(glyf)
        hmtx[name] = (hmtx[name][0], glyph.xMin)


def subset_source(path, glyph_names, joining_after):
    """The source font cut down to the given glyphs (and their components), with its
    hinting, without the layout tables: the code page has already chosen each form.
    The glyphs that join the letter after them get their longer stroke first, so
    that components no glyph uses any more are dropped."""
    options = subset.Options()
    options.glyph_names = True
    options.notdef_outline = True
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.layout_features = []
    options.legacy_kern = False
    options.recalc_timestamp = False
    options.drop_tables += ["GSUB", "GPOS", "GDEF", "kern", "MATH", "FFTM"]
    font = TTFont(path, recalcTimestamp=False)
    lengthen_left_strokes(font, joining_after)
    subsetter = subset.Subsetter(options)
    subsetter.populate(glyphs=glyph_names)
    subsetter.subset(font)
    return font


def copy_glyph(font, source_name, new_name):
    font["glyf"][new_name] = copy.deepcopy(font["glyf"][source_name])
    font["hmtx"][new_name] = font["hmtx"][source_name]


def glyph_per_code(font, sources, characters):
    """Gives every code a glyph of its own, copying where a glyph is taken already or
    the source lacks the character; returns code -> glyph name."""
    names = {}
    taken = set()
    for code, source in sources.items():
        if source is None:
            print(f"make_glyph_font: the source has no U+{characters[code]:04X} (code {code}); "
                  "it gets a hollow box", file=sys.stderr)
        name = source or FALLBACK
        if name in taken or name == FALLBACK:
            new_name = f"{name.lstrip('.')}.{code}"
            copy_glyph(font, name, new_name)
            name = new_name
        taken.add(name)
        names[code] = name
    return names


def order_glyphs(font, code_glyphs):
    """.notdef, then the codes' glyphs in code order, then the components."""
    # A glyph still in its compiled form names its components by number: decompile
    # every glyph while the numbers still mean the old order.
    glyf = font["glyf"]
    for name in font.getGlyphOrder():
        glyf[name].expand(glyf)
    first = [FALLBACK, *code_glyphs.values()]
    placed = set(first)
    rest = [name for name in font.getGlyphOrder() if name not in placed]
    order = first + rest
    font.setGlyphOrder(order)
    glyf.glyphOrder = order


def cmap_subtable(encoding, mapping):
    table = cmap_format_4(4)
    table.platformID, table.platEncID, table.language = 3, encoding, 0
    table.cmap = mapping
    return table


def ansi_characters(code):
    """The characters above U+00FF that the ANSI code pages decode a code to."""
    characters = set()
    for code_page in ANSI_CODE_PAGES:
        try:
            characters.add(ord(bytes([code]).decode(code_page)))
        except UnicodeDecodeError:
            pass  # a byte the code page leaves undefined stays below U+0100
    return {character for character in characters if character > 0xFF}


def set_cmap(font, code_glyphs):
    symbol = {SYMBOL_BASE + code: name for code, name in code_glyphs.items()}
    for code, name in code_glyphs.items():
        symbol.update(dict.fromkeys(ansi_characters(code), name))
    ascii_range = {code: name for code, name in code_glyphs.items() if code < 128}
    cmap = newTable("cmap")
    cmap.tableVersion = 0
    cmap.tables = [cmap_subtable(0, symbol), cmap_subtable(1, ascii_range)]
    font["cmap"] = cmap


def set_names(font, page, source_names):
    records = {name_id: source_names.getDebugName(name_id) for name_id in COPIED_NAMES}
    source_version = source_names.getDebugName(VERSION_STRING).removeprefix("Version ")
    records.update({
        FAMILY: page.family,
        SUBFAMILY: "Regular",
        UNIQUE_ID: f"Pelikar: {page.family}: {VERSION}",
        FULL_NAME: page.family,
        VERSION_STRING: f"Version {VERSION}; glyphs of DejaVu Sans {source_version}",
        POSTSCRIPT_NAME: page.family,
        MANUFACTURER: "Pelikar",
        DESCRIPTION: f"{page.description}, with glyphs copied from DejaVu Sans",
    })
    name = newTable("name")
    name.names = []
    for name_id, text in sorted(records.items()):
        for encoding in NAME_ENCODINGS:
            name.setName(text, name_id, 3, encoding, ENGLISH_US)
    font["name"] = name


def set_os2(font, characters):
    os2 = font["OS/2"]
    os2.ulCodePageRange1 = SYMBOL_CODE_PAGE
    os2.ulCodePageRange2 = 0
    os2.usFirstCharIndex = min(PRINTABLE_CODES)
    os2.usLastCharIndex = SYMBOL_BASE + max(PRINTABLE_CODES)
    os2.setUnicodeRanges(O_S_2f_2.intersectUnicodeRanges(characters.values()))
    os2.achVendID = "NONE"


def make_font(page, view_path, source_path):
    characters = characters_of(read_view(view_path, page.column))
    source = TTFont(source_path)
    sources = source_glyphs(source, characters)
    joining_after = {sources[code] for code, character in characters.items() if joins_after(character)}
    font = subset_source(source_path, sorted({name for name in sources.values() if name}),
                         sorted(joining_after - {None}))
    code_glyphs = glyph_per_code(font, sources, characters)
    order_glyphs(font, code_glyphs)
    set_cmap(font, code_glyphs)
    set_names(font, page, source["name"])
    set_os2(font, characters)
    font["head"].fontRevision = float(VERSION)
    return font


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("page", choices=sorted(PAGES))
    parser.add_argument("view", help="the Unicode view table, unicode_view.tsv")
    parser.add_argument("source", help="DejaVuSans.ttf")
    parser.add_argument("output")
    arguments = parser.parse_args()
    make_font(PAGES[arguments.page], arguments.view, arguments.source).save(arguments.output)


if __name__ == "__main__":
    main()
