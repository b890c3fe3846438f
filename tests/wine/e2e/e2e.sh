#!/usr/bin/env bash
# End-to-end: Pelikar Pad on a private Xvfb display, typed into with real X key
# events (type_session.sh), against the typing engine typing the same keys into
# in-memory boxes (pelikar_reference_typing, run in the headless prefix). Every field
# must hold the same codes; a screenshot of the typed form is left in OUTPUT.png.
#   e2e.sh PAD.exe REFERENCE.exe Pelikar.ocx FONTS_DIR SESSION.keys OUTPUT.png
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
[ $# -eq 6 ] || { echo "usage: e2e.sh PAD.exe REFERENCE.exe Pelikar.ocx FONTS_DIR SESSION.keys OUTPUT.png" >&2; exit 2; }
pad=$1 reference=$2 ocx=$3 fonts=$4 session=$5 output=$6
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

bash "$here/../run_in_wine.sh" "$reference" "$session" | tr -d '\r' >"$work/expected"
bash "$here/../screenshot.sh" --register "$ocx" --act "bash $here/type_session.sh $session" \
  "$output" "$pad" --fonts "$fonts" --dump "$work/typed"
tr -d '\r' <"$work/typed" >"$work/typed.lf"
if ! diff -u "$work/expected" "$work/typed.lf" >"$work/difference"; then
  echo "e2e: the real text boxes differ from the typing engine's (expected, then typed):" >&2
  cat "$work/difference" >&2
  exit 1
fi
echo "e2e: every field holds what the typing engine types for the same keys"
cat "$work/typed.lf"
