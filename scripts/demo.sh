#!/usr/bin/env bash
# The Pelikar demo: builds the Windows control, registers it in the project's private
# Wine prefix as an installer would, and runs two sample clients: one types a Persian
# sentence with a number, a second sentence with a date, a masked date and an amount
# into the fields of a sample form key by key through FarsiDown and FarsiPress; the
# other converts a few Persian phrases typed on US keys into both code pages.
# Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

step() { printf '\n== %s\n' "$*"; }

step "Pelikar demo: Persian text entry control (Pelikar.ocx) under Wine"

step "Preparing the machine: packages, the fa_IR locale, the Wine prefix"
bash scripts/bootstrap.sh

step "Building the control and the sample clients (windows-x64 preset)"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! cmake --preset windows-x64 >"$log" 2>&1; then
  cat "$log" >&2
  echo "demo: configuring failed" >&2
  exit 1
fi
cmake --build --preset windows-x64 --target pelikar_ocx typing_session convert_phrases

ocx="$root/build/windows-x64/src/control/com/Pelikar.ocx"
samples="$root/build/windows-x64/samples"

step "Registering $(basename "$ocx") with regsvr32"
# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh"
if ! "$WINE" regsvr32 /s "Z:${ocx//\//\\}"; then
  echo "demo: registering $ocx failed" >&2
  exit 1
fi
echo "registered"

step "Typing into a sample form through the control (keys -> FarsiDown, FarsiPress)"
LC_ALL=C.UTF-8 bash "$root/tests/wine/run_in_wine.sh" "$samples/typing_session.exe"

step "Converting phrases through the control (keyboard-typed -> Nivo and Ir code pages)"
LC_ALL=C.UTF-8 bash "$root/tests/wine/run_in_wine.sh" "$samples/convert_phrases.exe"
