#!/usr/bin/env bash
# Builds the native preset and runs the benchmark programs, printing their figures.
# Goals (reported, never asserted): ConvertText at 200 MB/s or more; converting a
# 200 MB file in at most twice the time of copying it (x_stream_copy <= 2).
# The 200 MB files go to $TMPDIR (or /tmp) and are removed afterwards.
# Extra arguments go to both programs, e.g. --benchmark_repetitions=3. Last, a key
# typed with a real X event into Pelikar Pad is timed to the field's new text.
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

# A key typed on the X display into Pelikar Pad's text box, through the control:
# from the X key event to the field's new text, in a field of 10 and of 1000 codes.
echo
echo "== One key from its X event to the text box's new text (Pelikar Pad under Wine on Xvfb)"
bash scripts/bootstrap.sh >/dev/null
cmake --preset windows-x64 >/dev/null
cmake --build --preset windows-x64 --target pelikar_ocx pelikar_pad pelikar_fonts >/dev/null
win=$PWD/build/windows-x64
keys=$(mktemp)
latency=$(mktemp)
trap 'rm -f "$keys" "$latency"' EXIT
printf 'field Text1\nkey F12\ntype %s\n' "$(printf 'sghl fv alh %.0s' $(seq 20))" >"$keys"
for prefill in 10 1000; do
  LC_ALL=C.UTF-8 bash tests/wine/screenshot.sh --register "$win/src/control/com/Pelikar.ocx" \
    --act "bash $PWD/tests/wine/e2e/type_session.sh $keys" - "$win/samples/pelikar_pad.exe" \
    --fonts "$win/fonts" --prefill "$prefill" --latency "$latency"
  printf 'field of %4d codes: %s\n' "$prefill" "$(tr -d '\r' <"$latency")"
done
