#!/usr/bin/python3
"""The generated glyph fonts read back with fontTools.

    glyph_fonts_test.py --fonts DIR --view TSV --source DejaVuSans.ttf
                        --generator make_glyph_font.py --tool pelikar
                        --words fa_IR.dic [GROUP...]

Every code's glyph is compared with DejaVu Sans's glyph of the character that the
Unicode view (read here on its own) says the code shows, outline against outline;
typed words go through the pelikar tool and come out as the glyphs of the right
letters in the right forms, named by Unicode from DejaVu's own cmap, and drawn by
FreeType they join as Unicode's joining types say they must.
"""
import argparse
import math
import os
import random
import subprocess
import sys
import tempfile
import unicodedata
import unittest

import freetype  # Debian's python3-freetype
from fontTools.pens.boundsPen import BoundsPen
from fontTools.pens.recordingPen import DecomposingRecordingPen
from fontTools.ttLib import TTFont

PAGES = {"nivo": ("nivo2.ttf", "Nivo2"), "ir": ("nivo_ir.ttf", "Nivo_Ir")}
PERSIAN_CODES = range(128, 256)
ASCII_CODES = range(32, 127)
PRINTABLE_CODES = [*ASCII_CODES, *PERSIAN_CODES]
SYMBOL_BASE = 0xF000
# Family, subfamily, unique, full, PostScript and the typographic and WWS names.
FONT_NAME_IDS = (1, 2, 3, 4, 6, 16, 17, 18, 21, 22)
RESERVED_NAMES = ("DejaVu", "Bitstream", "Vera", "Arev", "Tavmjong")
paths = argparse.Namespace()
_fonts = {}


def font(path):
    if path not in _fonts:
        _fonts[path] = TTFont(path)
    return _fonts[path]


def glyph_font(page):
    return font(os.path.join(paths.fonts, PAGES[page][0]))


def source():
    return font(paths.source)


def read_view():
    """page -> code -> the character the code shows, for codes 128-255."""
    view = {"nivo": {}, "ir": {}}
    with open(paths.view, encoding="utf-8") as table:
        for line in table:
            if line[:1].isdigit():
                code, nivo, ir = line.split()
                view["nivo"][int(code)] = int(nivo, 16)
                view["ir"][int(code)] = int(ir, 16)
    return view


def symbol_cmap(page):
    return glyph_font(page)["cmap"].getcmap(3, 0).cmap


def drawing(ttfont, glyph):
    """A glyph's outline with components resolved, and its advance width."""
    glyphs = ttfont.getGlyphSet()
    pen = DecomposingRecordingPen(glyphs)
    glyphs[glyph].draw(pen)
    return pen.value, ttfont["hmtx"][glyph][0]


def codes_of(page, typed):
    """The codes the tool converts lines of typed text to, in visual order."""
    result = subprocess.run([paths.tool, page, "--raw"], input="\n".join(typed).encode() + b"\n",
                            capture_output=True, check=True)
    return result.stdout.split(b"\n")[:len(typed)]


FORM_TAGS = ("<initial>", "<medial>", "<final>", "<isolated>")
TATWEEL, ALEF_MADDA, YEH_WITH_HAMZA = "\u0640", "\u0622", "\u0626"


def form_and_letters(character):
    """The form tag and the letters of a presentation form: ("<final>", "\u0628")."""
    tag, *letters = unicodedata.decomposition(character).split(" ")
    return (tag, "".join(chr(int(letter, 16)) for letter in letters)) if tag in FORM_TAGS else ("", character)


def presentation_forms():
    """letter -> the form tags of Unicode's presentation forms of it."""
    forms = {}
    for character in map(chr, range(0xFB50, 0xFF00)):
        tag, letters = form_and_letters(character)
        if tag and len(letters) == 1:
            forms.setdefault(letters, set()).add(tag)
    return forms


FORMS = presentation_forms()


def joins_after(letter):
    """Whether a letter joins the letter after it (Unicode's dual joining)."""
    return letter == TATWEEL or "<initial>" in FORMS.get(letter, ())


def joins_before(letter):
    """Whether a letter joins the letter before it (dual or right joining)."""
    return joins_after(letter) or "<final>" in FORMS.get(letter, ())


def letters_of_keys():
    """key -> the letters it types, read from the Nivo page (a code for every form)."""
    keys = [chr(c) for c in range(33, 127) if chr(c) != "~"]
    shown = subprocess.run([paths.tool, "nivo", "--unicode", "~" + " ".join(keys) + "~"],
                           capture_output=True, text=True, check=True).stdout
    shown = shown.strip().strip("\u202d\u202c").split(" ")[::-1]
    assert len(shown) == len(keys), shown
    letters = {key: form_and_letters(character)[1] for key, character in zip(keys, shown)
               if form_and_letters(character)[0]}
    letters["J"] = TATWEEL
    return letters


def name_of_glyph(page, code):
    """The Unicode name of the character whose DejaVu glyph the code draws."""
    glyph = symbol_cmap(page)[SYMBOL_BASE + code]
    characters = [c for c, name in source().getBestCmap().items() if name == glyph]
    name = unicodedata.name(chr(min(characters)))
    return name.removeprefix("ARABIC ").removeprefix("LETTER ").removesuffix(" FORM")


class Cmaps(unittest.TestCase):
    def test_the_symbol_cmap_holds_every_printable_code_at_f000_plus_code(self):
        # Beside them it holds the characters that the ANSI code pages decode the
        # Persian codes to; the Windows test checks those under both code pages.
        for page in PAGES:
            with self.subTest(page):
                block = [c for c in symbol_cmap(page) if SYMBOL_BASE <= c <= SYMBOL_BASE + 0xFF]
                self.assertEqual(sorted(block), [SYMBOL_BASE + code for code in PRINTABLE_CODES])
                persian_glyphs = {symbol_cmap(page)[SYMBOL_BASE + code] for code in PERSIAN_CODES}
                others = {c: glyph for c, glyph in symbol_cmap(page).items() if c not in block}
                self.assertLessEqual(set(others.values()), persian_glyphs)

    def test_the_unicode_cmap_holds_ascii_with_the_same_glyphs(self):
        for page in PAGES:
            with self.subTest(page):
                unicode_cmap = glyph_font(page)["cmap"].getcmap(3, 1).cmap
                self.assertEqual(sorted(unicode_cmap), list(ASCII_CODES))
                for code in ASCII_CODES:
                    self.assertEqual(unicode_cmap[code], symbol_cmap(page)[SYMBOL_BASE + code])

    def test_every_code_has_its_own_glyph_in_code_order(self):
        # The Windows test expects glyph n for the n-th printable code.
        for page in PAGES:
            with self.subTest(page):
                order = [glyph_font(page).getGlyphID(symbol_cmap(page)[SYMBOL_BASE + code])
                         for code in PRINTABLE_CODES]
                self.assertEqual(order, list(range(1, len(PRINTABLE_CODES) + 1)))

    def test_os2_declares_the_symbol_character_set_only(self):
        for page in PAGES:
            with self.subTest(page):
                os2 = glyph_font(page)["OS/2"]
                self.assertEqual((os2.ulCodePageRange1, os2.ulCodePageRange2), (1 << 31, 0))


class Glyphs(unittest.TestCase):
    def assert_draws(self, page, code, character):
        glyph = symbol_cmap(page)[SYMBOL_BASE + code]
        source_glyph = source().getBestCmap()[character]
        self.assertEqual(glyph.split(".")[0], source_glyph, f"{page} {code}: glyph name")
        (drawn, advance), (expected, source_advance) = drawing(glyph_font(page), glyph), drawing(source(), source_glyph)
        self.assertEqual(advance, source_advance)
        self.assertEqual([op for op, _ in drawn], [op for op, _ in expected], f"{page} {code}: U+{character:04X}")
        moved = [(point, was) for (_, points), (_, were) in zip(drawn, expected)
                 for point, was in zip(points, were) if point != was]
        # A form that joins the letter after it reaches a little further left, on the
        # joining stroke (baseline to tatweel height); nothing else changes.
        reaches_left = chr(character) == TATWEEL or form_and_letters(chr(character))[0] in FORM_TAGS[:2]
        for (x, y), (was_x, was_y) in moved:
            self.assertTrue(reaches_left and y == was_y and 0 <= y < 190 and -100 <= x < was_x,
                            f"{page} {code}: ({was_x}, {was_y}) moved to ({x}, {y})")

    def test_every_code_draws_dejavus_glyph_of_the_character_it_shows(self):
        view = read_view()
        for page in PAGES:
            for code in PRINTABLE_CODES:
                with self.subTest(page=page, code=code):
                    self.assert_draws(page, code, view[page][code] if code in PERSIAN_CODES else code)

    def test_codes_have_ink_at_every_edge_where_their_letter_joins(self):
        # Every letter key typed after, before and between tatweels, which join on
        # both sides. Reading runs right to left: a letter that joins the one before
        # it joins on its right side on screen. Neither page has a final alef madda,
        # and the Ir hamza stands in for the final yeh with hamza: shaping leaves
        # those unjoined.
        letters = letters_of_keys()
        contexts = {"J{}": (True, False), "{}J": (False, True), "J{}J": (True, True)}
        keys = [key for key, letter in letters.items() if letter != ALEF_MADDA]
        for page in PAGES:
            with self.subTest(page):
                failing = set()
                for context, (after_tatweel, before_tatweel) in contexts.items():
                    typed = ["~" + context.format(key) + "~" for key in keys]
                    for key, codes in zip(keys, codes_of(page, typed)):
                        code = codes[1 if before_tatweel else 0]
                        if page == "ir" and letters[key] == YEH_WITH_HAMZA and not before_tatweel:
                            continue
                        glyph, glyphs = symbol_cmap(page)[SYMBOL_BASE + code], glyph_font(page).getGlyphSet()
                        bounds = BoundsPen(glyphs)
                        glyphs[glyph].draw(bounds)
                        x_min, _, x_max, _ = bounds.bounds
                        if after_tatweel and joins_before(letters[key][0]) and x_max < glyphs[glyph].width:
                            failing.add((code, "right"))
                        if before_tatweel and joins_after(letters[key][-1]) and x_min > 0:
                            failing.add((code, "left"))
                self.assertEqual(sorted(failing), [], f"{len(failing)} sides without ink")


# Typed words, the glyphs their codes draw in visual (left-to-right) order. The Ir
# code page has one code for the initial and medial forms and one for the final and
# isolated forms of most letters, and its glyphs show the medial and final ones.
WORDS = [
    ("~sghl~", "nivo", ["MEEM ISOLATED", "ALEF FINAL", "LAM MEDIAL", "SEEN INITIAL"]),
    ("~sghl~", "ir", ["MEEM FINAL", "ALEF FINAL", "LAM MEDIAL", "SEEN MEDIAL"]),
    ("~]dc~", "ir", ["ZAIN FINAL", "FARSI YEH MEDIAL", "TCHEH MEDIAL"]),
    ("~Gh~", "nivo", ["ALEF ISOLATED", "LIGATURE LAM WITH ALEF ISOLATED"]),
]


class TypedWords(unittest.TestCase):
    def test_typed_words_draw_the_letters_in_their_forms(self):
        for typed, page, expected in WORDS:
            with self.subTest(typed=typed, page=page):
                codes = subprocess.run([paths.tool, page, typed], capture_output=True, check=True).stdout
                self.assertEqual([name_of_glyph(page, code) for code in codes.rstrip(b"\n")], expected)


class RenderedWords(unittest.TestCase):
    """Words of the Persian word list, typed and converted by the tool, drawn with
    FreeType as Windows draws a line: each glyph at a whole pixel, the pen moved on
    by the advance rounded to whole pixels."""
    SIZES = (10, 13, 40)  # pixels: where rounding opens hairlines, a 10-point field, the screenshot
    SAMPLE = 200

    def words(self, letters):
        """A fixed sample of the words that the keys can type and the code pages can
        join as Unicode does: neither page has a final alef madda."""
        key_of = {}
        for key, letter in sorted(letters.items(), key=lambda item: not item[0].islower()):
            key_of.setdefault(letter, key)
        with open(paths.words, encoding="utf-8") as word_list:
            candidates = [word for word in word_list.read().split("\n")[1:]
                          if word and all(letter in key_of for letter in word)
                          and not any(b == ALEF_MADDA and joins_after(a) for a, b in zip(word, word[1:]))]
        sample = random.Random(17).sample(candidates, self.SAMPLE)
        return sample, ["~" + "".join(key_of[letter] for letter in word) + "~" for word in sample]

    @staticmethod
    def joined_groups(word):
        """Letters that join the one before them, by Unicode's joining types, make
        one group with it."""
        return 1 + sum(1 for a, b in zip(word, word[1:]) if not (joins_after(a) and joins_before(b)))

    @staticmethod
    def runs(face, codes, size):
        """The horizontal runs of ink on the baseline band, the rows that a joining
        stroke covers (from the baseline to the tatweel's height, 184 units). A glyph
        spans the band from its leftmost to its rightmost column that it covers at
        least half: a noon or a yeh dips below the baseline between its ends. Spans
        that touch make one run, unless the two columns either side of where the
        later glyph starts are less than three quarters covered, by the two glyphs
        together, in every band row: that is a hairline."""
        face.set_pixel_sizes(0, size)
        band = range(math.ceil(184 / 2048 * size))
        cover, runs, pen, end = {}, 0, 0, None
        for code in codes:
            face.load_char(SYMBOL_BASE + code, freetype.FT_LOAD_RENDER)
            glyph, bitmap = face.glyph, face.glyph.bitmap
            inked = []
            for row in range(bitmap.rows):
                if glyph.bitmap_top - row - 1 in band:
                    for x in range(bitmap.width):
                        value, column = bitmap.buffer[row * bitmap.pitch + x], pen + glyph.bitmap_left + x
                        key = (glyph.bitmap_top - row - 1, column)
                        cover[key] = min(255, cover.get(key, 0) + value)
                        if value >= 128:
                            inked.append(column)
            if inked:
                solid = all(max(cover.get((y, x), 0) for y in band) >= 192 for x in (pen - 1, pen))
                if end is None or min(inked) > end + 1 or not solid:
                    runs += 1
                    end = max(inked)
                else:
                    end = max(end, max(inked))
            pen += glyph.advance.x >> 6
        return runs

    def test_typed_words_draw_one_run_of_ink_per_joined_group(self):
        words, typed = self.words(letters_of_keys())
        for page in PAGES:
            face = freetype.Face(os.path.join(paths.fonts, PAGES[page][0]))
            face.select_charmap(freetype.FT_ENCODING_MS_SYMBOL)
            for size in self.SIZES:
                with self.subTest(page=page, size=size):
                    wrong = [(word, keys, self.joined_groups(word), runs) for word, keys, codes
                             in zip(words, typed, codes_of(page, typed))
                             if (runs := self.runs(face, codes, size)) != self.joined_groups(word)]
                    self.assertEqual(wrong[:5], [], f"{len(wrong)} of {len(words)} words (word, keys, groups, runs)")


class Names(unittest.TestCase):
    def names(self, page, name_id):
        """The record in each Windows encoding: symbol (0) and Unicode (1)."""
        return [glyph_font(page)["name"].getName(name_id, 3, encoding, 0x409).toUnicode() for encoding in (0, 1)]

    def test_faces_are_their_own(self):
        for page, (_, face) in PAGES.items():
            with self.subTest(page):
                for name_id in (1, 4, 6):  # family, full name, PostScript name
                    self.assertEqual(self.names(page, name_id), [face, face])

    def test_no_name_of_the_font_is_a_name_of_the_source(self):
        # DejaVu's license allows changed fonts only under other names. (The version
        # string may say where the glyphs come from.)
        for page in PAGES:
            for record in glyph_font(page)["name"].names:
                if record.nameID in FONT_NAME_IDS:
                    for reserved in RESERVED_NAMES:
                        self.assertNotIn(reserved, record.toUnicode(), f"{page} name {record.nameID}")

    def test_copyright_and_license_records_are_the_sources(self):
        for page in PAGES:
            for name_id in (0, 13, 14):  # copyright, license, license URL
                with self.subTest(page=page, name_id=name_id):
                    expected = source()["name"].getName(name_id, 3, 1, 0x409).toUnicode()
                    self.assertEqual(self.names(page, name_id), [expected, expected])

    def test_the_license_text_lies_beside_the_fonts(self):
        with open(os.path.join(paths.fonts, "LICENSE-DejaVu.txt"), encoding="utf-8") as license_file:
            shipped = " ".join(license_file.read().split())
        license_text = source()["name"].getName(13, 3, 1, 0x409).toUnicode()
        self.assertIn(" ".join(license_text.split()), shipped)


class Generator(unittest.TestCase):
    def run_generator(self, page, view, source_font, output):
        return subprocess.run([sys.executable, paths.generator, page, view, source_font, output],
                              capture_output=True, text=True)

    def test_characters_the_source_lacks_get_a_hollow_box(self):
        lacking = {128: 0x066A, 236: 0xFEFB}  # Nivo: Arabic percent sign, lam-alef
        with tempfile.TemporaryDirectory() as scratch:
            cut = TTFont(paths.source)
            for table in cut["cmap"].tables:
                for character in lacking.values():
                    table.cmap.pop(character, None)
            cut.save(os.path.join(scratch, "cut.ttf"))
            result = self.run_generator("nivo", paths.view, os.path.join(scratch, "cut.ttf"),
                                        os.path.join(scratch, "out.ttf"))
            self.assertEqual(result.returncode, 0, result.stderr)
            made = TTFont(os.path.join(scratch, "out.ttf"))
            cmap = made["cmap"].getcmap(3, 0).cmap
            box = drawing(source(), ".notdef")
            for code, character in lacking.items():
                self.assertIn(f"U+{character:04X} (code {code})", result.stderr)
                self.assertEqual(drawing(made, cmap[SYMBOL_BASE + code]), box)
            own_glyphs = {cmap[SYMBOL_BASE + code] for code in PRINTABLE_CODES}
            self.assertEqual(len(own_glyphs), len(PRINTABLE_CODES), "the boxes are glyphs of their own")
            self.assertEqual(drawing(made, cmap[SYMBOL_BASE + 129]), drawing(source(), "uni066D"))

    def test_a_view_with_a_missing_or_broken_row_is_refused(self):
        with open(paths.view, encoding="utf-8") as table:
            lines = table.readlines()
        row_of_130 = next(i for i, line in enumerate(lines) if line.startswith("130\t"))
        cases = {
            "a gap": lines[:row_of_130] + lines[row_of_130 + 1:],
            "a short table": lines[:row_of_130],
            "a missing column": lines[:row_of_130] + ["130\t066B\n"] + lines[row_of_130 + 1:],
            "no hex number": lines[:row_of_130] + ["130\t066B\tx6F2\n"] + lines[row_of_130 + 1:],
        }
        with tempfile.TemporaryDirectory() as scratch:
            for case, content in cases.items():
                with self.subTest(case):
                    view = os.path.join(scratch, "view.tsv")
                    with open(view, "w", encoding="utf-8") as broken:
                        broken.writelines(content)
                    result = self.run_generator("ir", view, paths.source, os.path.join(scratch, "out.ttf"))
                    self.assertNotEqual(result.returncode, 0)
                    self.assertIn("view.tsv", result.stderr)
                    self.assertFalse(os.path.exists(os.path.join(scratch, "out.ttf")))


def main():
    parser = argparse.ArgumentParser()
    for option in ("fonts", "view", "source", "generator", "tool", "words"):
        parser.add_argument(f"--{option}", required=True)
    _, rest = parser.parse_known_args(namespace=paths)
    unittest.main(argv=[sys.argv[0], *rest], verbosity=2)


if __name__ == "__main__":
    main()
