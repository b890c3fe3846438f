#include "arguments.h"

#include <cctype>
#include <string_view>

#include "errors.h"

namespace pelikar::cli {
namespace {

bool LooksLikeOption(std::string_view arg) {
  if (arg.size() < 2 || arg[0] != '-') return false;
  return !std::isdigit(static_cast<unsigned char>(arg[1]));
}

encoding::CodePage ParseCodePage(std::string_view name) {
  if (name == "nivo") return encoding::CodePage::Nivo;
  if (name == "ir") return encoding::CodePage::Ir;
  throw UsageError("unknown code page '" + std::string(name) + "' (use nivo or ir)");
}

void SetRendering(Options& options, Rendering rendering) {
  if (options.rendering != Rendering::Auto && options.rendering != rendering)
    throw UsageError("--raw and --unicode exclude each other");
  options.rendering = rendering;
}

// Takes one option; may consume the next argument as its value. Returns the
// index of the last argument used.
int TakeOption(Options& options, int i, int argc, const char* const argv[]) {
  std::string_view arg = argv[i];
  std::string_view name = arg;
  std::optional<std::string_view> value;
  if (auto eq = arg.find('='); eq != std::string_view::npos) {
    name = arg.substr(0, eq);
    value = arg.substr(eq + 1);
  }
  auto noValue = [&] {
    if (value) throw UsageError("option " + std::string(name) + " takes no value");
  };

  if (name == "--help" || name == "-h") {
    noValue();
    options.help = true;
  } else if (name == "--version") {
    noValue();
    options.version = true;
  } else if (name == "--raw") {
    noValue();
    SetRendering(options, Rendering::Raw);
  } else if (name == "--unicode") {
    noValue();
    SetRendering(options, Rendering::Unicode);
  } else if (name == "--from-unicode") {
    noValue();
    options.fromUnicode = true;
  } else if (name == "--code-page") {
    if (!value) {
      if (i + 1 >= argc) throw UsageError("option --code-page needs a value (nivo or ir)");
      value = argv[++i];
    }
    options.codePage = ParseCodePage(*value);
  } else {
    throw UsageError("unknown option '" + std::string(name) + "'");
  }
  return i;
}

}  // namespace

Arguments ParseArguments(int argc, const char* const argv[]) {
  Arguments result;
  bool optionsEnded = false;
  bool commandSeen = false;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && LooksLikeOption(arg)) {
      i = TakeOption(result.options, i, argc, argv);
    } else if (!commandSeen) {
      result.command = arg;
      commandSeen = true;
    } else {
      result.operands.emplace_back(arg);
    }
  }
  return result;
}

}  // namespace pelikar::cli
