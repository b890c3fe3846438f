// pelikar: the command-line face of the conversion operations.
#include <cstdio>
#include <exception>
#include <iostream>

#include "arguments.h"
#include "dispatch.h"
#include "errors.h"
#include "platform.h"

using namespace pelikar::cli;

namespace {

int Report(const char* message, int status) {
  std::fflush(stdout);
  std::fprintf(stderr, "pelikar: %s\n", message);
  if (status == kExitUsage) std::fputs("Try 'pelikar --help'.\n", stderr);
  return status;
}

}  // namespace

int main(int argc, char* argv[]) {
  UseBinaryStandardStreams();
  std::ios::sync_with_stdio(false);
  try {
    const int status = Dispatch(ParseArguments(argc, argv));
    // The help and version texts go to standard output directly: a failure to write
    // them fails the run as the commands' own output does.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
      return Report("cannot write standard output", kExitFailure);
    }
    return status;
  } catch (const UsageError& error) {
    return Report(error.what(), kExitUsage);
  } catch (const pelikar::RunTimeError& error) {
    return Report(Describe(error).c_str(), kExitFailure);
  } catch (const std::exception& error) {
    return Report(error.what(), kExitFailure);
  }
}
