#!/usr/bin/env bash
# type_session.sh SESSION.keys READY: types the session into Pelikar Pad with real X
# key events, clicking into each field of READY ("name x y width height") with xdotool.
set -euo pipefail
session=$1 ready=$2
while read -r verb rest; do
  case $verb in
    '' | '#'*) ;;
    field)
      read -r x y width height < <(tr -d '\r' <"$ready" | awk -v name="$rest" '$1 == name { print $2, $3, $4, $5 }')
      [ -n "${height:-}" ] || { echo "type_session: no field $rest" >&2; exit 1; }
      xdotool mousemove $((x + width / 2)) $((y + height / 2)) click 1
      sleep 0.3
      ;;
    type) xdotool type --delay 40 -- "$rest" ;;
    # shellcheck disable=SC2086  # several key names
    key) xdotool key --delay 40 $rest ;;
    *) echo "type_session: not understood: $verb $rest" >&2; exit 1 ;;
  esac
done <"$session"
# The last key events reach the program before the screenshot.
sleep 0.5
