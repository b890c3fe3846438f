#!/usr/bin/env bash
# The Pelikar demo: builds the Windows control and Pelikar Pad, a small host
# application with real text boxes and the control on its form; runs the pad under
# Wine on a private X display (Xvfb) and types into it with real key events, as a user
# at a US keyboard does; prints what each field holds, readably and as codes, and
# leaves a screenshot of the typed form. Then a sample client converts typed phrases
# into both code pages. Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

step() { printf '\n== %s\n' "$*"; }

step "Pelikar demo: Persian text entry control (Pelikar.ocx) under Wine"

step "Preparing the machine: packages, the fa_IR locale, the Wine prefix"
bash scripts/bootstrap.sh

step "Building the control, Pelikar Pad and the command-line tool"
log=$(mktemp)
out="$root/build/demo"
trap 'rm -f "$log"' EXIT
for preset in windows-x64 native; do
  if ! cmake --preset "$preset" >"$log" 2>&1; then
    cat "$log" >&2
    echo "demo: configuring $preset failed" >&2
    exit 1
  fi
done
cmake --build --preset windows-x64 --target pelikar_ocx pelikar_pad pelikar_fonts convert_phrases
cmake --build --preset native --target pelikar
win="$root/build/windows-x64"
mkdir -p "$out"

step "Typing into Pelikar Pad with real key events (xdotool on Xvfb)"
sed -n 's/^# //p' samples/pelikar_pad/demo.keys | head -n 2
rm -f "$out/fields.txt"
LC_ALL=C.UTF-8 bash tests/wine/screenshot.sh --register "$win/src/control/com/Pelikar.ocx" \
  --act "bash $root/tests/wine/e2e/type_session.sh $root/samples/pelikar_pad/demo.keys" \
  "$out/pelikar_pad.png" "$win/samples/pelikar_pad.exe" --fonts "$win/fonts" \
  --dump "$out/fields.txt"

step "What each field holds (shown as its font draws it, and its codes)"
# A field's line as its font draws it: the codes through the tool's Unicode view.
show() {
  local groups
  groups=$(for code in $2; do printf '%03d' "$code"; done)
  printf '%s' "$groups" | build/native/tools/pelikar/pelikar from-codes --unicode --code-page "$1"
}
tr -d '\r' <"$out/fields.txt" | while IFS=$'\t' read -r name codes; do
  page=nivo
  [ "$name" = IrText1 ] && page=ir
  label=$name
  # A multi-line field: one line at a time (CR LF is 13 10).
  while IFS= read -r line; do
    printf '%-8s %s\n' "$label" "$(show "$page" "$line")"
    label=
  done < <(printf '%s\n' "$codes" | sed 's/ *13 10 */\n/g')
  printf '         codes: %s\n' "$codes"
done
echo "The screenshot of the form: $out/pelikar_pad.png"

step "Converting phrases through the control (keyboard-typed -> Nivo and Ir code pages)"
# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh"
"$WINE" regsvr32 /s "Z:${win//\//\\}\\src\\control\\com\\Pelikar.ocx"
# Each result's codes, and the text they show.
LC_ALL=C.UTF-8 bash "$root/tests/wine/run_in_wine.sh" "$win/samples/convert_phrases.exe" |
  tr -d '\r' | while IFS= read -r line; do
    printf '%s\n' "$line"
    case $line in
      *"Nivo codes "*) printf '             %s\n' "$(show nivo "${line##*codes }")" ;;
      *"Ir codes "*) printf '             %s\n' "$(show ir "${line##*codes }")" ;;
    esac
  done
