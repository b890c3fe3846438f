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
  void PrintLine(const PrintJob&) override { failure(); }
  std::function<void()> failure;
};

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
