#include "util/wildcard.h"

#include <gtest/gtest.h>

#include "service_doubles.h"

namespace pelikar::util {
namespace {

TEST(WildcardMatch, StarQuestionMarkAndAFinalDotStar) {
  const struct {
    CodeView pattern;
    CodeView name;
    bool matches;
  } cases[] = {
      {"*", ".", true},
      {"*.txt", "readme.txt.bak", false},
      {"*.txt", "a.b.txt", true},
      {"*.htm", "page.html", false},
      {"re*me.*", "rme.txt", false},
      {"*e*e*", "readme", true},
      {"*e*e*", "red", false},
      {"**a", "a", true},
      {"?", "", false},
      {"file?.txt", "file1.txt", true},
      {"file?.txt", "file12.txt", false},
      {"*?", "", false},
      {"", "a", false},
      // A final ".*" also matches a name without extension.
      {"*.*", "readme", true},
      {"readme.*", "readme", true},
      {"readme.*", "readme2", false},
      {"a.*", "ab.c", false},
      // A final dot asks for names without an extension.
      {"*.", "readme", true},
      {"*.", "a.txt", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WildcardMatch(c.pattern, c.name, test::AsciiCaseFold()), c.matches)
        << c.pattern << " ~ " << c.name;
  }
}

TEST(WildcardMatch, LettersCompareThroughTheFold) {
  EXPECT_TRUE(WildcardMatch("*.TXT", "readme.txt", test::AsciiCaseFold()));
  EXPECT_TRUE(WildcardMatch("R?ADME", "readme", test::AsciiCaseFold()));
  // Beyond ASCII only the platform's fold knows the letters: E9/C9 are e-acute in
  // code page 1252.
  EXPECT_FALSE(WildcardMatch("\xC9*", "\xE9t\xE9", test::AsciiCaseFold()));
  CaseFold latin = test::AsciiCaseFold();
  latin[0xE9] = 0xC9;
  EXPECT_TRUE(WildcardMatch("\xC9*", "\xE9t\xE9", latin));
}

}  // namespace
}  // namespace pelikar::util
