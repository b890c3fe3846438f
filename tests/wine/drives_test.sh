#!/usr/bin/env bash
# The drive members with a scratch directory mapped as CD-ROM drive X: with a volume
# label, the way Wine's own configuration maps one: "x:"="cdrom" under
# HKLM\Software\Wine\Drives (in both registry views: a 32-bit process reads its own)
# and the link dosdevices/x:. Wine reads drive types when it starts, so the prefix is
# let go idle after each change. The mapping is undone on every way out.
#   drives_test.sh PATH/TO/pelikar_com_tests.exe PATH/TO/Pelikar.ocx SCRATCH_DIRECTORY
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../../scripts/wine-env.sh
source "$here/../../scripts/wine-env.sh"
tests=$1 ocx=$2 cdrom=$3/cdrom
link="$WINEPREFIX/dosdevices/x:" drives='HKLM\Software\Wine\Drives' label=PELIKAR_CD
if [ -e "$link" ] || [ -L "$link" ]; then
  echo "drives_test: $link exists already; this test needs drive X: free" >&2
  exit 1
fi

# shellcheck disable=SC2317  # run by the trap
unmap() {
  rm -f "$link"
  for view in 64 32; do "$WINE" reg delete "$drives" /v x: /f /reg:$view >/dev/null 2>&1 || true; done
  "$WINESERVER" -w
}
rm -rf "$cdrom" && mkdir -p "$cdrom"
printf '%s\n' "$label" >"$cdrom/.windows-label"
trap unmap EXIT
ln -s "$cdrom" "$link"
for view in 64 32; do "$WINE" reg add "$drives" /v x: /t REG_SZ /d cdrom /f /reg:$view >/dev/null; done
"$WINESERVER" -w
PELIKAR_CDROM_ROOT='X:\' PELIKAR_CDROM_LABEL=$label \
  bash "$here/run_in_wine.sh" "$tests" --gtest_filter='Drives.*' "$ocx"
