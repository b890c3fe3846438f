#!/usr/bin/env bash
# The drive members against the prefix's drive settings: first as the prefix is (no
# CD-ROM drive), then with a scratch directory mapped as CD-ROM drive X: with a volume
# label, the way Wine's own configuration maps one: the value "x:"="cdrom" under
# HKLM\Software\Wine\Drives (in both registry views: a 32-bit process reads its
# own) and the symbolic link dosdevices/x:. Wine reads drive
# types when it starts, so the prefix is let go idle (wineserver -w) after each
# change. The mapping is undone on every way out.
#   drives_test.sh PATH/TO/pelikar_com_tests.exe PATH/TO/Pelikar.ocx SCRATCH_DIRECTORY
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../../scripts/wine-env.sh
source "$here/../../scripts/wine-env.sh"
tests=$1
ocx=$2
scratch=$3

letter=x
label=PELIKAR_CD
link="$WINEPREFIX/dosdevices/$letter:"
cdrom="$scratch/cdrom"
drives='HKLM\Software\Wine\Drives'

run_tests() {
  bash "$here/run_in_wine.sh" "$tests" --gtest_filter="$1" "$ocx"
}

restart_prefix() { "$WINESERVER" -w; }

unmap() {
  rm -f "$link"
  for view in 64 32; do
    "$WINE" reg delete "$drives" /v "$letter:" /f /reg:$view >/dev/null 2>&1 || true
  done
  restart_prefix
}

if [ -e "$link" ] || [ -L "$link" ]; then
  echo "drives_test: $link exists already; this test needs drive $letter: free" >&2
  exit 1
fi

run_tests 'DrivesUnmapped.*'

echo "drives_test: mapping $cdrom as CD-ROM drive ${letter^^}: with label $label"
rm -rf "$cdrom"
mkdir -p "$cdrom"
printf '%s\n' "$label" >"$cdrom/.windows-label"
trap unmap EXIT
ln -s "$cdrom" "$link"
for view in 64 32; do
  "$WINE" reg add "$drives" /v "$letter:" /t REG_SZ /d cdrom /f /reg:$view >/dev/null
done
restart_prefix

PELIKAR_CDROM_ROOT="${letter^^}:\\" PELIKAR_CDROM_LABEL="$label" run_tests 'DrivesMapped.*'
