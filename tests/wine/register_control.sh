#!/usr/bin/env bash
# Test fixture: prepares the private Wine prefix (once) and registers the control in
# it the way an installer does, with regsvr32.
#   register_control.sh PATH/TO/Pelikar.ocx
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/../.."
"$root/scripts/wine-prefix.sh"
# shellcheck source=../../scripts/wine-env.sh
source "$root/scripts/wine-env.sh"
[ -f "$1" ] || { echo "register_control: no such file: $1" >&2; exit 1; }
"$WINE" regsvr32 /s "Z:${1//\//\\}" || { echo "register_control: regsvr32 failed for $1" >&2; exit 1; }
echo "registered $1"
