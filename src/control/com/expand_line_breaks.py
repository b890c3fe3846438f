#!/usr/bin/env python3
"""Puts real line breaks (CR LF) into the helpstrings of the type library.

The IDL compiler neither interprets the escape "\\r\\n" (it stores the four
characters) nor keeps a line feed typed into a string. So the build goes in two
steps around it:

  idl SOURCE.idl OUT.idl
      writes the IDL with every "\\r\\n" of a helpstring shortened to the
      two-character mark "\\n";
  tlb IN.tlb OUT.tlb SOURCE.idl
      replaces each such mark in the compiled library by the two bytes CR LF.

The mark has the length of the line break, so every string keeps its size. That
matters: a reader of the library may walk its string table record by record
(a 16-bit length, the characters, padding to four bytes), so no record may change
its size.
"""
import re
import struct
import sys

ESCAPE = "\\r\\n"
MARK = "\\n"
LINE_BREAK = b"\r\n"
HELPSTRING = re.compile(r'helpstring\("((?:[^"\\]|\\.)*)"\)')


def marked_helpstrings(idl_text):
    """The helpstrings that hold line breaks, as they stand in the compiled library."""
    found = HELPSTRING.findall(idl_text)
    return sorted({text.replace(ESCAPE, MARK) for text in found if ESCAPE in text})


def shorten(idl_text):
    return HELPSTRING.sub(lambda m: 'helpstring("%s")' % m.group(1).replace(ESCAPE, MARK),
                          idl_text)


def expand(library, text):
    marked = text.encode("ascii")
    record = struct.pack("<H", len(marked)) + marked
    if record not in library:
        raise SystemExit(f"expand_line_breaks: helpstring not found in the library: {text!r}")
    expanded = record.replace(MARK.encode("ascii"), LINE_BREAK)
    assert len(expanded) == len(record)
    return library.replace(record, expanded)


def main(argv):
    if len(argv) == 4 and argv[1] == "idl":
        with open(argv[2], encoding="ascii") as f:
            source = f.read()
        with open(argv[3], "w", encoding="ascii", newline="\n") as f:
            f.write(shorten(source))
    elif len(argv) == 5 and argv[1] == "tlb":
        with open(argv[2], "rb") as f:
            library = f.read()
        with open(argv[4], encoding="ascii") as f:
            texts = marked_helpstrings(f.read())
        if not texts:
            raise SystemExit("expand_line_breaks: no helpstring with a line break in " + argv[4])
        for text in texts:
            library = expand(library, text)
        with open(argv[3], "wb") as f:
            f.write(library)
    else:
        raise SystemExit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
