// ConvertText throughput on typed Persian text, in both code pages: as one long text
// (8 MB) and line by line (lines of 60-120 codes) as a file or a batch of fields is
// converted; each beside the step-by-step engine it replaced, in the same run.
#include <benchmark/benchmark.h>

#include "encoding/convert_text.h"
#include "encoding/visual_shaper.h"
#include "typed_text.h"

namespace {

using pelikar::encoding::CodePage;

constexpr std::size_t kWholeBytes = 8u << 20;
constexpr std::size_t kLineBytes = 1u << 20;

pelikar::CodeString Table(pelikar::CodeView text, CodePage page) { return pelikar::encoding::ConvertText(text, page); }
pelikar::CodeString StepByStep(pelikar::CodeView text, CodePage page) {
  return pelikar::encoding::ShapeWholeText(pelikar::encoding::TableSetOf(page), text);
}
using Engine = pelikar::CodeString (*)(pelikar::CodeView, CodePage);

void BM_Whole(benchmark::State& state, Engine engine, CodePage page) {
  static const std::string text = pelikar::bench::TypedText(kWholeBytes, "\r\n");
  for (auto _ : state) benchmark::DoNotOptimize(engine(text, page));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_Lines(benchmark::State& state, Engine engine, CodePage page) {
  static const std::vector<std::string> lines = pelikar::bench::TypedLines(kLineBytes);
  std::size_t bytes = 0;
  for (const std::string& line : lines) bytes += line.size();
  for (auto _ : state) {
    for (const std::string& line : lines) benchmark::DoNotOptimize(engine(line, page));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

BENCHMARK_CAPTURE(BM_Whole, nivo_table, Table, CodePage::Nivo)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Whole, nivo_step_by_step, StepByStep, CodePage::Nivo)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Whole, ir_table, Table, CodePage::Ir)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Whole, ir_step_by_step, StepByStep, CodePage::Ir)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Lines, nivo_table, Table, CodePage::Nivo)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Lines, nivo_step_by_step, StepByStep, CodePage::Nivo)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Lines, ir_table, Table, CodePage::Ir)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Lines, ir_step_by_step, StepByStep, CodePage::Ir)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
