// Which fields take Persian typing and how: the field kinds by Tag and Name, Locked and
// MaxLength by host, the key-press filters and Scroll Lock as the Persian mode. (The
// random typing test covers failing fields; the control's tests the keyboard state.)
#include <gtest/gtest.h>

#include "typist.h"

namespace pelikar::input::test {
namespace {

enum Box { kTextBox, kGridLike };

struct Limits {
  bool locked;
  std::int32_t maxLength;
  std::int16_t environment;  // of the host: 0 Visual Basic
};
constexpr Limits kFree{false, 0, 0};

struct FieldCase {
  const char* name;
  Box box;
  const char* fieldName;
  const char* tag;
  Limits limits;
  const char* before;
  Key key;
  const char* after;
  bool down;  // what FarsiDown answers
};

class PersianTyping : public testing::TestWithParam<FieldCase> {};

TEST_P(PersianTyping, ReachesTheFieldsItShould) {
  const FieldCase& c = GetParam();
  Typist typist;
  typist.NumLock(true);
  typist.settings.environment = c.limits.environment;
  auto field = c.box == kTextBox ? MemoryField::TextBox(c.fieldName, c.tag)
                                 : MemoryField::Grid(c.fieldName, c.tag);
  field->locked = c.limits.locked;
  field->maxLength = c.limits.maxLength;
  field->Show(c.before);
  MemoryField expected;
  expected.Show(c.after);

  EXPECT_EQ(typist.Press(*field, c.key).down, c.down);
  EXPECT_EQ(field->Shown(), expected.Shown());
}

const FieldCase kFieldCases[] = {
    {"ATxtBox", kTextBox, "txtCity", "", kFree, "|", {'F'}, "|<144>", true},
    {"AFieldTaggedText", kTextBox, "Field1", "  TeXt ", kFree, "|", {'F'}, "|<144>", true},
    {"AComboBox", kGridLike, "cboCity", "combo", kFree, "|", {'F'}, "|<144>", true},
    {"AMaskedBox", kGridLike, "MaskedBox1", "", kFree, "|", {'F'}, "|<144>", true},
    {"AGridTypesOverItsSelection", kGridLike, "Grid1", "", kFree,
     "a[bc]d", {'F'}, "a|<144>d", true},
    {"ALockedTextBoxTakesNothing", kTextBox, "Text1", "", {true, 0, 0}, "ab|", {'F'}, "ab|", true},
    {"AFullTextBoxTakesNoMore", kTextBox, "Text1", "", {false, 3, 0}, "abc|", {'F'}, "abc|", true},
    {"AFullTextBoxReshapesOnDelete", kTextBox, "Text1", "", {false, 2, 0},
     "|<143><141>", {kDelete}, "|<144>", true},
    {"ATextBoxWithRoomLeft", kTextBox, "Text1", "", {false, 4, 0},
     "abc|", {'F'}, "abc|<144>", true},
    {"MaxLengthIsTheHostsOutsideVisualBasic", kTextBox, "Text1", "", {false, 3, 1},
     "abc|", {'F'}, "abc|<144>", true},
    {"AFieldOfNoKindTakesNothing", kTextBox, "Label1", "", kFree, "ab|", {'F'}, "ab|", true},
    {"AnIntegerFieldTakesAKeypadDigit", kTextBox, "Text1", "integer", kFree,
     "|", {97}, "1|", false},
    {"AFloatFieldDropsASecondPoint", kTextBox, "Text1", "float", kFree,
     "1.5|", {190}, "1.5|", false},
};

INSTANTIATE_TEST_SUITE_P(Fields, PersianTyping, testing::ValuesIn(kFieldCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct PressCase {
  const char* tag;
  const char* fieldName;
  bool persian;
  std::int16_t typed;
  std::int16_t left;  // what FarsiPress leaves for the field
  bool result;
};

TEST(FarsiPress, LeavesTheFieldWhatItMayInsert) {
  const PressCase cases[] = {
      {" Integer ", "Field1", true, '1', '1', false}, {"integer", "Field1", true, 'a', 0, false},
      {"integer", "Field1", true, 8, 8, false},       {"integer", "Field1", true, 3, 3, false},
      {"float", "Field1", true, '.', '.', false},     {"float", "Field1", true, '-', 0, false},
      {"shamsi", "Field1", true, '1', 0, false},      {"miladi", "Field1", false, 8, 8, false},
      {"shamsi2", "Field1", false, 3, 3, false},      {"shamsi", "Field1", false, 13, 0, false},
      {"", "Text1", true, 8, 0, true},                {"", "Text1", false, 'a', 'a', true},
      {"text", "Field1", false, 13, 0, true},         {"", "Combo1", false, 13, 13, true},
      {"", "Label1", false, 13, 13, true},            {"", "Label1", true, 'a', 0, true},
  };
  for (const PressCase& c : cases) {
    Typist typist;
    typist.settings.persian = c.persian;
    auto field = MemoryField::TextBox(c.fieldName, c.tag);
    std::int16_t code = c.typed;
    EXPECT_EQ(FarsiPress(*field, code, typist.settings, typist.services), c.result)
        << c.tag << "/" << c.fieldName << " " << c.typed;
    EXPECT_EQ(code, c.left) << c.tag << "/" << c.fieldName << " " << c.typed;
  }
}

// A grid's selection goes before a character arrives; Backspace, Ctrl+C and Enter are
// the grid's own and find their selection in place.
TEST(FarsiPress, ClearsAGridSelectionBeforeACharacter) {
  const struct {
    Key key;
    const char* after;
  } cases[] = {
      {{'X'}, "ax|d"}, {{kBackspace}, "a|d"}, {{'C', kCtrl}, "a[bc]d"}, {{kEnter}, "a[bc]d"}};
  for (const auto& c : cases) {
    Typist typist;
    typist.Persian(false);
    auto grid = MemoryField::Grid("Grid1");
    grid->Show("a[bc]d");
    typist.Press(*grid, c.key);
    EXPECT_EQ(grid->Shown(), c.after) << "key " << c.key.code;
  }
}

TEST(ScrollLock, SwitchesBetweenLatinAndPersianAtEveryKey) {
  Typist typist;
  auto field = MemoryField::TextBox("Text1");
  typist.Persian(false);
  typist.Type(*field, "ab");
  EXPECT_FALSE(typist.settings.persian);
  EXPECT_EQ(field->Shown(), "ab|");
  typist.Persian(true);
  typist.Type(*field, "f");
  EXPECT_TRUE(typist.settings.persian);
  EXPECT_EQ(field->Shown(), "ab|<144>");
}

// A failing field answers False and keeps its text and KeyAscii (the random typing
// test injects failures at every member access).
TEST(Failures, AFieldWithoutTagGivesFalse) {
  Typist typist;
  auto field = MemoryField::TextBox("Text1");
  field->missing = {"Tag"};
  field->Show("ab|");
  std::int16_t code = 'a';
  EXPECT_FALSE(FarsiDown(*field, 'F', 0, typist.settings, typist.services));
  EXPECT_FALSE(FarsiPress(*field, code, typist.settings, typist.services));
  EXPECT_EQ(code, 'a');
  EXPECT_EQ(field->Shown(), "ab|");
}

}  // namespace
}  // namespace pelikar::input::test
