#!/usr/bin/env python3
"""registry_listing.py PREFIX: a Wine prefix's registry (system.reg as HKLM, user.reg as
HKCU, written when the Wine server ends) as sorted lines, one for each key and value,
without the times Wine stamps on keys, so that two listings compare equal."""
import re
import sys
from pathlib import Path


def listing(path, root):
    # Long data goes on over lines that end in a backslash.
    text = re.sub(r"\\\n\s*", "", path.read_text(encoding="utf-8", errors="surrogateescape"))
    key = None
    for line in text.splitlines():
        if line.startswith("["):  # [Key\\Name] 1700000000: the number is the time
            key = root + "\\" + line[1:line.rindex("]")].replace("\\\\", "\\")
            yield key
        elif key and line and not line.startswith((";", "#")):
            yield key + "\\\\" + line


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: registry_listing.py PREFIX")
    prefix = Path(sys.argv[1])
    lines = [*listing(prefix / "system.reg", "HKLM"), *listing(prefix / "user.reg", "HKCU")]
    sys.stdout.write("".join(line + "\n" for line in sorted(lines)))


if __name__ == "__main__":
    main()
