#!/usr/bin/env bash
# Types a key session (session.keys) into Pelikar Pad on the X display with real key
# events, as a user at the keyboard does: xdotool clicks into each field and types.
#   type_session.sh SESSION.keys READY
# READY is the pad's list of screen rectangles ("name x y width height").
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
