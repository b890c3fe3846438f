#include <array>
#include <string>

#include "command.h"
#include "errors.h"

namespace pelikar::cli {

std::span<const std::span<const Command>> CommandGroups() {
  static const std::array groups = {TextCommands(), BridgeCommands(), FileCommands(), DateCommands(), NumberCommands()};
  return groups;
}

const Command* FindCommand(std::string_view name) {
  for (auto group : CommandGroups()) {
    for (const Command& command : group) {
      if (command.name == name) return &command;
    }
  }
  return nullptr;
}

void RequireOperands(const Arguments& arguments, std::size_t least, std::size_t most) {
  std::size_t count = arguments.operands.size();
  if (count < least) {
    throw UsageError(arguments.command + ": missing argument");
  }
  if (count > most) {
    throw UsageError(arguments.command + ": unexpected argument '" + arguments.operands[most] + "'");
  }
}

std::string Describe(const RunTimeError& error) {
  return std::string(error.what()) + " (run-time error " + std::to_string(error.number()) + ")";
}

}  // namespace pelikar::cli
