#!/usr/bin/env bash
# e2e.sh PAD.exe Pelikar.ocx FONTS_DIR SESSION.keys OUTPUT.png: Pelikar Pad typed into
# with real X key events; every field must hold the codes SESSION.expected lists.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
pad=$1 ocx=$2 fonts=$3 session=$4 output=$5 work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bash "$here/../screenshot.sh" --register "$ocx" --act "bash $here/type_session.sh $session" \
  "$output" "$pad" --fonts "$fonts" --dump "$work/typed"
if ! tr -d '\r' <"$work/typed" | diff -u "${session%.keys}.expected" - >&2; then
  echo "e2e: the real text boxes hold other codes (expected, then typed)" >&2
  exit 1
fi
