#!/usr/bin/env bash
# End-to-end: Pelikar Pad on a private Xvfb display, typed into with real X key
# events (type_session.sh); every field must hold the codes SESSION.expected lists
# for them, and a screenshot of the typed form is left in OUTPUT.png.
#   e2e.sh PAD.exe Pelikar.ocx FONTS_DIR SESSION.keys OUTPUT.png
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
[ $# -eq 5 ] || { echo "usage: e2e.sh PAD.exe Pelikar.ocx FONTS_DIR SESSION.keys OUTPUT.png" >&2; exit 2; }
pad=$1 ocx=$2 fonts=$3 session=$4 output=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

bash "$here/../screenshot.sh" --register "$ocx" --act "bash $here/type_session.sh $session" \
  "$output" "$pad" --fonts "$fonts" --dump "$work/typed"
if ! tr -d '\r' <"$work/typed" | diff -u "${session%.keys}.expected" - >"$work/difference"; then
  echo "e2e: the real text boxes hold other codes (expected, then typed):" >&2
  cat "$work/difference" >&2
  exit 1
fi
echo "e2e: every field holds the codes expected for the keys typed"
