#pragma once
// From the parsed command line to the subcommand that does the work.
#include "arguments.h"

namespace pelikar::cli {

// Runs what the arguments ask for and returns the exit status. Throws UsageError,
// Failure or RunTimeError.
int Dispatch(const Arguments& arguments);

}  // namespace pelikar::cli
