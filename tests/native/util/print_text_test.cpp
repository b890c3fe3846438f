#include "util/print_text.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "common/run_time_error.h"
#include "service_doubles.h"

namespace pelikar::util {
namespace {

using test::RecordingMessageBoxes;

class FakePrinter final : public Printer {
 public:
  void PrintLine(const PrintJob& job) override {
    if (failure) failure();
    printed.emplace_back(job.text);
    fonts.emplace_back(job.fontName);
    points = job.points;
    bold = job.bold;
  }
  std::function<void()> failure;
  std::vector<CodeString> printed;
  std::vector<CodeString> fonts;
  int points = 0;
  bool bold = false;
};

TEST(PrintText, PrintsTheLineWithItsFont) {
  FakePrinter printer;
  RecordingMessageBoxes messages;
  EXPECT_TRUE(PrintText(printer, messages, {"\x90\x91 text", "Nivo2", 14, true}));
  EXPECT_EQ(printer.printed, std::vector<CodeString>{"\x90\x91 text"});
  EXPECT_EQ(printer.fonts, std::vector<CodeString>{"Nivo2"});
  EXPECT_EQ(printer.points, 14);
  EXPECT_TRUE(printer.bold);
  EXPECT_TRUE(messages.shown.empty());
}

TEST(PrintText, AFailureShowsItsDescriptionAndGivesFalse) {
  FakePrinter printer;
  RecordingMessageBoxes messages;
  printer.failure = [] { throw RunTimeError(kPrinterError, "no printer is installed"); };
  EXPECT_FALSE(PrintText(printer, messages, {"x", "Arial", 10, false}));
  EXPECT_EQ(messages.shown, std::vector<std::string>{"Printer error: no printer is installed"});

  printer.failure = [] { throw 42; };
  EXPECT_FALSE(PrintText(printer, messages, {"x", "Arial", 10, false}));
  EXPECT_EQ(messages.shown.back(), "Printer error") << "a failure without a description";
}

}  // namespace
}  // namespace pelikar::util
