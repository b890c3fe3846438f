#!/usr/bin/env bash
# Builds the native preset and runs the benchmark programs, printing their figures.
# Goals (reported, never asserted): ConvertText at 200 MB/s or more; converting a
# 200 MB file in at most twice the time of copying it (x_stream_copy <= 2).
# The 200 MB files go to $TMPDIR (or /tmp) and are removed afterwards.
# Extra arguments go to both programs, e.g. --benchmark_repetitions=3.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset native >/dev/null
cmake --build --preset native --target convert_text_bench file_conversion_bench typing_bench

bench=build/native/bench
echo
echo "== ConvertText on 1 MB of typed text (bytes_per_second; goal >= 200 MB/s)"
"$bench/convert_text_bench" --benchmark_counters_tabular=true "$@"
echo
echo "== En_Ir_FileToNivo on a 200 MB file against copies of it (goal: x_stream_copy <= 2)"
"$bench/file_conversion_bench" --benchmark_counters_tabular=true "$@"
echo
echo "== One keystroke (FarsiDown + FarsiPress) into a text box of 10, 1000 and 30000 characters"
"$bench/typing_bench" --benchmark_counters_tabular=true "$@"
