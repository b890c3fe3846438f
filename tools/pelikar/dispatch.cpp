#include "dispatch.h"

#include <cstdio>
#include <string>
#include <vector>

#include "command.h"
#include "errors.h"
#include "help.h"

namespace pelikar::cli {
namespace {

const Command& CommandNamed(const std::string& name) {
  const Command* command = FindCommand(name);
  if (command == nullptr) throw UsageError("unknown command '" + name + "'");
  return *command;
}

// An option that a subcommand ignores would hide a mistake, so it is refused.
void CheckOptions(const Command& command, const Options& options) {
  auto refuse = [&](const std::string& option) {
    throw UsageError(std::string(command.name) + " takes no " + option);
  };
  if (options.rendering != Rendering::Auto && (command.options & kOutputOptions) == 0)
    refuse(options.renderingName);
  if (options.codePage && (command.options & kCodePageOption) == 0) refuse("--code-page");
  if (options.fromUnicode && (command.options & kFromUnicodeOption) == 0) refuse(options.fromUnicodeName);
  if ((command.options & kBridgeOptions) == 0) {
    if (options.order) refuse("--order");
    if (options.digits) refuse("--digits");
    if (options.check) refuse("--check");
    if (options.inputFile) refuse("--input");
    if (options.outputFile) refuse("--output");
  }
  if (options.substitute && (command.options & kSubstituteOption) == 0) refuse("--substitute");
}

// "pelikar help help" is the tool's help too: that is where help is explained.
int Help(const Arguments& arguments) {
  if (arguments.operands.empty() || arguments.operands == std::vector<std::string>{"help"}) {
    PrintToolHelp(stdout);
  } else {
    RequireOperands(arguments, 1, 1);
    PrintCommandHelp(CommandNamed(arguments.operands[0]), stdout);
  }
  return kExitSuccess;
}

}  // namespace

int Dispatch(const Arguments& arguments) {
  if (arguments.command.empty()) {
    if (arguments.options.version) {
      PrintVersion(stdout);
      return kExitSuccess;
    }
    if (arguments.options.help) return Help(arguments);
    throw UsageError("missing command");
  }
  if (arguments.command == "help") return Help(arguments);

  const Command& command = CommandNamed(arguments.command);
  if (arguments.options.help) {
    PrintCommandHelp(command, stdout);
    return kExitSuccess;
  }
  if (arguments.options.version) throw UsageError("--version stands alone");
  CheckOptions(command, arguments.options);
  return command.run(arguments);
}

}  // namespace pelikar::cli
