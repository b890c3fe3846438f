#include "help.h"

#include <string_view>

namespace pelikar::cli {
namespace {

constexpr std::string_view kToolDescription =
    "Converts Persian text typed on a Latin (US) keyboard to the Nivo and Ir code\n"
    "pages and back. Persian is written as the keys that type it, between tildes:\n"
    "~sghl~ is the word salam. Moves stored code-page text to standard Unicode and\n"
    "back (to-unicode, from-unicode). Also converts dates between the Shamsi and\n"
    "Miladi calendars and writes dates and numbers in Persian words.\n";

constexpr std::string_view kInputAndOutput =
    "Text comes from the arguments, joined by spaces (from-codes joins them without,\n"
    "and every date or number is an argument of its own), or when there are none\n"
    "from standard input, one line at a time (LF or CR LF ends a line), each\n"
    "converted by itself. Results go to standard output one a line: as code-page\n"
    "bytes into a file or pipe, on a terminal as the glyphs the codes draw (UTF-8\n"
    "presentation forms kept in stored order, for looking only: to-unicode gives\n"
    "text to keep). A failure leaves standard output empty, except that a rejected\n"
    "date only empties its own line.\n";

struct OptionHelp {
  unsigned group;
  std::string_view usage;
  std::string_view text;
};

constexpr OptionHelp kOptionHelp[] = {
    {kOutputOptions, "--glyphs", "show the codes as the glyphs they draw, in stored order,"},
    {kOutputOptions, "", "even into a file or pipe (also --unicode; for a terminal)"},
    {kOutputOptions, "--raw", "write the code-page bytes even to a terminal"},
    {kCodePageOption, "--code-page PAGE", "nivo (the default) or ir: the page of the text"},
    {kFromUnicodeOption, "--from-glyphs", "read the text as glyphs shown by --glyphs (also"},
    {kFromUnicodeOption, "", "--from-unicode); from-unicode reads standard Unicode"},
    {kBridgeOptions, "--order ORDER", "typed (the default) or conversion: the stored order"},
    {kBridgeOptions, "--digits DIGITS", "persian (the default) or ascii: digits in Unicode"},
    {kSubstituteOption, "--substitute C", "the ASCII character written for one the page"},
    {kSubstituteOption, "", "lacks (default ?)"},
    {kBridgeOptions, "--input FILE", "read FILE instead of the arguments or standard input"},
    {kBridgeOptions, "--output FILE", "write FILE, replaced only when all went well"},
    {kBridgeOptions, "--check", "convert there and back, and list the lines that do not"},
    {kBridgeOptions, "", "come back unchanged (status 1 if any)"},
};

void PrintOptions(unsigned groups, std::FILE* stream) {
  std::fputs("\nOptions:\n", stream);
  for (const OptionHelp& option : kOptionHelp) {
    if ((groups & option.group) == 0) continue;
    std::fprintf(stream, "  %-18.*s %.*s\n", static_cast<int>(option.usage.size()),
                 option.usage.data(), static_cast<int>(option.text.size()), option.text.data());
  }
  std::fprintf(stream, "  %-18s %s\n", "-h, --help", "show this help");
}

void Print(std::string_view text, std::FILE* stream) {
  std::fwrite(text.data(), 1, text.size(), stream);
}

}  // namespace

void PrintToolHelp(std::FILE* stream) {
  std::fputs("Usage: pelikar COMMAND [OPTIONS] [ARGUMENTS]\n\n", stream);
  Print(kToolDescription, stream);
  std::fputs("\nCommands:\n", stream);
  for (auto group : CommandGroups()) {
    for (const Command& command : group) {
      std::fprintf(stream, "  %-13.*s %.*s\n", static_cast<int>(command.name.size()),
                   command.name.data(), static_cast<int>(command.summary.size()),
                   command.summary.data());
    }
  }
  std::fprintf(stream, "  %-13s %s\n", "help", "help on a command: pelikar help COMMAND");
  std::fputc('\n', stream);
  Print(kInputAndOutput, stream);
  PrintOptions(kOutputOptions | kCodePageOption | kFromUnicodeOption | kBridgeOptions | kSubstituteOption, stream);
  std::fprintf(stream, "  %-18s %s\n", "--version", "show the version");
  std::fputs("\nExit status: 0 done, 1 failed, 2 wrong usage.\n", stream);
  std::fputs("\nExample:\n  pelikar nivo '~sghl~' > salam.txt\n", stream);
}

void PrintCommandHelp(const Command& command, std::FILE* stream) {
  auto text = [](std::string_view s) { return static_cast<int>(s.size()); };
  std::fprintf(stream, "Usage: pelikar %.*s%s %.*s\n\n", text(command.name), command.name.data(),
               command.options == kNoOptions ? "" : " [OPTIONS]", text(command.operands),
               command.operands.data());
  Print(command.description, stream);
  std::fputc('\n', stream);
  if (command.operands.starts_with('[')) {
    std::fputs("\nWithout arguments, every line of standard input is converted by itself.\n",
               stream);
  }
  PrintOptions(command.options, stream);
  std::fprintf(stream, "\nExample:\n  %.*s\n", text(command.example), command.example.data());
}

void PrintVersion(std::FILE* stream) { std::fputs("pelikar " PELIKAR_VERSION "\n", stream); }

}  // namespace pelikar::cli
