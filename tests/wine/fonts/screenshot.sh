#!/usr/bin/env bash
# Screenshot test: the font sample drawn by Wine's X11 driver on a private Xvfb
# display, taken with xwd and checked for the two text lines.
#   screenshot.sh SAMPLE.exe NIVO2.ttf NIVO_IR.ttf OUTPUT_DIR
# Leaves OUTPUT_DIR/font_sample.png. Wine runs in a prefix of its own that uses the
# X11 driver, so the headless prefix of the other tests stays as it is.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../../.." && pwd)
[ $# -eq 4 ] || { echo "usage: screenshot.sh SAMPLE.exe NIVO2.ttf NIVO_IR.ttf OUTPUT_DIR" >&2; exit 2; }
sample=$1 nivo=$2 ir=$3 out=$4

export PELIKAR_WINEPREFIX="${PELIKAR_X11_WINEPREFIX:-$root/build/wineprefix-x11}"
"$root/scripts/wine-prefix.sh"
# shellcheck source=../../../scripts/wine-env.sh
source "$root/scripts/wine-env.sh"
if [ ! -f "$WINEPREFIX/.pelikar-x11" ]; then
  "$WINE" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /t REG_SZ /d x11 /f >/dev/null 2>&1
  "$WINESERVER" -w
  touch "$WINEPREFIX/.pelikar-x11"
fi

work=$(mktemp -d)
xvfb_pid=
sample_pid=
# Ends what this script started: the sample, the X11 prefix's Wine processes, Xvfb.
# shellcheck disable=SC2317  # run by the trap
cleanup() {
  if [ -n "$sample_pid" ]; then kill "$sample_pid" 2>/dev/null || true; fi
  "$WINESERVER" -k 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number when it is ready.
Xvfb -displayfd 3 -screen 0 720x240x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
wait_for() {  # wait_for FILE SECONDS: until FILE is non-empty
  local tries=$(($2 * 10))
  until [ -s "$1" ]; do
    tries=$((tries - 1))
    [ $tries -gt 0 ] || return 1
    sleep 0.1
  done
}
if ! wait_for "$work/display" 10; then
  echo "screenshot: Xvfb did not start" >&2
  cat "$work/xvfb.log" >&2
  exit 1
fi
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY

windows_path() { echo "Z:${1//\//\\}"; }
"$WINE" "$sample" "$(windows_path "$nivo")" "$(windows_path "$ir")" "$(windows_path "$work")" &
sample_pid=$!
if ! wait_for "$work/ready" 60; then
  echo "screenshot: the sample window did not come up" >&2
  exit 1
fi

# The window may reach the X server a moment after it reports ready: a few tries.
mkdir -p "$out"
for try in 1 2 3 4 5; do
  xwd -root -silent -display "$DISPLAY" -out "$work/screen.xwd"
  if /usr/bin/python3 "$here/check_screenshot.py" "$work/screen.xwd" "$work/ready" "$out/font_sample.png" \
       2>"$work/check.log"; then
    touch "$work/done"
    wait "$sample_pid"
    sample_pid=
    echo "screenshot: both lines drawn; $out/font_sample.png"
    exit 0
  fi
  echo "screenshot: try $try: $(tr '\n' ' ' <"$work/check.log")" >&2
  sleep 0.5
done
exit 1
