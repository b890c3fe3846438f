// The subcommands on numbers.
#include <array>
#include <string>

#include "command.h"
#include "common/text_number.h"
#include "errors.h"
#include "input.h"
#include "numbers/spell_number.h"
#include "output.h"

namespace pelikar::cli {
namespace {


// Reads the number as the control reads a text handed to it for a number.
double NumberIn(CodeView text, std::size_t lineNumber) {
  if (const auto number = ParseTextNumber(TrimSpaces(text))) return *number;
  RefuseText(lineNumber, "spell: '" + std::string(text) + "' is not a number");
}

int RunSpell(const Arguments& arguments) {
  Output output(ShouldRender(arguments.options.rendering), TextIsTyped(arguments.operands));
  auto spellOne = [&](CodeView text, std::size_t lineNumber) {
    output.WriteLine(numbers::SpellNum(NumberIn(text, lineNumber)), encoding::CodePage::Nivo);
  };
  if (arguments.operands.empty()) {
    ForEachText({}, "", spellOne);
  } else {
    for (const std::string& operand : arguments.operands) spellOne(operand, 0);
  }
  output.Finish();
  return kExitSuccess;
}

constexpr std::array kNumberCommands = {
    Command{"spell", "[NUMBER...]", "a number in Persian words",
            "Writes the whole part of each number in Persian words, in Nivo text: the\n"
            "fraction is dropped, a negative number gets the negative word, and a\n"
            "number between -1 and 1 gives ZERO. Beyond 2147483647 either\n"
            "way a fixed text says that the number is too large. A number is decimal,\n"
            "with an optional sign, fraction and exponent (1.5E3), or &H hexadecimal.\n"
            "Each argument is one number; a negative one may follow --.",
            "pelikar spell 1234 -5", kOutputOptions, RunSpell},
};

}  // namespace

std::span<const Command> NumberCommands() { return kNumberCommands; }

}  // namespace pelikar::cli
