// ConvertText throughput on 1 MB of typed Persian text, in both code pages: as one
// multi-line text, and line by line as a file or a batch of fields is converted.
#include <benchmark/benchmark.h>

#include "encoding/convert_text.h"
#include "typed_text.h"

namespace {

using pelikar::encoding::CodePage;
using pelikar::encoding::ConvertText;

constexpr std::size_t kMegabyte = 1 << 20;

void BM_ConvertText_Whole(benchmark::State& state, CodePage codePage) {
  static const std::string text = pelikar::bench::TypedText(kMegabyte, "\r\n");
  for (auto _ : state) benchmark::DoNotOptimize(ConvertText(text, codePage));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_ConvertText_Lines(benchmark::State& state, CodePage codePage) {
  static const std::vector<std::string> lines = pelikar::bench::TypedLines(kMegabyte);
  std::size_t bytes = 0;
  for (const std::string& line : lines) bytes += line.size();
  for (auto _ : state) {
    for (const std::string& line : lines) benchmark::DoNotOptimize(ConvertText(line, codePage));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  state.counters["lines"] = static_cast<double>(lines.size());
}

BENCHMARK_CAPTURE(BM_ConvertText_Whole, nivo, CodePage::Nivo)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ConvertText_Whole, ir, CodePage::Ir)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ConvertText_Lines, nivo, CodePage::Nivo)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ConvertText_Lines, ir, CodePage::Ir)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
