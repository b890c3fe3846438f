// The typing engine over an in-memory text box that reacts to keys as a real one does.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>

#include "../test_support.h"
#include "encoding/convert_text.h"
#include "input/key_codes.h"
#include "typist.h"

namespace pelikar::input::test {
namespace {

// What keys do to a field's text and caret, after the field's own reaction: the caret
// rules of the two insertion routines, digits beside a number, keys that write nothing,
// Enter in multi-line fields, the field kinds by Tag and Name, Locked and MaxLength by
// host, and the date masks in either mode. Texts are shown with the caret as "|", a
// selection in "[]" and codes as "<code>". Backspace, Delete and letters inside words
// are checked against the conversion engine below; random keys into failing fields
// are the typing fuzz target's.
enum Setup : unsigned {
  kMulti = 1,       // the control's MultiLine and the box's
  kBoxMulti = 2,    // the box's only
  kGrid = 4,        // no Locked, MaxLength, MultiLine
  kLocked = 8,
  kLatin = 16,      // Scroll Lock off
  kNotVb = 32,      // a host other than Visual Basic, which keeps MaxLength itself
};

// The field's name, and its Tag after a colon.
struct Case { const char* name; unsigned setup; std::int32_t maxLength; const char* before; std::vector<Key> keys; const char* after; };

std::vector<Key> Digits(std::string_view digits) {
  std::vector<Key> keys;
  for (char d : digits) keys.push_back({static_cast<std::int16_t>(d)});
  return keys;
}

const Case kCases[] = {
    {"Text1", 0, 0, "ab|cd", {{kLeft, kShift}}, "a[b]cd"},
    {"Text1", 0, 0, "a|12b", {{'3'}}, "a|123b"},
    {"Text1", 0, 0, "a|1.5b", {{191}}, "a|1.5/b"},
    {"Text1", 0, 0, "a|12b", {{99}}, "a|123b"},
    {"Text1", 0, 0, "a|1b", {{110}}, "a|1.b"},
    {"Text1", 0, 0, "|", {{106}}, "|*"},
    {"Text1", 0, 0, "<143>|<141>", {{'5'}}, "<144>|5<144>"},
    {"Text1", 0, 0, "a[bc]d", {{'7'}}, "a|7d"},
    {"Text1", 0, 0, "ab|cd", {{32, kShift}, {'V', kCtrl}, {kEnter}}, "ab|cd"},
    {"Text1", 0, 0, "a[bc]d", {{16, kShift}}, "a[bc]d"},
    {"Text1", 0, 0, "|", {{'F', 4}}, "|<144>"},
    {"Text1", kMulti, 0, "ab\r\n|cd", {{kBackspace}}, "ab|cd"},
    {"Text1", kMulti, 0, "ab|\r\ncd", {{kDelete}}, "ab|cd"},
    {"Text1", kMulti, 0, "a[b\r\nc]d", {{kDelete}}, "a|d"},
    {"Text1", kMulti, 0, "xy\r\nab|cd\r\nz", {{kEnter}}, "xy\r\ncd\r\nab|\r\nz"},
    {"Text1", kMulti, 0, "ab\r\n|cd", {{kEnter}}, "ab\r\ncd\r\n|"},
    {"Text1", kMulti, 0, "\tab|", {{kEnter}}, "\t\r\nab|"},
    {"Text1", kMulti | kLocked, 0, "ab|cd", {{kEnter}}, "ab|cd"},
    {"Text1", kMulti, 5, "ab|cd", {{kEnter}}, "ab|cd"},
    {"Text1", kMulti, 6, "ab|cd", {{kEnter}}, "cd\r\nab|"},
    {"Text1", kBoxMulti, 0, "ab|cd", {{kEnter}}, "ab|cd"},
    // A multi-line box typed into as a single-line one still keeps its line breaks whole.
    {"Text1", kBoxMulti, 0, "ab\r\n|cd", {{kBackspace}}, "ab|cd"},
    {"Text1", kBoxMulti, 0, "<144>|\r\n<144>", {{kDelete}}, "<143>|<141>"},
    {"txtCity", 0, 0, "|", {{'F'}}, "|<144>"},
    {"Field1:  TeXt ", 0, 0, "|", {{'F'}}, "|<144>"},
    {"cboCity:combo", kGrid, 0, "|", {{'F'}}, "|<144>"},
    {"MaskedBox1", kGrid, 0, "|", {{'F'}}, "|<144>"},
    {"Grid1", kGrid, 0, "a[bc]d", {{'F'}}, "a|<144>d"},
    {"Text1", kLocked, 0, "ab|", {{'F'}}, "ab|"},
    {"Text1", 0, 3, "abc|", {{'F'}}, "abc|"},
    {"Text1", 0, 2, "|<143><141>", {{kDelete}}, "|<144>"},
    {"Text1", 0, 4, "abc|", {{'F'}}, "abc|<144>"},
    {"Text1", kNotVb, 3, "abc|", {{'F'}}, "abc|<144>"},
    {"Label1", 0, 0, "ab|", {{'F'}}, "ab|"},
    {"Text1:integer", 0, 0, "|", {{97}}, "1|"},
    {"Text1:float", 0, 0, "1.5|", {{190}}, "1.5|"},
    // A grid's selection goes before a character arrives; Backspace, Ctrl+C and Enter
    // are the grid's own and find their selection in place.
    {"Grid1", kGrid | kLatin, 0, "a[bc]d", {{'X'}}, "ax|d"},
    {"Grid1", kGrid | kLatin, 0, "a[bc]d", {{kBackspace}}, "a|d"},
    {"Grid1", kGrid | kLatin, 0, "a[bc]d", {{'C', kCtrl}}, "a[bc]d"},
    {"Grid1", kGrid | kLatin, 0, "a[bc]d", {{kEnter}}, "a[bc]d"},
    // Date fields keep their text in the mask, in either mode.
    {"MaskedBox1:shamsi", 0, 0, "|", Digits("137001019"), "1370/01/01|"},
    {"MaskedBox1:Shamsi2", 0, 0, "|", Digits("700101"), "70/01/01|"},
    {"MaskedBox1:miladi", 0, 0, "|", Digits("21031"), "21/03/1|___"},
    {"MaskedBox1:shamsi", 0, 0, "|", {{97}, {99}, {103}, {96}}, "1370/|__/__"},
    {"MaskedBox1:shamsi", 0, 0, "1370|/__/__", Digits("5"), "1370/5|_/__"},
    {"MaskedBox1:shamsi", 0, 0, "13|70/01/01", Digits("9"), "139|0/01/01"},
    {"MaskedBox1:shamsi", 0, 0, "1370/10|/11", {{kBackspace}}, "1370/1|_/11"},
    {"MaskedBox1:shamsi", 0, 0, "1370/|10/11", {{kBackspace}}, "137|_/10/11"},
    {"MaskedBox1:shamsi", 0, 0, "|1370/10/11", {{kBackspace}}, "|1370/10/11"},
    {"MaskedBox1:shamsi", 0, 0, "1|370/10/11", {{kBackspace}}, "|_370/10/11"},
    {"MaskedBox1:shamsi", 0, 0, "13|70/10/11", {{kDelete}}, "137|0/10/11"},
    {"MaskedBox1:shamsi", 0, 0, "1370/1/5|", {{kEnd}}, "____/__/__|"},
    {"MaskedBox1:shamsi", 0, 0, "1370/10/1|", {{kEnd}}, "1370/10/1_|"},
    {"MaskedBox1:shamsi", 0, 0, "1370/10/11xy|", {{kEnd}}, "1370/10/11|"},
    {"MaskedBox1:miladi", 0, 0, "2|1/03/1991", {{'F'}, {'F', kShift}, {32}}, "2|1/03/1991"},
    {"MaskedBox1:shamsi", 0, 0, "1370/1/5|", {{'C', kCtrl}, {kLeft, kShift}}, "1370/1/[5]"},
    // A locked box does not do its own Backspace and Delete, which the mask's edits
    // count on: its date is left alone. A grid has no Locked and is never locked.
    {"MaskedBox1:shamsi", kLocked, 0, "1370/|10/11", {{kBackspace}, {'5'}, {kDelete}, {kRight}}, "1370/1|0/11"},
    {"Grid1:shamsi", kGrid, 0, "|", Digits("1370"), "1370/|__/__"},
};

TEST(Typing, EachKeyGivesTheTextAndCaret) {
  for (const Case& c : kCases) {
    const std::string_view name = c.name;
    const std::size_t colon = std::min(name.find(':'), name.size());
    const CodeString tag(name.substr(std::min(colon + 1, name.size())));
    // A date mask is tried in both modes.
    const bool mask = tag.find("hamsi") != CodeString::npos || tag.find("iladi") != CodeString::npos;
    for (const bool latin : {(c.setup & kLatin) != 0, true}) {
      SCOPED_TRACE(testing::Message() << c.name << " " << c.before << " setup " << c.setup << (latin ? " Latin" : ""));
      Typist typist;
      typist.NumLock(true);
      typist.Persian(!latin);
      typist.settings.multiLine = c.setup & kMulti;
      typist.settings.environment = static_cast<std::int16_t>(c.setup & kNotVb ? 1 : 0);
      auto field = c.setup & kGrid ? MemoryField::Grid(CodeString(name.substr(0, colon)), tag)
                                   : MemoryField::TextBox(CodeString(name.substr(0, colon)), tag);
      field->multiLine = c.setup & (kMulti | kBoxMulti);
      field->locked = c.setup & kLocked;
      field->maxLength = c.maxLength;
      field->Show(c.before);
      MemoryField expected;
      expected.Show(c.after);
      for (const Key& key : c.keys) typist.Press(*field, key);
      EXPECT_EQ(field->Shown(), expected.Shown());
      EXPECT_TRUE(typist.messages.shown.empty());
      if (!mask) break;
    }
  }
}

// FarsiPress leaves the field what it may insert (what the field then does with it is
// the table's): number fields their digits and Backspace, date fields and Persian text
// fields nothing but Backspace in Latin, a text box no Enter. False for date, integer
// and float fields, True for the others.
TEST(Typing, FarsiPressInsertKeyAndFailingDateFields) {
  const struct { const char* tag; bool persian; std::int16_t typed, left; bool result; } cases[] = {
      {" Integer ", true, '1', '1', false}, {"integer", true, 'a', 0, false},  {"integer", true, 8, 8, false},
      {"float", true, '.', '.', false},     {"float", true, '-', 0, false},    {"shamsi", true, '1', 0, false},
      {"miladi", false, 8, 8, false},       {"shamsi", false, 13, 0, false},   {"", true, 8, 0, true},
      {"", false, 'a', 'a', true},          {"text", false, 13, 0, true},
  };
  for (const auto& c : cases) {
    Typist typist;
    typist.settings.persian = c.persian;
    std::int16_t code = c.typed;
    EXPECT_EQ(FarsiPress(*MemoryField::TextBox("Field1", c.tag), code, typist.settings, typist.services), c.result) << c.tag << " " << c.typed;
    EXPECT_EQ(code, c.left) << c.tag << " " << c.typed;
  }
  // The on-screen keyboard calls InsertKey directly: SavedSelStart is its insertion point,
  // moved by the caret keys and Backspace, whatever the field's caret says.
  util::test::RecordingMessageBoxes messages;
  MemoryField field;
  field.Show("abcd|");
  const std::pair<std::int16_t, std::int32_t> steps[] = {{kHome, 0}, {kLeft, 0},      {kRight, 1}, {kLeft, 0}, {kEnd, 4}, {kRight, 4},
                                                         {kLeft, 3}, {kBackspace, 2}, {'1', 2},    {0, 2}};
  SetSavedSelStart(4);
  for (const auto& [key, savedSelStart] : steps) {
    InsertKey(field, key, 0, encoding::NivoTableSet(), messages);
    EXPECT_EQ(SavedSelStart(), savedSelStart) << "after key " << key;
  }
  EXPECT_EQ(field.text, "ab1d");
  EXPECT_EQ(field.selStart, 2) << "only Backspace moves the field's own caret";
  // Ctrl+S shows the credit box, an information box with the product's title.
  InsertKey(field, 'S', kCtrl, encoding::NivoTableSet(), messages);
  EXPECT_EQ(field.text, "ab1d");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_TRUE(messages.shown[0].starts_with("(i) Pelikar Persian text entry: Pelikar")) << messages.shown[0];
  for (const char* tag : {"shamsi", "shamsi2", "miladi"}) {
    Typist typist;
    auto field = MemoryField::TextBox("Text1", tag);
    field->missing = {"SelStart"};
    EXPECT_FALSE(typist.Press(*field, {'1'}));
    EXPECT_EQ(field->text, "") << tag;
    EXPECT_EQ(typist.messages.shown, std::vector<std::string>{"error in " + std::string(tag) + " input"});
  }
}

// A typed word edited in place gives the text that ConvertText gives for the edited
// keys. (Whole sentences typed key by key are checked against the layout in the
// typing agreement test.) Keys whose Persian character is what ConvertText makes of
// the same typed character: shifted letters other than these type the unshifted
// letter at key-down, while ConvertText looks their capitals up in KeyMap.
constexpr std::string_view kLetterKeys = "abcdefghijklmnopqrstuvwxyz;',[]\\`-=JHG";

class TypingWords : public testing::TestWithParam<std::tuple<int, bool>> {
 protected:
  TypingWords() : typist(std::get<0>(GetParam())) { typist.settings.multiLine = field->multiLine = std::get<1>(GetParam()); }
  Typist typist;
  std::shared_ptr<MemoryField> field = MemoryField::TextBox("Text1");
  std::mt19937 random{20240501};
};

// Visual index v holds the letter typed (n - 1 - v)-th: a range of the field is a range
// of the word.
TEST_P(TypingWords, EditingATypedWordGivesTheConvertedEditedWord) {
  const auto page = static_cast<encoding::CodePage>(std::get<0>(GetParam()));
  for (int round = 0; round < 4000; ++round) {
    std::string word;  // a random word or few of those keys
    for (int w = 0, words = 1 + static_cast<int>(random() % 6); w < words; ++w) {
      if (w > 0) word += ' ';
      for (int i = 0, length = 1 + static_cast<int>(random() % 7); i < length; ++i) word += kLetterKeys[random() % kLetterKeys.size()];
    }
    const std::size_t n = word.size();
    field->text = encoding::ConvertText("~" + word + "~", page);
    const std::size_t from = random() % (n + 1);
    const std::size_t count = random() % 3 == 0 ? random() % (n - from + 1) : 0;
    field->Select(static_cast<std::int32_t>(from), static_cast<std::int32_t>(count));
    std::string edited = word;
    const char typed = kLetterKeys[random() % kLetterKeys.size()];
    Key key{};
    switch (random() % 3) {
      case 0:  // Backspace: the selection, else left of the caret; at caret 0 a single-line
               // field loses the character right of it, the last one typed
        key = {kBackspace};
        if (count > 0) {
          edited.erase(n - from - count, count);
        } else if (from > 0) {
          edited.erase(n - from, 1);
        } else if (!field->multiLine) {
          edited.erase(n - 1, 1);
        }
        break;
      case 1:  // Delete: the selection, else right of the caret
        key = {kDelete};
        if (const std::size_t gone = std::max<std::size_t>(count, 1); from + gone <= n) edited.erase(n - from - gone, gone);
        break;
      default:  // a letter in place of the selection
        key = KeyOf(typed);
        edited.replace(n - from - count, count, 1, typed);
        break;
    }
    const std::string shown = field->Shown();
    typist.Press(*field, key);
    ASSERT_EQ(pelikar::test::CodesOf(TrimSpaces(field->text)), pelikar::test::CodesOf(encoding::ConvertText("~" + edited + "~", page)))
        << "key " << key.code << " in " << shown << " of \"" << word << "\", selected " << count;
  }
}

INSTANTIATE_TEST_SUITE_P(BothCodePages, TypingWords, testing::Combine(testing::Values(0, 1), testing::Bool()), [](const auto& info) {
  return std::string(std::get<0>(info.param) == 0 ? "Nivo" : "Ir") + (std::get<1>(info.param) ? "MultiLine" : "SingleLine");
});

}  // namespace
}  // namespace pelikar::input::test
