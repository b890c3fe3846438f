#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer and UndefinedBehaviorSanitizer)
# and runs each for the given number of seconds, as many at once as there are cores,
# starting from its committed seed corpus and from what earlier runs on this machine
# found (build/fuzz/corpus).
#   scripts/fuzz.sh [SECONDS] [TARGET...]      (default: 30 seconds, every target)
# Prints each target's executions per second and in total. Exits non-zero when a
# target finds an input that breaks it; the input is kept in build/fuzz/artifacts.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
seconds=${1:-30}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] ||
  targets=(conversion file_conversion dates bridge typing saved_state cli)
cores=$(nproc 2>/dev/null || echo 2)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$cores" $(printf -- '--target %s_fuzz ' "${targets[@]}")

build=$root/build/fuzz
mkdir -p "$build/artifacts"

# run TARGET: one target's run, its log in build/fuzz/TARGET.log.
run() {
  local target=$1 corpus=$build/corpus/$1
  mkdir -p "$corpus"
  "$build/fuzz/${target}_fuzz" "$corpus" "$root/fuzz/corpus/$target" \
    -max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$build/artifacts/$target-" >"$build/$target.log" 2>&1
}

pids=()
for target in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$cores" ]; do sleep 1; done
  run "$target" &
  pids+=($!)
done

failed=0
for i in "${!targets[@]}"; do
  target=${targets[$i]}
  log=$build/$target.log
  if wait "${pids[$i]}"; then
    status=ok
  else
    status=FAILED
    failed=1
    grep -E 'property broken|ERROR:|SUMMARY:|Test unit written' "$log" | sed 's/^/    /' || true
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  printf '%-16s %-6s %12s runs %8s/s\n' "$target" "$status" "${runs:-?}" "${speed:-?}"
done
exit $failed
