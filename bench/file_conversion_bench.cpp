// File conversion against a plain copy of the same 200 MB file: the conversion reads
// and writes every byte once, so a copy is the floor it is measured against. The
// files live in a temporary directory that is removed at the end.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>

#include "encoding/file_conversion.h"
#include "typed_text.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kFileBytes = 200u << 20;

class Workspace {
 public:
  Workspace()
      : dir_(fs::temp_directory_path() / ("pelikar-bench-" + std::to_string(getpid()))) {
    fs::create_directories(dir_);
    std::ofstream out(input(), std::ios::binary);
    // The generated megabytes repeat: generating 200 MB of fresh text would take longer
    // than the measurements.
    const std::string block = pelikar::bench::TypedText(4u << 20, "\r\n");
    for (std::size_t written = 0; written < kFileBytes; written += block.size()) out << block;
  }
  ~Workspace() {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  fs::path input() const { return dir_ / "typed.txt"; }
  fs::path output(const char* name) const { return dir_ / name; }
  std::uint64_t bytes() const { return fs::file_size(input()); }

 private:
  fs::path dir_;
};

std::optional<Workspace> workspace;

// Seconds per iteration of each copy, for the conversion's ratio.
double streamCopySeconds = 0;
double copyFileSeconds = 0;

void StreamCopy(const fs::path& from, const fs::path& to) {
  constexpr std::size_t kChunk = 1 << 20;
  auto buffer = std::make_unique<char[]>(kChunk);
  std::FILE* in = std::fopen(from.c_str(), "rb");
  std::FILE* out = std::fopen(to.c_str(), "wb");
  while (std::size_t got = std::fread(buffer.get(), 1, kChunk, in)) std::fwrite(buffer.get(), 1, got, out);
  std::fclose(in);
  std::fclose(out);
}

template <typename Work>
double SecondsPerIteration(benchmark::State& state, Work work) {
  auto start = std::chrono::steady_clock::now();
  for (auto _ : state) work();
  std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * workspace->bytes()));
  return elapsed.count() / static_cast<double>(state.iterations());
}

void BM_StreamCopy(benchmark::State& state) {
  streamCopySeconds =
      SecondsPerIteration(state, [] { StreamCopy(workspace->input(), workspace->output("stream-copy")); });
}

void BM_CopyFile(benchmark::State& state) {
  copyFileSeconds = SecondsPerIteration(state, [] {
    fs::copy_file(workspace->input(), workspace->output("copy"), fs::copy_options::overwrite_existing);
  });
}

void BM_ConvertFile(benchmark::State& state) {
  double seconds = SecondsPerIteration(state, [] {
    pelikar::encoding::En_Ir_FileToNivo(workspace->input(), workspace->output("converted"));
  });
  // Conversion time over copy time: the goal is 2 or less.
  if (streamCopySeconds > 0) state.counters["x_stream_copy"] = seconds / streamCopySeconds;
  if (copyFileSeconds > 0) state.counters["x_copy_file"] = seconds / copyFileSeconds;
}

BENCHMARK(BM_StreamCopy)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_CopyFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_ConvertFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  workspace.emplace();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  workspace.reset();
  return 0;
}
