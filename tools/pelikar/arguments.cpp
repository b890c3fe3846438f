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

unicode::Order ParseOrder(std::string_view name) {
  if (name == "typed") return unicode::Order::Typed;
  if (name == "conversion") return unicode::Order::Conversion;
  throw UsageError("unknown order '" + std::string(name) + "' (use typed or conversion)");
}

unicode::Digits ParseDigits(std::string_view name) {
  if (name == "persian") return unicode::Digits::Persian;
  if (name == "ascii") return unicode::Digits::Ascii;
  throw UsageError("unknown digits '" + std::string(name) + "' (use persian or ascii)");
}

// The substitute is written as a code of its own, so it must be one printable ASCII
// character, which both code pages share.
char ParseSubstitute(std::string_view text) {
  if (text.size() != 1 || text[0] < 0x20 || text[0] > 0x7E) {
    throw UsageError("--substitute takes one printable ASCII character, not '" + std::string(text) + "'");
  }
  return text[0];
}

std::string FileName(std::string_view option, std::string_view name) {
  if (name.empty()) throw UsageError("option " + std::string(option) + " needs a file name");
  return std::string(name);
}

void SetRendering(Options& options, Rendering rendering, std::string_view name) {
  if (options.rendering != Rendering::Auto && options.rendering != rendering)
    throw UsageError(options.renderingName + " and " + std::string(name) + " exclude each other");
  options.rendering = rendering;
  options.renderingName = name;
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
  // The option's value: after "=" or the next argument.
  auto ValueOf = [&](std::string_view option, std::optional<std::string_view>& given, const char* what) {
    if (!given) {
      if (i + 1 >= argc) throw UsageError("option " + std::string(option) + " needs a value (" + what + ")");
      given = argv[++i];
    }
    return *given;
  };
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
    SetRendering(options, Rendering::Raw, name);
  } else if (name == "--glyphs" || name == "--unicode") {
    noValue();
    SetRendering(options, Rendering::Unicode, name);
  } else if (name == "--from-glyphs" || name == "--from-unicode") {
    noValue();
    options.fromUnicode = true;
    options.fromUnicodeName = name;
  } else if (name == "--check") {
    noValue();
    options.check = true;
  } else if (name == "--code-page") {
    options.codePage = ParseCodePage(ValueOf(name, value, "nivo or ir"));
  } else if (name == "--order") {
    options.order = ParseOrder(ValueOf(name, value, "typed or conversion"));
  } else if (name == "--digits") {
    options.digits = ParseDigits(ValueOf(name, value, "persian or ascii"));
  } else if (name == "--substitute") {
    options.substitute = ParseSubstitute(ValueOf(name, value, "one ASCII character"));
  } else if (name == "--input") {
    options.inputFile = FileName(name, ValueOf(name, value, "a file name"));
  } else if (name == "--output") {
    options.outputFile = FileName(name, ValueOf(name, value, "a file name"));
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
