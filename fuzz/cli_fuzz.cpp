// The command-line tool's arguments and standard input: any command line of a few
// arguments with any text on standard input ends in output or in a usage error or a
// failure, as the tool reports them, never in anything else.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

#include <fuzzer/FuzzedDataProvider.h>

#include "../tools/pelikar/arguments.h"
#include "../tools/pelikar/dispatch.h"
#include "../tools/pelikar/errors.h"
#include "fuzz_support.h"

using namespace pelikar;
using namespace pelikar::cli;
namespace fs = std::filesystem;

namespace {

// The tool runs in a directory of its own, so that whatever files a command line names
// are made and read there; standard output goes nowhere.
const fs::path& WorkDirectory() {
  static const fs::path directory = [] {
    char name[] = "/tmp/pelikar-cli-fuzz.XXXXXX";
    const fs::path made = mkdtemp(name);
    fs::current_path(made);
    std::freopen("/dev/null", "w", stdout);
    return made;
  }();
  return directory;
}

// Arguments that could reach outside the work directory are not tried.
bool StaysInside(const std::string& argument) {
  return argument.empty() || (argument[0] != '/' && argument.find("..") == std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fs::path& directory = WorkDirectory();
  FuzzedDataProvider input(data, size);
  std::vector<std::string> arguments{"pelikar"};
  for (int n = input.ConsumeIntegralInRange(0, 6); n > 0; --n) {
    arguments.push_back(input.ConsumeRandomLengthString(24));
    if (!StaysInside(arguments.back())) return 0;
  }
  const fs::path standardInput = directory / "standard-input";
  std::ofstream(standardInput, std::ios::binary) << input.ConsumeRemainingBytesAsString();
  fuzz::Require(std::freopen(standardInput.c_str(), "rb", stdin) != nullptr, "standard input");
  std::cin.clear();

  std::vector<const char*> argv;
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  argv.push_back(nullptr);
  try {
    Dispatch(ParseArguments(static_cast<int>(arguments.size()), argv.data()));
  } catch (const UsageError&) {
  } catch (const Failure&) {
  } catch (const RunTimeError&) {
  }
  std::fflush(stdout);
  for (const auto& entry : fs::directory_iterator(directory)) fs::remove_all(entry.path());
  return 0;
}
