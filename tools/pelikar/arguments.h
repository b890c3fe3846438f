#pragma once
// The command line, taken apart: a subcommand, its operands and the options.
#include <optional>
#include <string>
#include <vector>

#include "encoding/tables.h"
#include "unicode/bridge.h"

namespace pelikar::cli {

enum class Rendering { Auto, Raw, Unicode };  // Unicode: --glyphs

struct Options {
  bool help = false;
  bool version = false;
  Rendering rendering = Rendering::Auto;  // --raw, --glyphs
  std::string renderingName;              // the rendering option as given (--unicode...)
  std::optional<encoding::CodePage> codePage;
  bool fromUnicode = false;  // --from-glyphs
  std::string fromUnicodeName;  // as given (--from-unicode...)
  // The Unicode bridge's options.
  std::optional<unicode::Order> order;
  std::optional<unicode::Digits> digits;
  std::optional<char> substitute;
  bool check = false;
  std::optional<std::string> inputFile, outputFile;
};

struct Arguments {
  std::string command;                // empty when none was given
  std::vector<std::string> operands;  // everything after the command that is no option
  Options options;
};

// Options may stand anywhere; "--" ends them. An argument that looks like a
// negative number is an operand, so that "letter -5" works. Throws UsageError.
Arguments ParseArguments(int argc, const char* const argv[]);

}  // namespace pelikar::cli
