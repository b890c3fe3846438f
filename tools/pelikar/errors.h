#pragma once
// How the tool fails: a usage error (status 2) is the caller's mistake in the
// command line; a failure (status 1) is anything that went wrong while working.
#include <stdexcept>
#include <string>

#include "common/run_time_error.h"

namespace pelikar::cli {

enum ExitStatus : int { kExitSuccess = 0, kExitFailure = 1, kExitUsage = 2 };

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Failure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "Type mismatch (run-time error 13)": the number is what a user of the control
// looks up, so the tool shows it too.
std::string Describe(const RunTimeError& error);

}  // namespace pelikar::cli
