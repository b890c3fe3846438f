// Typing letter by letter against the conversion engine: a sentence typed key by key
// into a field, and a typed word edited in place, give the text that ConvertText gives
// for the same keys, with numbers reading left to right.
#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "../test_support.h"
#include "encoding/convert_text.h"
#include "input/key_codes.h"
#include "typist.h"

namespace pelikar::input::test {
namespace {

using pelikar::test::CodesOf;

// Keys whose Persian character is what ConvertText makes of the same typed character.
// (Shifted letters other than these type the unshifted letter at key-down, while
// ConvertText looks their capitals up in KeyMap.)
constexpr std::string_view kLetterKeys = "abcdefghijklmnopqrstuvwxyz;',[]\\`-=JHG";
constexpr std::string_view kNumberKeys = "0123456789./";

std::string RandomText(std::mt19937& random, bool withNumbers) {
  std::string text;
  const int words = 1 + static_cast<int>(random() % 6);
  for (int w = 0; w < words; ++w) {
    if (w > 0) text += ' ';
    const bool number = withNumbers && random() % 4 == 0;
    const std::string_view keys = number ? kNumberKeys : kLetterKeys;
    const int length = 1 + static_cast<int>(random() % 7);
    for (int i = 0; i < length; ++i) text += keys[random() % keys.size()];
  }
  return text;
}

// ConvertText reverses numbers with everything else; typed, they read left to right.
CodeString Expected(const std::string& typed, encoding::CodePage page) {
  CodeString text = encoding::ConvertText("~" + typed + "~", page);
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = start;
    while (end < text.size() && IsNumberCode(CodeAt(text, end))) ++end;
    std::reverse(text.begin() + static_cast<std::ptrdiff_t>(start),
                 text.begin() + static_cast<std::ptrdiff_t>(end));
    start = end + 1;
  }
  return text;
}

class TypingWords : public testing::TestWithParam<std::tuple<int, bool>> {
 protected:
  TypingWords() : typist(std::get<0>(GetParam())) {
    typist.settings.multiLine = std::get<1>(GetParam());
    field->multiLine = typist.settings.multiLine;
  }
  encoding::CodePage Page() const {
    return static_cast<encoding::CodePage>(std::get<0>(GetParam()));
  }

  Typist typist;
  std::shared_ptr<MemoryField> field = MemoryField::TextBox("Text1");
  std::mt19937 random{20240501};
};

TEST_P(TypingWords, SentencesTypedKeyByKeyGiveTheConvertedText) {
  for (int round = 0; round < 300; ++round) {
    const std::string sentence = RandomText(random, true);
    // Some of it is in the field already; the rest is typed at the caret.
    std::size_t split = random() % sentence.size();
    while (split > 0 && (sentence[split] == ' ' || sentence[split - 1] == ' ')) --split;
    field->text = Expected(sentence.substr(0, split), Page());
    field->Select(0, 0);
    typist.Type(*field, sentence.substr(split));
    ASSERT_EQ(CodesOf(field->text), CodesOf(Expected(sentence, Page())))
        << "typed \"" << sentence << "\" after its first " << split;
    EXPECT_EQ(field->selStart, 0);
  }
}

// Visual index v holds the letter typed (n - 1 - v)-th: a range of the field is a range
// of the word.
TEST_P(TypingWords, EditingATypedWordGivesTheConvertedEditedWord) {
  for (int round = 0; round < 4000; ++round) {
    const std::string word = RandomText(random, false);
    const std::size_t n = word.size();
    field->text = encoding::ConvertText("~" + word + "~", Page());
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
        if (const std::size_t gone = std::max<std::size_t>(count, 1); from + gone <= n) {
          edited.erase(n - from - gone, gone);
        }
        break;
      default:  // a letter in place of the selection
        key = KeyOf(typed);
        edited.replace(n - from - count, count, 1, typed);
        break;
    }
    const std::string shown = field->Shown();
    typist.Press(*field, key);
    ASSERT_EQ(CodesOf(TrimSpaces(field->text)),
              CodesOf(encoding::ConvertText("~" + edited + "~", Page())))
        << "key " << key.code << " in " << shown << " of \"" << word << "\", selected " << count;
  }
}

INSTANTIATE_TEST_SUITE_P(BothCodePages, TypingWords,
                         testing::Combine(testing::Values(0, 1), testing::Bool()),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param) == 0 ? "Nivo" : "Ir") +
                                  (std::get<1>(info.param) ? "MultiLine" : "SingleLine");
                         });

}  // namespace
}  // namespace pelikar::input::test
