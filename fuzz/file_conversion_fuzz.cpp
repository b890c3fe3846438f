// File conversion with a failure injected at a chosen call to the C library's file
// functions (linked with --wrap, so only this program's own calls are counted): the
// output file is afterwards either what it was or the whole new text, never a mix,
// and nothing is left beside it.
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <fuzzer/FuzzedDataProvider.h>

#include "common/run_time_error.h"
#include "encoding/file_conversion.h"
#include "fuzz_support.h"

using pelikar::fuzz::Require;
namespace fs = std::filesystem;

namespace {

// The conversion reads and writes on threads of its own, so the count is shared.
std::atomic<long> callsLeft = -1;  // the file calls before the one that fails; -1 for none
std::atomic<FILE*> failedRead = nullptr;  // the stream whose read failed: its error flag is set

bool Fails() {
  long left = callsLeft.load();
  while (left >= 0 && !callsLeft.compare_exchange_weak(left, left - 1)) {
  }
  if (left != 0) return false;
  errno = ENOSPC;
  return true;
}

std::string Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

bool Convert(const fs::path& input, const fs::path& output) {
  try {
    return pelikar::encoding::En_Ir_FileToNivo(input, output);
  } catch (const pelikar::RunTimeError&) {
    return false;
  }
}

const fs::path& WorkDirectory() {
  static const fs::path directory = [] {
    char name[] = "/tmp/pelikar-file-fuzz.XXXXXX";
    return fs::path(mkdtemp(name));
  }();
  return directory;
}

}  // namespace

extern "C" {
FILE* __real_fopen(const char* path, const char* mode);
std::size_t __real_fread(void* buffer, std::size_t size, std::size_t n, FILE* file);
std::size_t __real_fwrite(const void* buffer, std::size_t size, std::size_t n, FILE* file);
int __real_fclose(FILE* file);
int __real_ferror(FILE* file);

FILE* __wrap_fopen(const char* path, const char* mode) {
  return Fails() ? nullptr : __real_fopen(path, mode);
}
std::size_t __wrap_fread(void* buffer, std::size_t size, std::size_t n, FILE* file) {
  if (!Fails()) return __real_fread(buffer, size, n, file);
  failedRead = file;
  return 0;
}
int __wrap_ferror(FILE* file) { return file == failedRead || __real_ferror(file); }
std::size_t __wrap_fwrite(const void* buffer, std::size_t size, std::size_t n, FILE* file) {
  return Fails() ? n / 2 : __real_fwrite(buffer, size, n, file);
}
int __wrap_fclose(FILE* file) {
  const bool fails = Fails();
  FILE* failed = file;
  failedRead.compare_exchange_strong(failed, nullptr);
  const int closed = __real_fclose(file);  // the stream goes either way
  return fails ? EOF : closed;
}

int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider fuzzed(data, size);
  const fs::path& directory = WorkDirectory();
  const fs::path input = directory / "input.txt", output = directory / "output.txt",
                 expected = directory / "expected.txt";
  const long failAt = fuzzed.ConsumeIntegralInRange<long>(0, 40);
  const std::string old = fuzzed.ConsumeRandomLengthString(64);
  std::ofstream(input, std::ios::binary) << fuzzed.ConsumeRemainingBytesAsString();
  std::ofstream(output, std::ios::binary) << old;
  Require(Convert(input, expected), "a conversion without failures failed");

  callsLeft = failAt;
  const bool converted = Convert(input, output);
  const bool failed = callsLeft < 0;
  callsLeft = -1;
  Require(!(converted && failed) || Contents(output) == Contents(expected),
          "a conversion reported success after a failure");
  Require(Contents(output) == (converted ? Contents(expected) : old),
          converted ? "a successful conversion wrote another text" : "a failure changed the output");
  Require(converted || failed, "a conversion failed without a failure");
  for (const auto& entry : fs::directory_iterator(directory)) {
    const auto name = entry.path().filename();
    Require(name == "input.txt" || name == "output.txt" || name == "expected.txt",
            "a file was left beside the output");
  }
  return 0;
}
}
