#pragma once
// A subcommand of the tool: its help texts, the options it accepts, and what it does.
#include <span>
#include <string_view>

#include "arguments.h"

namespace pelikar::cli {

// The options a subcommand accepts beyond --help.
enum AcceptedOptions : unsigned {
  kNoOptions = 0,
  kOutputOptions = 1u << 0,  // --raw, --unicode
  kCodePageOption = 1u << 1,  // --code-page
  kFromUnicodeOption = 1u << 2,  // --from-glyphs
  kBridgeOptions = 1u << 3,  // --order, --digits, --check, --input, --output
  kSubstituteOption = 1u << 4,  // --substitute
};

struct Command {
  std::string_view name;
  std::string_view operands;     // as shown in the usage line, e.g. "[TEXT...]"
  std::string_view summary;      // one line, for the tool's list of subcommands
  std::string_view description;  // the subcommand's help, wrapped by hand
  std::string_view example;
  unsigned options;
  int (*run)(const Arguments& arguments);  // returns the exit status
};

// The subcommands, by group, in the order the tool's help lists them.
std::span<const Command> TextCommands();
std::span<const Command> FileCommands();
std::span<const Command> DateCommands();
std::span<const Command> NumberCommands();
std::span<const Command> BridgeCommands();

// The groups above, in that order.
std::span<const std::span<const Command>> CommandGroups();

const Command* FindCommand(std::string_view name);

// Throws UsageError unless the subcommand has between least and most operands.
void RequireOperands(const Arguments& arguments, std::size_t least, std::size_t most);

}  // namespace pelikar::cli
