// The subcommands on dates. A date is recognised by its form: year first
// (yyyy/mm/dd) is a Shamsi date, day first (dd/mm/yyyy) a Miladi date. Many dates
// are answered in one run, each by itself: a date the calendar rejects is reported
// and leaves its output line empty, and the others are still answered.
#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "calendar/calendar_texts.h"
#include "calendar/date_conversion.h"
#include "command.h"
#include "errors.h"
#include "input.h"
#include "output.h"

namespace pelikar::cli {
namespace {

enum class Calendar { Shamsi, Miladi };

bool IsDigit(char c) { return c >= '0' && c <= '9'; }


// Year first means four digits and then no digit. Everything else is day first,
// including "0110111992", which the Miladi reading takes field by field.
Calendar CalendarOf(CodeView date) {
  const bool yearFirst = date.size() >= 4 && std::all_of(date.begin(), date.begin() + 4, IsDigit) &&
                         (date.size() == 4 || !IsDigit(date[4]));
  return yearFirst ? Calendar::Shamsi : Calendar::Miladi;
}

std::string Rejection(CodeView date, Calendar calendar) {
  const char* form = calendar == Calendar::Shamsi ? "Shamsi date (yyyy/mm/dd, years 1 to 1500)"
                                                  : "Miladi date (dd/mm/yyyy, years 1 to 2100)";
  return "'" + std::string(date) + "' is not a valid " + form;
}

// The answer for one date, or the empty text when the calendar rejects it.
using DateAnswer = CodeString (*)(Calendar calendar, CodeView date);

// The calendar texts read a Shamsi date's fields by position, so a year below 1000
// (a Miladi date before 1622) needs its leading zeros back.
CodeString WithFourDigitYear(CodeString shamsi) {
  const auto yearEnd = shamsi.find('/');
  if (yearEnd < 4 && !shamsi.starts_with('-')) shamsi.insert(0, 4 - yearEnd, '0');
  return shamsi;
}

// The calendar texts take valid Shamsi dates; a Miladi date is converted first.
CodeString ShamsiOf(Calendar calendar, CodeView date) {
  CodeString shamsi(date);
  if (calendar == Calendar::Miladi) shamsi = WithFourDigitYear(calendar::Miladi_To_Shamsi(date));
  return calendar::Shamsi_To_Miladi(shamsi).empty() ? CodeString() : shamsi;
}

CodeString OtherCalendar(Calendar calendar, CodeView date) {
  if (calendar == Calendar::Shamsi) return calendar::Shamsi_To_Miladi(date);
  return calendar::Miladi_To_Shamsi(date);
}

template <CodeString (*Text)(CodeView shamsiStr)>
CodeString ShamsiText(Calendar calendar, CodeView date) {
  const CodeString shamsi = ShamsiOf(calendar, date);
  return shamsi.empty() ? CodeString() : Text(shamsi);
}

// Dates are ASCII; only the calendar texts are Nivo text, rendered as the other
// Persian results are.
int RunDates(const Arguments& arguments, DateAnswer answer, bool persianAnswer) {
  const bool render = persianAnswer && ShouldRender(arguments.options.rendering);
  Output output(render, TextIsTyped(arguments.operands));
  bool allAnswered = true;
  auto answerOne = [&](CodeView text, std::size_t lineNumber) {
    const CodeView date = TrimSpaces(text);
    CodeString result;
    // A blank line of a batch asks nothing and keeps its place; a blank argument is
    // a date that was meant to be there.
    if (!date.empty() || lineNumber == 0) {
      const Calendar calendar = CalendarOf(date);
      result = answer(calendar, date);
      if (result.empty()) {
        allAnswered = false;
        std::fprintf(stderr, "pelikar: %s\n", AtLine(lineNumber, Rejection(date, calendar)).c_str());
      }
    }
    output.WriteLine(result, encoding::CodePage::Nivo);
  };
  if (arguments.operands.empty()) {
    ForEachText({}, "", answerOne);
  } else {
    for (const std::string& operand : arguments.operands) answerOne(operand, 0);
  }
  output.Finish();
  return allAnswered ? kExitSuccess : kExitFailure;
}

int RunDate(const Arguments& a) { return RunDates(a, OtherCalendar, false); }
int RunWeekday(const Arguments& a) { return RunDates(a, ShamsiText<calendar::DayOfWeek>, true); }
int RunMonth(const Arguments& a) { return RunDates(a, ShamsiText<calendar::MonthOfYear>, true); }
int RunSpellDate(const Arguments& a) { return RunDates(a, ShamsiText<calendar::SpellDate>, true); }

int RunToday(const Arguments& arguments) {
  RequireOperands(arguments, 0, 0);
  const CodeString today = calendar::SystemDate();
  if (today.empty()) throw Failure("the system clock gives no date in the calendar's range");
  Output output(false, false);
  output.WriteLine(today, encoding::CodePage::Nivo);
  output.Finish();
  return kExitSuccess;
}

constexpr std::array kDateCommands = {
    Command{"date", "[DATE...]", "a Shamsi date to Miladi, or Miladi to Shamsi",
            "Converts each date to the other calendar, recognised by its form: a date\n"
            "with the year first (yyyy/mm/dd) is a Shamsi date and gives its Miladi\n"
            "date dd/mm/yyyy; a date with the day first (dd/mm/yyyy) is a Miladi date\n"
            "and gives its Shamsi date yyyy/mm/dd. Shamsi years go up to 1500, Miladi\n"
            "years up to 2100; a one-digit day at the end is read (1370/10/5), other\n"
            "fields need both digits. Each argument is one date.\n"
            "A date the calendar rejects is reported on standard error, with its line\n"
            "number when it comes from standard input, and gives an empty output line,\n"
            "so that the answers stay in line with the dates; the other dates are still\n"
            "answered, and the status is 1 at the end. A blank input line gives a blank\n"
            "output line.",
            "pelikar date 1403/01/01 20/03/2024", kNoOptions, RunDate},
    Command{"today", "", "today's date in the Shamsi calendar",
            "Writes today's date from the system clock, in local time, as a Shamsi\n"
            "date yyyy/mm/dd.",
            "pelikar today", kNoOptions, RunToday},
    Command{"weekday", "[DATE...]", "the Persian name of a date's weekday",
            "Writes the name of the weekday of each date, in Nivo text. A date with the\n"
            "year first is a Shamsi date, one with the day first a Miladi date.\n"
            "Rejected dates and blank lines are treated as by the date command.",
            "pelikar weekday 1370/10/11", kOutputOptions, RunWeekday},
    Command{"month", "[DATE...]", "the Persian name of a date's Shamsi month",
            "Writes the name of the Shamsi month of each date, in Nivo text. A date\n"
            "with the year first is a Shamsi date, one with the day first a Miladi\n"
            "date, whose Shamsi month is named. Rejected dates and blank lines are\n"
            "treated as by the date command.",
            "pelikar month 1403/01/01", kOutputOptions, RunMonth},
    Command{"spell-date", "[DATE...]", "a date in Persian words",
            "Writes each date in words, in Nivo text: the last two digits of the Shamsi\n"
            "year, the name of the month and the day. A date with the year first is a\n"
            "Shamsi date, one with the day first a Miladi date, converted first.\n"
            "Rejected dates and blank lines are treated as by the date command.",
            "pelikar spell-date 1370/10/11", kOutputOptions, RunSpellDate},
};

}  // namespace

std::span<const Command> DateCommands() { return kDateCommands; }

}  // namespace pelikar::cli
