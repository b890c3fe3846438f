// PrintText on a prefix without a printer: the error's description in a message box
// (read and answered by a watching thread) and False, whichever way PrintAttrib comes.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include "control_test.h"
#include "window_watcher.h"

namespace pelikar::com_tests {
namespace {

class PrintText : public ControlTest {
 protected:
  void SetUp() override {
    DWORD needed = 0;
    DWORD count = 0;
    EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, nullptr, 0, &needed,
                  &count);
    if (needed != 0) GTEST_SKIP() << "this prefix has a printer";
    ControlTest::SetUp();
  }

  void ExpectNoPrinterMessage(const MessageBoxWatcher& boxes) {
    const std::vector<AnsweredBox> answered = boxes.answered();
    ASSERT_EQ(answered.size(), 1u);
    EXPECT_EQ(answered[0].title, L"Pelikar");
    EXPECT_EQ(answered[0].text, L"Printer error: no printer is installed");
  }

  const Variant text_ = Variant::Text(L"one line");
  const Variant font_ = Variant::Text(L"Arial");
  const Variant size_ = Variant::Short(12);
  const Variant bold_ = Boolean(true);
};

TEST_F(PrintText, WithoutAPrinterTheMessageAndFalse) {
  MessageBoxWatcher boxes;
  CallResult call = Invoke(L"PrintText", {&text_, &font_, &size_, &bold_});
  ASSERT_EQ(call.result, S_OK);
  EXPECT_EQ(V_BOOL(call.value.get()), VARIANT_FALSE);
  ExpectNoPrinterMessage(boxes);
}

// A script's variable passed for the by-reference Byte reaches the member and keeps
// its value and type.
TEST_F(PrintText, AScriptVariableForPrintAttrib) {
  Variant attribute = Byte(7);
  const Variant reference = Variant::Reference(attribute.get());
  MessageBoxWatcher boxes;
  CallResult call = Invoke(L"PrintText", {&text_, &font_, &size_, &bold_, &reference});
  ASSERT_EQ(call.result, S_OK);
  EXPECT_EQ(V_BOOL(call.value.get()), VARIANT_FALSE);
  ExpectNoPrinterMessage(boxes);
  EXPECT_EQ(attribute.type(), VT_UI1);
  EXPECT_EQ(V_UI1(attribute.get()), 7);
}

}  // namespace
}  // namespace pelikar::com_tests
