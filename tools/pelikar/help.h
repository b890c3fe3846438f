#pragma once
// The help texts: the tool's, each subcommand's, and the version line.
#include <cstdio>

#include "command.h"

namespace pelikar::cli {

void PrintToolHelp(std::FILE* stream);
void PrintCommandHelp(const Command& command, std::FILE* stream);
void PrintVersion(std::FILE* stream);

}  // namespace pelikar::cli
