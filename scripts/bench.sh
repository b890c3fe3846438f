#!/usr/bin/env bash
# Builds the native preset and runs the benchmark programs, printing their figures.
# Goals (reported, never asserted): ConvertText at 1 GB/s or more on one long text and
# 500 MB/s or more line by line, each beside the step-by-step engine; converting a
# 200 MB file in at most twice the time of copying it (x_stream_copy <= 2); the CLI
# converting 100 MB of typed sentences at least 10 times as fast as FriBidi orders and
# shapes the same sentences in Unicode; date conversions at least 10 times as fast as
# ICU's Persian calendar (x_icu >= 10); the Unicode bridge, both ways over a 100 MB
# file, at least 10 times as fast as FriBidi on the same text, in constant memory.
# The 200 MB files go to $TMPDIR (or /tmp) and are removed afterwards.
# Extra arguments go to both programs, e.g. --benchmark_repetitions=3. Last, a key
# typed with a real X event into Pelikar Pad is timed to the field's new text.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset native >/dev/null
cmake --build --preset native --target convert_text_bench file_conversion_bench date_bench typing_bench pelikar

bench=build/native/bench
echo
echo "== ConvertText: the table engine beside the step-by-step one (goal: >= 1 GB/s whole, >= 500 MB/s lines)"
"$bench/convert_text_bench" --benchmark_counters_tabular=true "$@"
echo
echo "== En_Ir_FileToNivo on a 200 MB file against copies of it (goal: x_stream_copy <= 2)"
"$bench/file_conversion_bench" --benchmark_counters_tabular=true "$@"
echo
echo "== Date conversions against ICU's Persian calendar and formatters (goal: x_icu >= 10)"
"$bench/date_bench" --benchmark_counters_tabular=true "$@"
echo
echo "== One keystroke (FarsiDown + FarsiPress) into a text box of 10, 1000 and 30000 characters"
"$bench/typing_bench" --benchmark_counters_tabular=true "$@"

# The Unicode bridge against FriBidi: 100 MB of Persian lines from the word list with
# numbers and Latin words, to a code page (from-unicode) and back (to-unicode), timed
# against fribidi ordering and shaping the same Unicode text; peak memory of each.
echo
echo "== The CLI on 100 MB of typed sentences, and the Unicode bridge both ways on a 100 MB file, against"
echo "   FriBidi (goal: ratio >= 10; the bridge in flat memory)"
work=$(mktemp -d "${TMPDIR:-/tmp}/pelikar-bridge.XXXXXX")
python3 - "$work/text.txt" <<'PY'
import random, sys
random.seed(14)
words = open('/usr/share/hunspell/fa_IR.dic', encoding='utf-8').read().split('\n')[1:]
words = [w for w in words if w and not set(w) & set('\u0623\u0624')]
latin = ['Tehran', 'Pelikar', 'invoice', 'No.', 'OK', 'Hello']
with open(sys.argv[1], 'w', encoding='utf-8') as out:
    size = 0
    while size < 100 * 1024 * 1024:
        line = [random.choice(words) for _ in range(random.randint(3, 12))]
        line.insert(random.randint(0, len(line)), str(random.randint(1, 10**7)))
        if random.random() < 0.3:
            line.insert(random.randint(0, len(line)), random.choice(latin))
        text = ' '.join(line) + '\n'
        size += len(text.encode('utf-8'))
        out.write(text)
PY
tool=build/native/tools/pelikar/pelikar
measure() {  # label, command...: elapsed seconds and peak kilobytes
  local label=$1
  shift
  /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null
  read -r seconds kilobytes <"$work/time"
  printf '%-44s %6.2f s  %7d KB\n' "$label" "$seconds" "$kilobytes" >&2
  echo "$seconds"
}
# The CLI on 100 MB of typed sentences against FriBidi on the same sentences in
# Unicode (converted to Nivo and moved to Unicode by the CLI beforehand), whole process.
python3 - "$work/typed.txt" <<'PY'
import random, sys
random.seed(15)
words = ['sghl', 'hdvhk', ';jhf', ',', 'nv', 'fi', 'hc', ';i', 'hdk', 'vh', 'fh', 'hsj', 'fvhd', 'Hk', 'd;',
         'o,n', 'jh', ';vn', 'aiv', "nhka'hi", 'lvnl', 'chfhk', 'thvsd', 'v,c', ';hv', 'shg', 'khli', 'ohki']
lines = []
while sum(map(len, lines)) < 4 << 20:
    line = '~' + ' '.join(random.choice(words) for _ in range(random.randint(8, 20))) + '~'
    if random.random() < 0.3:
        line += ' ' + str(random.randint(1, 10**6))
    lines.append(line + '\n')
block = ''.join(lines)
with open(sys.argv[1], 'w') as out:
    for _ in range(25):
        out.write(block)
PY
"$tool" nivo <"$work/typed.txt" >"$work/typed.nivo"
"$tool" to-unicode --code-page nivo --input "$work/typed.nivo" --output "$work/typed.utf8"
cli=$(measure "pelikar nivo (100 MB of typed lines)" "$tool" nivo <"$work/typed.txt")
fribidi=$(measure "fribidi --nopad --nobreak --rtl (same, Unicode)" fribidi --nopad --nobreak --rtl "$work/typed.utf8")
awk -v f="$fribidi" -v c="$cli" 'BEGIN { printf "pelikar nivo: %.1fx FriBidi (goal >= 10)\n", f / c }'
rm -f "$work"/typed.*

for page in nivo ir; do
  fribidi=$(measure "fribidi --nopad --nobreak --rtl" fribidi --nopad --nobreak --rtl "$work/text.txt")
  from=$(measure "pelikar from-unicode --code-page $page" "$tool" from-unicode --code-page "$page" \
    --input "$work/text.txt" --output "$work/text.$page")
  to=$(measure "pelikar to-unicode --code-page $page" "$tool" to-unicode --code-page "$page" \
    --input "$work/text.$page" --output "$work/back.txt")
  awk -v f="$fribidi" -v a="$from" -v b="$to" -v p="$page" \
    'BEGIN { printf "%s: from-unicode %.1fx FriBidi, to-unicode %.1fx FriBidi\n", p, f / a, f / b }'
done
rm -rf "$work"

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
