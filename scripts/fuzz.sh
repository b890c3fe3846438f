#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer and UndefinedBehaviorSanitizer)
# and runs each for the given number of seconds, starting from its committed seed
# corpus and from what earlier runs on this machine found (build/fuzz/corpus).
#   scripts/fuzz.sh [SECONDS] [TARGET...]      (default: 30 seconds, every target)
# Prints each target's executions per second and in total. Exits non-zero when a
# target finds an input that breaks it; the input is kept in build/fuzz/artifacts.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
seconds=${1:-30}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(conversion file_conversion dates bridge typing saved_state cli)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc 2>/dev/null || echo 2)" \
  $(printf -- '--target %s_fuzz ' "${targets[@]}")

build=$root/build/fuzz
mkdir -p "$build/artifacts"
failed=0
for target in "${targets[@]}"; do
  corpus=$build/corpus/$target
  mkdir -p "$corpus"
  log=$build/$target.log
  if "$build/fuzz/${target}_fuzz" "$corpus" "$root/fuzz/corpus/$target" \
       -max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048 \
       -artifact_prefix="$build/artifacts/$target-" >"$log" 2>&1; then
    status=ok
  else
    status=FAILED
    failed=1
    grep -E 'property broken|ERROR:|SUMMARY:|Test unit written' "$log" | sed 's/^/    /' || true
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  printf '%-12s %-6s %12s runs %8s/s  (%s)\n' "$target" "$status" "${runs:-?}" "${speed:-?}" "$log"
done
exit $failed
