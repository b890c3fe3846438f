#include "encoding/unicode_view.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace pelikar::encoding {
namespace {

const std::string kOverride = "\u202D", kPop = "\u202C";

TEST(RenderUtf8, KeepsVisualOrderLineByLine) {
  EXPECT_EQ(RenderUtf8(test::Codes({144, ' ', '2', '1'}), CodePage::Nivo), kOverride + "\uFE8F 21" + kPop);
  EXPECT_EQ(RenderUtf8(test::Codes({146, '\n', 128}), CodePage::Ir),
            kOverride + "\uFE90" + kPop + "\n" + kOverride + "\u06F0" + kPop);
  EXPECT_EQ(RenderUtf8("", CodePage::Nivo), kOverride + kPop);
}

TEST(RenderUtf8, ShowsControlCharactersAsSymbols) {
  EXPECT_EQ(RenderUtf8(test::Codes({27, '\t', '\r', 127, 0}), CodePage::Nivo),
            kOverride + "\u241B\t\u240D\u2421\u2400" + kPop);
}

}  // namespace
}  // namespace pelikar::encoding
