#!/usr/bin/python3
"""The generated glyph fonts against facts from outside them.

    glyph_fonts_test.py --fonts DIR --view TSV --source DejaVuSans.ttf
                        --tool pelikar --words fa_IR.dic [GROUP...]

Every code draws DejaVu Sans's glyph of the character the Unicode view says it shows,
outline against outline; and words of the Persian word list, typed through the
pelikar tool and drawn by FreeType, join as Unicode's joining types say they must.
"""
import argparse
import math
import os
import random
import subprocess
import sys
import unicodedata
import unittest

import freetype  # Debian's python3-freetype
from fontTools.pens.recordingPen import DecomposingRecordingPen
from fontTools.ttLib import TTFont

PAGES = {"nivo": "nivo2.ttf", "ir": "nivo_ir.ttf"}
PRINTABLE_CODES = [*range(32, 127), *range(128, 256)]
SYMBOL_BASE = 0xF000
FORM_TAGS = ("<initial>", "<medial>", "<final>", "<isolated>")
TATWEEL, ALEF_MADDA = "\u0640", "\u0622"
paths = argparse.Namespace()


def form_and_letters(character):
    """The form tag and the letters of a presentation form: ("<final>", "\u0628")."""
    tag, *letters = unicodedata.decomposition(character).split(" ")
    return (tag, "".join(chr(int(letter, 16)) for letter in letters)) if tag in FORM_TAGS else ("", character)


FORMS = {}  # letter -> the form tags of Unicode's presentation forms of it
for _character in map(chr, range(0xFB50, 0xFF00)):
    _tag, _letters = form_and_letters(_character)
    if _tag and len(_letters) == 1:
        FORMS.setdefault(_letters, set()).add(_tag)


def joins_after(letter):
    return letter == TATWEEL or "<initial>" in FORMS.get(letter, ())


def joins_before(letter):
    return joins_after(letter) or "<final>" in FORMS.get(letter, ())


def codes_of(page, typed):
    """The codes the tool converts lines of typed text to, in visual order."""
    result = subprocess.run([paths.tool, page, "--raw"], input="\n".join(typed).encode() + b"\n",
                            capture_output=True, check=True)
    return result.stdout.split(b"\n")[:len(typed)]


def drawing(font, glyph):
    """A glyph's outline with components resolved, and its advance width."""
    glyphs = font.getGlyphSet()
    pen = DecomposingRecordingPen(glyphs)
    glyphs[glyph].draw(pen)
    return pen.value, font["hmtx"][glyph][0]


class Glyphs(unittest.TestCase):
    def test_every_code_draws_dejavus_glyph_of_the_character_it_shows(self):
        view = {"nivo": {}, "ir": {}}
        with open(paths.view, encoding="utf-8") as table:
            for code, nivo, ir in (line.split() for line in table if line[:1].isdigit()):
                view["nivo"][int(code)], view["ir"][int(code)] = int(nivo, 16), int(ir, 16)
        source = TTFont(paths.source)
        for page, file in PAGES.items():
            font = TTFont(os.path.join(paths.fonts, file))
            cmap = font["cmap"].getcmap(3, 0).cmap
            for code in PRINTABLE_CODES:
                with self.subTest(page=page, code=code):
                    character = view[page].get(code, code)
                    glyph, source_glyph = cmap[SYMBOL_BASE + code], source.getBestCmap()[character]
                    self.assertEqual(glyph.split(".")[0], source_glyph)
                    (drawn, advance), (expected, source_advance) = drawing(font, glyph), drawing(source, source_glyph)
                    self.assertEqual(advance, source_advance)
                    self.assertEqual([op for op, _ in drawn], [op for op, _ in expected])
                    # A form that joins the letter after it reaches a little further left,
                    # on the joining stroke (baseline to tatweel height); nothing else moves.
                    reaches_left = chr(character) == TATWEEL or form_and_letters(chr(character))[0] in FORM_TAGS[:2]
                    for (_, points), (_, were) in zip(drawn, expected):
                        for (x, y), (was_x, was_y) in zip(points, were):
                            if (x, y) != (was_x, was_y):
                                self.assertTrue(reaches_left and y == was_y and 0 <= y < 190 and -100 <= x < was_x,
                                                f"({was_x}, {was_y}) moved to ({x}, {y})")


class RenderedWords(unittest.TestCase):
    """Words of the Persian word list, typed and converted by the tool, drawn with
    FreeType as Windows draws a line: each glyph at a whole pixel, the pen moved on
    by the advance rounded to whole pixels."""
    SIZES = (10, 13, 40)  # pixels: where rounding opens hairlines, a 10-point field, the screenshot

    @staticmethod
    def words():
        """A fixed sample of the words the keys can type and the pages can join as
        Unicode does (neither page has a final alef madda), with their keys."""
        keys = [chr(c) for c in range(33, 127) if chr(c) != "~"]
        shown = subprocess.run([paths.tool, "nivo", "--unicode", "~" + " ".join(keys) + "~"],
                               capture_output=True, text=True, check=True).stdout
        key_of = {TATWEEL: "J"}
        for key, character in sorted(zip(keys, shown.strip().strip("\u202d\u202c").split(" ")[::-1]),
                                     key=lambda pair: not pair[0].islower()):
            tag, letters = form_and_letters(character)
            if tag:
                key_of.setdefault(letters, key)
        with open(paths.words, encoding="utf-8") as word_list:
            candidates = [word for word in word_list.read().split("\n")[1:]
                          if word and all(letter in key_of for letter in word)
                          and not any(b == ALEF_MADDA and joins_after(a) for a, b in zip(word, word[1:]))]
        sample = random.Random(17).sample(candidates, 200)
        return sample, ["~" + "".join(key_of[letter] for letter in word) + "~" for word in sample]

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
        words, typed = self.words()
        for page, file in PAGES.items():
            face = freetype.Face(os.path.join(paths.fonts, file))
            face.select_charmap(freetype.FT_ENCODING_MS_SYMBOL)
            for size in self.SIZES:
                with self.subTest(page=page, size=size):
                    # Letters that join the one before them make one group with it.
                    wrong = [(word, keys, groups, runs) for word, keys, codes in zip(words, typed, codes_of(page, typed))
                             if (runs := self.runs(face, codes, size))
                             != (groups := 1 + sum(1 for a, b in zip(word, word[1:])
                                                   if not (joins_after(a) and joins_before(b))))]
                    self.assertEqual(wrong[:5], [], f"{len(wrong)} of {len(words)} words (word, keys, groups, runs)")


def main():
    parser = argparse.ArgumentParser()
    for option in ("fonts", "view", "source", "tool", "words"):
        parser.add_argument(f"--{option}", required=True)
    _, rest = parser.parse_known_args(namespace=paths)
    unittest.main(argv=[sys.argv[0], *rest], verbosity=2)


if __name__ == "__main__":
    main()
