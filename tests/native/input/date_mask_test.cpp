// Date fields keep their text in a mask while digits, Backspace and Delete are typed,
// in either mode.
#include <gtest/gtest.h>

#include "typist.h"

namespace pelikar::input::test {
namespace {

struct MaskCase {
  const char* name;
  const char* tag;
  const char* before;
  std::vector<Key> keys;
  const char* after;
};

std::vector<Key> Digits(std::string_view digits) {
  std::vector<Key> keys;
  for (char d : digits) keys.push_back({static_cast<std::int16_t>(d)});
  return keys;
}

class DateMasks : public testing::TestWithParam<MaskCase> {};

TEST_P(DateMasks, KeepTheTextInTheMask) {
  const MaskCase& c = GetParam();
  for (const bool persian : {true, false}) {
    Typist typist;
    typist.Persian(persian);
    typist.NumLock(true);
    auto field = MemoryField::TextBox("MaskedBox1", c.tag);
    field->Show(c.before);
    for (const Key& key : c.keys) EXPECT_FALSE(typist.Press(*field, key).down);
    EXPECT_EQ(field->Shown(), c.after) << (persian ? "Persian" : "Latin");
    EXPECT_TRUE(typist.messages.shown.empty());
  }
}

const MaskCase kMaskCases[] = {
    {"AShamsiDate", "shamsi", "|", Digits("13700101"), "1370/01/01|"},
    {"ANinthDigitChangesNothing", "shamsi", "|", Digits("137001019"), "1370/01/01|"},
    {"AShamsi2Date", "Shamsi2", "|", Digits("700101"), "70/01/01|"},
    {"AMiladiDateStepsOverItsSeparators", "miladi", "|", Digits("21031"), "21/03/1|___"},
    {"KeypadDigitsWithNumLock", "shamsi", "|", {{97}, {99}, {103}, {96}}, "1370/|__/__"},
    {"ADigitBeforeASeparatorGoesAfterIt", "shamsi", "1370|/__/__", Digits("5"), "1370/5|_/__"},
    {"ADigitOverwritesTheNextPlace", "shamsi", "13|70/01/01", Digits("9"), "139|0/01/01"},
    {"BackspaceClearsTheDigitLeftOfTheCaret", "shamsi", "1370/10|/11", {{kBackspace}},
     "1370/1|_/11"},
    {"BackspaceAfterASeparator", "shamsi", "1370/|10/11", {{kBackspace}}, "137|_/10/11"},
    {"BackspaceAtTheStart", "shamsi", "|1370/10/11", {{kBackspace}}, "|1370/10/11"},
    {"DeleteOnlyMovesTheCaret", "shamsi", "13|70/10/11", {{kDelete}}, "137|0/10/11"},
    {"ABrokenMaskIsReset", "shamsi", "1370/1/5|", {{kEnd}}, "____/__/__|"},
    {"AMissingLastPlaceComesBack", "shamsi", "1370/10/1|", {{kEnd}}, "1370/10/1_|"},
    {"ATooLongTextIsCut", "shamsi", "1370/10/11xy|", {{kEnd}}, "1370/10/11|"},
    {"LettersOnlyNormalise", "miladi", "2|1/03/1991", {{'F'}, {'F', kShift}, {32}}, "2|1/03/1991"},
    {"CtrlAndShiftLeftLeaveEvenABrokenMask", "shamsi", "1370/1/5|", {{'C', kCtrl}, {kLeft, kShift}},
     "1370/1/[5]"},
};

INSTANTIATE_TEST_SUITE_P(Dates, DateMasks, testing::ValuesIn(kMaskCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A locked box does not do its own Backspace and Delete, which the mask's edits count
// on: its date is left alone. A grid has no Locked and is never locked.
TEST(DateMasks, ALockedBoxKeepsItsDate) {
  Typist typist;
  auto box = MemoryField::TextBox("MaskedBox1", "shamsi");
  box->locked = true;
  box->Show("1370/|10/11");
  for (const Key& key : std::vector<Key>{{kBackspace}, {'5'}, {kDelete}, {kRight}}) {
    typist.Press(*box, key);
  }
  EXPECT_EQ(box->text, "1370/10/11");
  auto grid = MemoryField::Grid("Grid1", "shamsi");
  grid->Show("|");
  for (const Key& key : Digits("1370")) typist.Press(*grid, key);
  EXPECT_EQ(grid->Shown(), "1370/|__/__");
  EXPECT_TRUE(typist.messages.shown.empty());
}

TEST(DateMasks, AFailureShowsTheMasksMessage) {
  for (const auto& [tag, message] : {std::pair{"shamsi", "error in shamsi input"},
                                     std::pair{"shamsi2", "error in shamsi2 input"},
                                     std::pair{"miladi", "error in miladi input"}}) {
    Typist typist;
    auto field = MemoryField::TextBox("Text1", tag);
    field->missing = {"SelStart"};
    EXPECT_FALSE(typist.Press(*field, {'1'}).down);
    EXPECT_EQ(field->text, "") << tag;
    EXPECT_EQ(typist.messages.shown, std::vector<std::string>{message});
  }
}

}  // namespace
}  // namespace pelikar::input::test
