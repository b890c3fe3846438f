// The subcommands that turn one text into another: a text from the command line, or
// every line of standard input, each converted by itself.
#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

#include "command.h"
#include "encoding/operations.h"
#include "errors.h"
#include "input.h"
#include "output.h"
#include "unicode_input.h"

namespace pelikar::cli {
namespace {

using encoding::CodePage;

// Which code page a text is in: fixed by the operation, or the user's to say.
enum class PageOf { Nivo, Ir, Chosen };

struct TextOperation {
  CodeString (*convert)(CodeView text);
  PageOf input;   // how --from-unicode reads the text
  PageOf output;  // how the rendering shows the result
  const char* joinOperands = " ";
};

CodePage Resolve(PageOf page, const Options& options) {
  switch (page) {
    case PageOf::Nivo: return CodePage::Nivo;
    case PageOf::Ir: return CodePage::Ir;
    case PageOf::Chosen: return options.codePage.value_or(CodePage::Nivo);
  }
  return CodePage::Nivo;
}

// A failure names the input line it came from, so a batch can be mended.
CodeString ConvertOne(const TextOperation& operation, const Options& options, CodeView text,
                      std::size_t lineNumber) {
  try {
    if (!options.fromUnicode) return operation.convert(text);
    return operation.convert(DecodeUtf8(text, Resolve(operation.input, options)));
  } catch (const RunTimeError& error) {
    throw Failure(AtLine(lineNumber, Describe(error)));
  } catch (const UsageError& error) {
    RefuseText(lineNumber, error.what());
  } catch (const Failure& error) {
    throw Failure(AtLine(lineNumber, error.what()));
  }
}

int RunText(const Arguments& arguments, const TextOperation& operation) {
  const Options& options = arguments.options;
  CodePage outputPage = Resolve(operation.output, options);
  Output output(ShouldRender(options.rendering), TextIsTyped(arguments.operands));
  ForEachText(arguments.operands, operation.joinOperands, [&](CodeView text, std::size_t lineNumber) {
    output.WriteLine(ConvertOne(operation, options, text, lineNumber), outputPage);
  });
  output.Finish();
  return kExitSuccess;
}

// "letter" reads whole numbers; NivoFarsiChar clamps them to 1-34 itself, so only
// the range of its 16-bit argument is settled here.
CodeString LetterOf(CodeView text) {
  CodeView digits = text;
  while (!digits.empty() && digits.front() == ' ') digits.remove_prefix(1);
  while (!digits.empty() && digits.back() == ' ') digits.remove_suffix(1);
  bool negative = !digits.empty() && digits.front() == '-';
  if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) digits.remove_prefix(1);
  bool whole = !digits.empty() && std::all_of(digits.begin(), digits.end(), [](char c) {
    return c >= '0' && c <= '9';
  });
  if (!whole) throw UsageError("letter: '" + std::string(text) + "' is not a whole number");

  constexpr long long kHigh = std::numeric_limits<std::int16_t>::max();
  long long magnitude = 0;
  auto parsed = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
  if (parsed.ec == std::errc::result_out_of_range || magnitude > kHigh) magnitude = kHigh;
  auto position = static_cast<std::int16_t>(negative ? -magnitude : magnitude);
  return encoding::NivoFarsiChar(position);
}

int RunNivo(const Arguments& a) { return RunText(a, {encoding::En_Ir_To_nivo, PageOf::Ir, PageOf::Nivo}); }
int RunIr(const Arguments& a) { return RunText(a, {encoding::En_To_Ir, PageOf::Ir, PageOf::Ir}); }
int RunTyped(const Arguments& a) { return RunText(a, {encoding::Nivo_To_En, PageOf::Nivo, PageOf::Nivo}); }
int RunReverse(const Arguments& a) { return RunText(a, {encoding::Reverse, PageOf::Chosen, PageOf::Chosen}); }
int RunCodes(const Arguments& a) { return RunText(a, {encoding::StrToAscStr, PageOf::Chosen, PageOf::Chosen}); }
// Spaces count in a text of codes, so "from-codes 097 098" must read 097098.
int RunFromCodes(const Arguments& a) {
  return RunText(a, {encoding::AscStrToStr, PageOf::Nivo, PageOf::Chosen, ""});
}

int RunLetter(const Arguments& a) {
  RequireOperands(a, 0, 1);
  return RunText(a, {LetterOf, PageOf::Nivo, PageOf::Nivo});
}

constexpr unsigned kTextOptions = kOutputOptions | kFromUnicodeOption;

constexpr std::array kTextCommands = {
    Command{"nivo", "[TEXT...]", "typed text to Nivo text",
            "Converts keyboard-typed text to the Nivo code page: the Persian stretches,\n"
            "written as the Latin keys that type them between tildes, become Persian\n"
            "letters in their joined forms, and the whole line is put in visual order\n"
            "(reversed, so that it reads right to left when drawn left to right).\n"
            "Codes 128-255 in the text are taken as Ir text and carried over.",
            "pelikar nivo '~sghl~'", kTextOptions, RunNivo},
    Command{"ir", "[TEXT...]", "typed text to Ir text",
            "Converts keyboard-typed text to the Ir code page, shaped and in visual\n"
            "order, as the nivo subcommand does for the Nivo code page.",
            "pelikar ir '~hdvhk~' > iran.txt", kTextOptions, RunIr},
    Command{"typed", "[TEXT...]", "Nivo text back to typed text",
            "Turns Nivo text back into the keys that type it, in reading order, inside\n"
            "one tilde span, so that the nivo subcommand gives the letters back.\n"
            "Control characters are dropped.",
            "pelikar nivo '~fff~' | pelikar typed", kTextOptions, RunTyped},
    Command{"codes", "[TEXT...]", "text to its character codes",
            "Writes the code of every character as three decimal digits, after dropping\n"
            "the spaces at both ends: abc gives 097098099.",
            "pelikar codes abc", kTextOptions | kCodePageOption, RunCodes},
    Command{"from-codes", "[CODES...]", "character codes back to text",
            "Reads the text in groups of three characters, each a number 0-255, and\n"
            "writes the characters with those codes. A group that is no number fails\n"
            "with a type mismatch, a number above 255 with an invalid argument.\n"
            "Several arguments are joined without spaces: 097 098 gives ab.",
            "pelikar from-codes 141142143 --code-page nivo", kOutputOptions | kCodePageOption,
            RunFromCodes},
    Command{"letter", "[N]", "the N-th letter of the alphabet, in Nivo",
            "Writes the N-th letter of the Persian alphabet (1 alef madda ... 34 yeh) in\n"
            "its isolated Nivo form. N below 1 counts as 1, above 34 as 34. Without N,\n"
            "every line of standard input is one N.",
            "pelikar letter 4", kOutputOptions, RunLetter},
    Command{"reverse", "[TEXT...]", "text in reverse order",
            "Writes the characters of the text in reverse order, unchanged.",
            "pelikar reverse --code-page ir < visual.txt", kTextOptions | kCodePageOption, RunReverse},
};

}  // namespace

std::span<const Command> TextCommands() { return kTextCommands; }

}  // namespace pelikar::cli
