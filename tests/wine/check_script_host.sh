#!/usr/bin/env bash
# The script host's own test: it must fail on exactly the scripts that fail, and say
# where. check_script_host.sh PATH/TO/pkscript.exe DIRECTORY/OF/host/SCRIPTS
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
pkscript=$1 scripts=$2 failures=0 out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
# expect SCRIPT EXIT_CODE STDOUT_PATTERN STDERR_PATTERN [ARGUMENT...] ("": no check)
expect() {
  bash "$here/run_in_wine.sh" "$pkscript" "$scripts/$1" "${@:5}" >"$out" 2>"$err"
  local code=$? problem=""
  [ "$code" -eq "$2" ] || problem="exit code $code, expected $2"
  [ -z "$3" ] || grep -Eq -- "$3" "$out" || problem="$problem; stdout lacks /$3/"
  [ -z "$4" ] || grep -Eq -- "$4" "$err" || problem="$problem; stderr lacks /$4/"
  [ -z "$problem" ] && { echo "ok   $1"; return; }
  echo "FAIL $1: ${problem#; }" && sed 's/^/  stdout: /' "$out" && sed 's/^/  stderr: /' "$err"
  failures=$((failures + 1))
}
expect passes.vbs 0 '^hello 42$' '' 'an argument'
expect fails.vbs 1 '^after the failures$' 'FAIL: second'
expect syntax_error.vbs 2 '' 'syntax_error\.vbs\(3,[0-9]+\): script error'
expect run_time_error.js 2 '^before$' 'run_time_error\.js\(3,[0-9]+\): script error'
expect missing.vbs 3 '' 'cannot read'
exit $((failures > 0))
