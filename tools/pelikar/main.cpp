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
    return Dispatch(ParseArguments(argc, argv));
  } catch (const UsageError& error) {
    return Report(error.what(), kExitUsage);
  } catch (const pelikar::RunTimeError& error) {
    return Report(Describe(error).c_str(), kExitFailure);
  } catch (const std::exception& error) {
    return Report(error.what(), kExitFailure);
  }
}
