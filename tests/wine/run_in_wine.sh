#!/usr/bin/env bash
# Runs a Windows program (or regsvr32) under Wine in the project's private prefix,
# prepared once: run_in_wine.sh PROGRAM [ARGUMENT...]. Absolute Unix paths among the
# arguments reach it as Windows paths on drive Z:. The exit code is the program's.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
"$here/../../scripts/wine-prefix.sh"
# shellcheck source=../../scripts/wine-env.sh
source "$here/../../scripts/wine-env.sh"
program=$1
shift
arguments=()
for argument in "$@"; do
  [[ $argument == /* ]] && argument="Z:${argument//\//\\}"
  arguments+=("$argument")
done
exec "$WINE" "$program" "${arguments[@]}"
