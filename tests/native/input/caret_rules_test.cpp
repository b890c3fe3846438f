// What one key does to a field's text and caret in Persian mode, after the field's own
// reaction: the caret rules of the two insertion routines, digits beside a number,
// keys that write nothing, Enter in multi-line fields. Texts are shown with the caret
// as "|", a selection in "[]" and codes as "<code>".
#include <gtest/gtest.h>

#include "encoding/convert_text.h"
#include "typist.h"

namespace pelikar::input::test {
namespace {

enum class Lines { Single, Multi, FieldOnly };  // FieldOnly: a multi-line box, control single-line

struct Case {
  const char* name;
  Lines lines;
  const char* before;
  Key key;
  const char* after;
};

class CaretRules : public testing::TestWithParam<Case> {};

TEST_P(CaretRules, GiveTheTextAndCaret) {
  const Case& c = GetParam();
  Typist typist;
  typist.NumLock(true);
  typist.settings.multiLine = c.lines == Lines::Multi;
  auto field = MemoryField::TextBox("Text1");
  field->multiLine = c.lines != Lines::Single;
  field->Show(c.before);
  MemoryField expected;
  expected.Show(c.after);

  EXPECT_TRUE(typist.Press(*field, c.key).down);
  EXPECT_EQ(field->Shown(), expected.Shown());
}

constexpr Key kShiftSpace{32, kShift};

const Case kCases[] = {
    // InsertKey, a single-line field
    {"BackspaceTakesTheCharacterLeftOfTheCaret", Lines::Single, "ab|cd", {kBackspace}, "a|cd"},
    {"BackspaceAtZeroTakesTheCharacterRightOfIt", Lines::Single, "|abcd", {kBackspace}, "|bcd"},
    {"BackspaceTakesJustTheSelection", Lines::Single, "a[bc]d", {kBackspace}, "a|d"},
    {"DeleteTakesTheCharacterRightOfTheCaret", Lines::Single, "ab|cd", {kDelete}, "ab|d"},
    {"DeleteTakesJustTheSelection", Lines::Single, "a[bc]d", {kDelete}, "a|d"},
    {"Left", Lines::Single, "ab|cd", {kLeft}, "a|bcd"},
    {"ShiftLeftSelects", Lines::Single, "ab|cd", {kLeft, kShift}, "a[b]cd"},
    {"ADigitGoesToTheRightEndOfTheNumber", Lines::Single, "a|12b", {'3'}, "a|123b"},
    {"ASlashFollowsTheNumber", Lines::Single, "a|1.5b", {191}, "a|1.5/b"},
    {"AKeypadDigitWithNumLock", Lines::Single, "a|12b", {99}, "a|123b"},
    {"AKeypadPointFollowsTheNumber", Lines::Single, "a|1b", {110}, "a|1.b"},
    {"AKeypadSignTypesItself", Lines::Single, "|", {106}, "|*"},
    {"ADigitInsideAWordPartsItsLetters", Lines::Single, "<143>|<141>", {'5'}, "<144>|5<144>"},
    {"TypingReplacesTheSelection", Lines::Single, "a[bc]d", {'7'}, "a|7d"},
    {"ShiftSpaceWritesNothing", Lines::Single, "ab|cd", kShiftSpace, "ab|cd"},
    {"CtrlVWritesNothing", Lines::Single, "ab|cd", {'V', kCtrl}, "ab|cd"},
    {"ShiftAloneKeepsTheSelection", Lines::Single, "a[bc]d", {16, kShift}, "a[bc]d"},
    {"AltTypesTheKeyAlone", Lines::Single, "|", {'F', 4}, "|<144>"},
    {"EnterInASingleLineField", Lines::Single, "ab|cd", {kEnter}, "ab|cd"},
    // InsertKeyMultiLine and Enter
    {"BackspaceAtZeroDoesNothing", Lines::Multi, "|abc", {kBackspace}, "|abc"},
    {"BackspaceAfterALineBreakJoinsTheLines", Lines::Multi, "ab\r\n|cd", {kBackspace}, "ab|cd"},
    {"BackspaceAtCaretOneReshapesTheNeighbour", Lines::Multi,
     "<143>|<141>", {kBackspace}, "|<144>"},
    {"DeleteBeforeALineBreakJoinsTheLines", Lines::Multi, "ab|\r\ncd", {kDelete}, "ab|cd"},
    {"DeleteTakesJustTheSelectionOfAMultiLineField", Lines::Multi, "a[b\r\nc]d", {kDelete}, "a|d"},
    {"EnterMovesTheLeftPartToANewLine", Lines::Multi, "ab|cd", {kEnter}, "cd\r\nab|"},
    {"EnterOnTheSecondLine", Lines::Multi, "xy\r\nab|cd\r\nz", {kEnter}, "xy\r\ncd\r\nab|\r\nz"},
    {"EnterRightAfterALineBreak", Lines::Multi, "ab\r\n|cd", {kEnter}, "ab\r\ncd\r\n|"},
    {"EnterKeepsALeadingTabOnItsLine", Lines::Multi, "\tab|", {kEnter}, "\t\r\nab|"},
    {"EnterWhenOnlyTheFieldIsMultiLine", Lines::FieldOnly, "ab|cd", {kEnter}, "ab|cd"},
    // A multi-line box typed into as a single-line one still keeps its line breaks whole.
    {"BackspaceAfterALineBreakOfAMultiLineBox", Lines::FieldOnly, "ab\r\n|cd", {kBackspace},
     "ab|cd"},
    {"DeleteBeforeALineBreakOfAMultiLineBox", Lines::FieldOnly, "<144>|\r\n<144>", {kDelete},
     "<143>|<141>"},
};

INSTANTIATE_TEST_SUITE_P(PersianMode, CaretRules, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Enter adds two characters: not to a locked box, nor beyond MaxLength in a Visual
// Basic host (Environment 0), which leaves MaxLength to the control.
TEST(Enter, ALockedOrFullBoxKeepsItsLines) {
  const struct {
    bool locked;
    std::int32_t maxLength;
    const char* after;
  } cases[] = {{true, 0, "ab|cd"}, {false, 5, "ab|cd"}, {false, 6, "cd\r\nab|"}};
  for (const auto& c : cases) {
    Typist typist;
    typist.settings.multiLine = true;
    auto field = MemoryField::TextBox("Text1");
    field->multiLine = true;
    field->locked = c.locked;
    field->maxLength = c.maxLength;
    field->Show("ab|cd");
    typist.Press(*field, {kEnter});
    MemoryField expected;
    expected.Show(c.after);
    EXPECT_EQ(field->Shown(), expected.Shown()) << c.locked << " " << c.maxLength;
  }
}

// The on-screen keyboard calls InsertKey directly: SavedSelStart is its insertion point,
// moved by the caret keys and Backspace, whatever the field's caret says.
TEST(InsertKey, KeepsItsInsertionPointInSavedSelStart) {
  util::test::RecordingMessageBoxes messages;
  MemoryField field;
  field.Show("abcd|");
  const struct {
    std::int16_t key;
    std::int32_t savedSelStart;
  } steps[] = {{kHome, 0}, {kLeft, 0}, {kRight, 1}, {kEnd, 4}, {kRight, 4}, {kLeft, 3},
               {kBackspace, 2}, {'1', 2}, {0, 2}};
  SetSavedSelStart(4);
  for (const auto& step : steps) {
    InsertKey(field, step.key, 0, encoding::NivoTableSet(), messages);
    EXPECT_EQ(SavedSelStart(), step.savedSelStart) << "after key " << step.key;
  }
  EXPECT_EQ(field.text, "ab1d");
  EXPECT_EQ(field.selStart, 2) << "only Backspace moves the field's own caret";
  EXPECT_TRUE(messages.shown.empty());
}

TEST(InsertKey, CtrlSShowsTheCreditBoxAndWritesNothing) {
  Typist typist;
  auto field = MemoryField::TextBox("Text1");
  field->Show("ab|");
  typist.Press(*field, {'S', kCtrl});
  EXPECT_EQ(field->Shown(), "ab|");
  ASSERT_EQ(typist.messages.shown.size(), 1u);
  EXPECT_EQ(typist.messages.shown[0].rfind("(i) Pelikar Persian text entry: Pelikar", 0), 0u)
      << "an information box with the product's title";
}

// The yeh of the Ir code page has its final and isolated forms at 252 and 253; a letter
// deleted beside it must leave it in the form of its new place.
TEST(InsertKey, IrYehTakesItsNewFormWhenANeighbourIsDeleted) {
  const struct {
    const char* word;
    std::size_t caret;  // Backspace here deletes the letter left of the caret
    const char* rest;
  } cases[] = {{"fd", 2, "d"}, {"df", 1, "d"}, {"dfd", 2, "dd"}, {"fdf", 1, "fd"}, {"dd", 1, "d"}};
  for (const auto& c : cases) {
    Typist typist(1);
    auto field = MemoryField::TextBox("Text1");
    field->text = encoding::ConvertText(std::string("~") + c.word + "~", encoding::CodePage::Ir);
    field->Select(static_cast<std::int32_t>(c.caret), 0);
    typist.Press(*field, {kBackspace});
    const CodeString rest =
        encoding::ConvertText(std::string("~") + c.rest + "~", encoding::CodePage::Ir);
    EXPECT_EQ(field->text, rest) << c.word << " at " << c.caret;
  }
}

}  // namespace
}  // namespace pelikar::input::test
