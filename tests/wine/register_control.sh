#!/usr/bin/env bash
# Test fixture: prepares the private Wine prefix (once) and registers the control in
# it the way an installer does, with regsvr32.
#   register_control.sh PATH/TO/Pelikar.ocx
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root="$here/../.."
"$root/scripts/wine-prefix.sh"
# shellcheck source=../../scripts/wine-env.sh
source "$root/scripts/wine-env.sh"

ocx=$1
[ -f "$ocx" ] || { echo "register_control: no such file: $ocx" >&2; exit 1; }
if ! "$WINE" regsvr32 /s "Z:${ocx//\//\\}"; then
  echo "register_control: regsvr32 failed for $ocx" >&2
  exit 1
fi
echo "registered $ocx"
