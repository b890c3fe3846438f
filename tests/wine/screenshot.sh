#!/usr/bin/env bash
# screenshot.sh [--register OCX] [--act COMMAND] OUTPUT.png|- PROGRAM [ARGUMENT...]: PROGRAM,
# given its arguments and a signal directory, draws on a private Xvfb display in an X11
# prefix of its own, writes SIGNAL_DIR\ready with the rectangles where text stands, and
# ends when SIGNAL_DIR\done appears. The screen (xwd) must show ink in each; the one
# named "window" is left in OUTPUT.png. --act runs COMMAND READY before the shot.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
register= act=
while [[ ${1:-} == --register || ${1:-} == --act ]]; do
  if [ "$1" = --register ]; then register=$2; else act=$2; fi
  shift 2
done
output=$1 program=$2
shift 2
windows() { if [[ $1 == /* ]]; then echo "Z:${1//\//\\}"; else echo "$1"; fi; }

export PELIKAR_WINEPREFIX="${PELIKAR_X11_WINEPREFIX:-$root/build/wineprefix-x11}"
"$root/scripts/wine-prefix.sh"
# shellcheck source=../../scripts/wine-env.sh
source "$root/scripts/wine-env.sh"
if [ ! -f "$WINEPREFIX/.pelikar-x11" ]; then
  "$WINE" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /t REG_SZ /d x11 /f >/dev/null 2>&1
  "$WINESERVER" -w
  touch "$WINEPREFIX/.pelikar-x11"
fi

work=$(mktemp -d) xvfb_pid= program_pid=
# Ends what runs, with the process ids as they are at the end.
trap '{ set +e; kill $program_pid; "$WINESERVER" -k; kill $xvfb_pid; wait; rm -rf "$work"; } 2>/dev/null' EXIT
wait_for() {  # wait_for FILE SECONDS: until FILE is non-empty
  for ((tries = $2 * 10; tries > 0; tries--)); do [ -s "$1" ] && return 0; sleep 0.1; done
  return 1
}
finish() { touch "$work/done"; wait "$program_pid"; program_pid=; }

Xvfb -displayfd 3 -screen 0 800x600x24 -wr -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
wait_for "$work/display" 10 || { echo "screenshot: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
# On the display: a Wine process started without one would leave the desktop without it.
[ -z "$register" ] || "$WINE" regsvr32 /s "$(windows "$register")" || { echo "screenshot: regsvr32 failed" >&2; exit 1; }
arguments=()
for argument in "$@" "$work"; do arguments+=("$(windows "$argument")"); done
"$WINE" "$program" "${arguments[@]}" &
program_pid=$!
wait_for "$work/ready" 60 || { echo "screenshot: $(basename "$program") did not come up" >&2; exit 1; }
# shellcheck disable=SC2086  # the command and its arguments
if [ -n "$act" ] && ! $act "$work/ready"; then echo "screenshot: $act failed" >&2; exit 1; fi
if [ "$output" = - ]; then finish; exit 0; fi

# The window may reach the X server a moment after it reports ready.
mkdir -p "$(dirname "$output")"
for try in 1 2 3 4 5; do
  xwd -root -silent -display "$DISPLAY" -out "$work/screen.xwd"
  if /usr/bin/python3 "$here/check_screenshot.py" "$work/screen.xwd" "$work/ready" "$output" 2>"$work/check.log"; then
    finish
    echo "screenshot: every text drawn; $output"
    exit 0
  fi
  echo "screenshot: try $try: $(tr '\n' ' ' <"$work/check.log")" >&2
  sleep 0.5
done
exit 1
