// The letters the reading helper sees in Nivo text agree with Unicode's own
// compatibility decompositions (from ICU), for every code of the page.
#include "persian_reading.h"

#include <gtest/gtest.h>

#include "../unicode_facts.h"
#include "encoding/unicode_view.h"

namespace pelikar::test {
namespace {

TEST(PersianReading, EveryNivoCodeReadsAsTheLetterItShows) {
  for (int code = 0; code < 256; ++code) {
    const char32_t shown = encoding::UnicodeOf(encoding::CodePage::Nivo, static_cast<Byte>(code));
    SCOPED_TRACE(NameOf(shown));
    EXPECT_TRUE(LetterShown(shown).starts_with(Utf8(BaseLetter(shown)))) << code;
  }
}

TEST(PersianReading, ReversesTheLettersButNotLatinWordsOrNumbers) {
  // Beh final, beh initial in visual order: the word beh beh.
  EXPECT_EQ(ReadNivo("\x8F\x8D"), "\u0628\u0628");
  // Beh, blank, 12: shown left to right, read right to left as 12, then beh.
  EXPECT_EQ(ReadNivo("\x90 12"), "12 \u0628");
  EXPECT_EQ(ReadNivo("ZERO"), "ZERO");
  EXPECT_EQ(ReadNivo("ab 1 \xF6"), "\u0648 1 ab");
}

}  // namespace
}  // namespace pelikar::test
