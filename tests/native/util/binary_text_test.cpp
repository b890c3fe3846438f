#include "util/binary_text.h"

#include <gtest/gtest.h>

#include <bitset>

#include "../test_support.h"

namespace pelikar::util {
namespace {

TEST(BinaryText, EveryByteHasItsEightDigitsAndComesBack) {
  for (int value = 0; value <= 255; ++value) {
    const CodeString text = DecToBin(static_cast<Byte>(value));
    ASSERT_EQ(text, std::bitset<8>(static_cast<unsigned>(value)).to_string()) << value;
    ASSERT_EQ(BinToDec(text), value) << text;
  }
}

TEST(BinToDec, ReadsTheFirstEightCharactersFromTheLeft) {
  const struct {
    CodeView text;
    int value;
    const char* why;
  } cases[] = {
      {"101", 160, "a short text reads as padded with 0 on the right"},
      {"", 0, "empty"},
      {"0000001x", 2, "a letter counts 0"},
      {"0000000111111", 1, "the ninth character onwards is ignored"},
      {"00000090", 18, "a digit beyond 1 counts with its value"},
      {"-0000001", 1, "a sign counts 0"},
      {"00000\xB2" "01", 1, "a superscript two in Latin-1 is no digit"},
  };
  for (const auto& c : cases) EXPECT_EQ(BinToDec(c.text), c.value) << c.why << ": " << c.text;
}

TEST(BinToDec, ASumAbove255Overflows) {
  // 2295, and the three ways to reach 256.
  for (CodeView text : {"99999999", "20000000", "2", "11111112"}) {
    EXPECT_EQ(pelikar::test::ErrorNumberOf([&] { BinToDec(text); }), kOverflow) << text;
  }
}

}  // namespace
}  // namespace pelikar::util
