#include "util/wildcard.h"

#include <gtest/gtest.h>

namespace pelikar::util {
namespace {

TEST(WildcardMatch, StarAndQuestionMark) {
  const struct {
    CodeView pattern;
    CodeView name;
    bool matches;
  } cases[] = {
      {"*", "readme.txt", true},
      {"*", ".", true},
      {"*.txt", "readme.txt", true},
      {"*.txt", "readme.txt.bak", false},
      {"*.txt", "a.b.txt", true},
      {"*.htm", "page.html", false},
      {"*.htm*", "page.html", true},
      {"re*me.*", "readme.txt", true},
      {"re*me.*", "rme.txt", false},
      {"*e*e*", "readme", true},
      {"*e*e*", "red", false},
      {"**a", "a", true},
      {"?", "a", true},
      {"?", "", false},
      {"?", "ab", false},
      {"file?.txt", "file1.txt", true},
      {"file?.txt", "file.txt", false},
      {"file?.txt", "file12.txt", false},
      {"????", "abc", false},
      {"a?c*", "abcdef", true},
      {"*?", "", false},
      {"", "", true},
      {"", "a", false},
      {"readme", "readme", true},
      {"readme", "readme2", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WildcardMatch(c.pattern, c.name, AsciiCaseFold()), c.matches)
        << c.pattern << " ~ " << c.name;
  }
}

TEST(WildcardMatch, AFinalDotStarAlsoMatchesANameWithoutExtension) {
  EXPECT_TRUE(WildcardMatch("*.*", "readme", AsciiCaseFold()));
  EXPECT_TRUE(WildcardMatch("*.*", "readme.txt", AsciiCaseFold()));
  EXPECT_TRUE(WildcardMatch("readme.*", "readme", AsciiCaseFold()));
  EXPECT_FALSE(WildcardMatch("readme.*", "readme2", AsciiCaseFold()));
  EXPECT_FALSE(WildcardMatch("a.*", "ab.c", AsciiCaseFold()));
}

TEST(WildcardMatch, LettersCompareThroughTheFold) {
  EXPECT_TRUE(WildcardMatch("*.TXT", "readme.txt", AsciiCaseFold()));
  EXPECT_TRUE(WildcardMatch("R?ADME", "readme", AsciiCaseFold()));
  // Beyond ASCII only the platform's fold knows the letters: E9/C9 are e-acute in
  // code page 1252.
  EXPECT_FALSE(WildcardMatch("\xC9*", "\xE9t\xE9", AsciiCaseFold()));
  CaseFold latin = AsciiCaseFold();
  latin[0xE9] = 0xC9;
  EXPECT_TRUE(WildcardMatch("\xC9*", "\xE9t\xE9", latin));
}

TEST(WildcardMatch, HasWildcards) {
  EXPECT_TRUE(HasWildcards("*.txt"));
  EXPECT_TRUE(HasWildcards("a?"));
  EXPECT_FALSE(HasWildcards("C:\\readme.txt"));
  EXPECT_FALSE(HasWildcards(""));
}

}  // namespace
}  // namespace pelikar::util
