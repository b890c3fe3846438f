#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, in the project's private prefix.
#   run_in_wine.sh PROGRAM [ARGUMENT...]
# Arguments that are absolute Unix paths reach the program as Windows paths on drive
# Z:. The exit code is the program's own.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../../scripts/wine-env.sh
source "$here/../../scripts/wine-env.sh"

program=$1
shift
arguments=()
for argument in "$@"; do
  if [[ $argument == /* ]]; then
    argument="Z:${argument//\//\\}"
  fi
  arguments+=("$argument")
done
exec "$WINE" "$program" "${arguments[@]}"
