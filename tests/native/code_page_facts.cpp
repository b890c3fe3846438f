#include "code_page_facts.h"

namespace pelikar::test {

const std::vector<KeyLetter> kLayoutLetters = {
    {'q', U'\u0636'}, {'w', U'\u0635'}, {'e', U'\u062B'}, {'r', U'\u0642'}, {'t', U'\u0641'},
    {'y', U'\u063A'}, {'u', U'\u0639'}, {'i', U'\u0647'}, {'o', U'\u062E'}, {'p', U'\u062D'},
    {'[', U'\u062C'}, {']', U'\u0686'}, {'a', U'\u0634'}, {'s', U'\u0633'}, {'d', U'\u06CC'},
    {'f', U'\u0628'}, {'g', U'\u0644'}, {'h', U'\u0627'}, {'j', U'\u062A'}, {'k', U'\u0646'},
    {'l', U'\u0645'}, {';', U'\u06A9'}, {'\'', U'\u06AF'}, {'z', U'\u0638'}, {'x', U'\u0637'},
    {'c', U'\u0632'}, {'v', U'\u0631'}, {'b', U'\u0630'}, {'n', U'\u062F'}, {'m', U'\u0626'},
    {',', U'\u0648'}, {'`', U'\u067E'}, {'\\', U'\u0698'}, {'H', U'\u0622'},
};

std::vector<TypedWord> RandomWords(std::mt19937& random, const std::vector<KeyLetter>& letters,
                                   const std::vector<std::string_view>& kinds) {
  std::vector<TypedWord> words(1 + random() % 6);
  for (TypedWord& word : words) {
    const std::string_view kind = kinds[random() % kinds.size()];
    for (std::size_t i = 0, n = 1 + random() % 7; i < n; ++i) {
      word.push_back(kind.empty() ? letters[random() % letters.size()] : KeyLetter{kind[random() % kind.size()], 0});
    }
  }
  return words;
}

namespace {

const std::set<int> kOne{4}, kAny{1, 2, 3, 4}, kEnd{3, 4}, kJoining{1, 2};

void AddPairs(std::vector<IrCodeFact>& facts, Byte first, std::initializer_list<char32_t> letters, bool endFirst) {
  for (char32_t letter : letters) {
    facts.push_back({first, letter, endFirst ? kEnd : kJoining});
    facts.push_back({static_cast<Byte>(first + 1), letter, endFirst ? kJoining : kEnd});
    first = static_cast<Byte>(first + 2);
  }
}

std::vector<IrCodeFact> IranSystem() {
  std::vector<IrCodeFact> facts;
  for (int d = 0; d < 10; ++d) facts.push_back({static_cast<Byte>(0x80 + d), U'\u06F0' + d, kOne});
  facts.push_back({0x8A, U'\u060C', kOne});
  facts.push_back({0x8B, U'\u0640', kAny});
  facts.push_back({0x8C, U'\u061F', kOne});
  facts.push_back({0x8D, U'\u0622', kOne});
  facts.push_back({0x8E, U'\u0626', kJoining});
  facts.push_back({0x8F, U'\u0621', kOne});
  facts.push_back({0x90, U'\u0627', {4}});
  facts.push_back({0x91, U'\u0627', {3}});
  AddPairs(facts, 0x92, {U'\u0628', U'\u067E', U'\u062A', U'\u062B', U'\u062C', U'\u0686', U'\u062D', U'\u062E'}, true);
  Byte code = 0xA2;
  for (char32_t letter : {U'\u062F', U'\u0630', U'\u0631', U'\u0632', U'\u0698'}) facts.push_back({code++, letter, kEnd});
  AddPairs(facts, 0xA7, {U'\u0633', U'\u0634', U'\u0635', U'\u0636'}, true);
  facts.push_back({0xAF, U'\u0637', kAny});
  facts.push_back({0xE0, U'\u0638', kAny});
  code = 0xE1;
  for (char32_t letter : {U'\u0639', U'\u063A'}) {
    for (int form : {4, 3, 2, 1}) facts.push_back({code++, letter, {form}});
  }
  AddPairs(facts, 0xE9, {U'\u0641', U'\u0642', U'\u06A9', U'\u06AF'}, true);
  facts.push_back({0xF1, U'\u0644', kEnd});
  facts.push_back({0xF2, 0, kEnd});  // lam-alef ligature
  facts.push_back({0xF3, U'\u0644', kJoining});
  AddPairs(facts, 0xF4, {U'\u0645', U'\u0646'}, true);
  facts.push_back({0xF8, U'\u0648', kEnd});
  facts.push_back({0xF9, U'\u0647', kEnd});
  facts.push_back({0xFA, U'\u0647', {2}});
  facts.push_back({0xFB, U'\u0647', {1}});
  facts.push_back({0xFC, U'\u06CC', {3}});
  facts.push_back({0xFD, U'\u06CC', {4}});
  facts.push_back({0xFE, U'\u06CC', kJoining});
  facts.push_back({0xFF, U'\u00A0', kOne});
  return facts;
}

}  // namespace

const std::vector<IrCodeFact> kIranSystem = IranSystem();

const std::vector<char32_t> kAlphabet = {
    U'\u0622', U'\u0627', U'\u0621', U'\u0628', U'\u067E', U'\u062A', U'\u062B', U'\u062C', U'\u0686',
    U'\u062D', U'\u062E', U'\u062F', U'\u0630', U'\u0631', U'\u0632', U'\u0698', U'\u0633', U'\u0634',
    U'\u0635', U'\u0636', U'\u0637', U'\u0638', U'\u0639', U'\u063A', U'\u0641', U'\u0642', U'\u06A9',
    U'\u06AF', U'\u0644', U'\u0645', U'\u0646', U'\u0648', U'\u0647', U'\u06CC',
};

}  // namespace pelikar::test
