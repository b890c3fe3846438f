#include "util/binary_text.h"

#include <gtest/gtest.h>

#include <bitset>

#include "common/run_time_error.h"

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
      {"00000101", 5, "plain"},
      {"11111111", 255, "largest"},
      {"101", 160, "a short text reads as padded with 0 on the right"},
      {"", 0, "empty"},
      {"1", 128, "one digit is the top bit"},
      {"0000001x", 2, "a letter counts 0"},
      {"0000000000000", 0, "only the first eight characters count"},
      {"0000000111111", 1, "the ninth character onwards is ignored"},
      {"1111111 ", 254, "a space counts 0"},
      {"00000002", 2, "a digit counts with its value"},
      {"00000090", 18, "even beyond 1"},
      {"-0000001", 1, "a sign counts 0"},
      {"00000\xB2" "01", 1, "a superscript two in Latin-1 is no digit"},
  };
  for (const auto& c : cases) EXPECT_EQ(BinToDec(c.text), c.value) << c.why << ": " << c.text;
}

TEST(BinToDec, ASumAbove255Overflows) {
  // 2295, and the three ways to reach 256.
  for (CodeView text : {"99999999", "20000000", "2", "11111112"}) {
    try {
      BinToDec(text);
      ADD_FAILURE() << text << " gave no error";
    } catch (const RunTimeError& error) {
      EXPECT_EQ(error.number(), kOverflow) << text;
    }
  }
  EXPECT_EQ(BinToDec("01111113"), 129) << "digits beyond 1 that stay in range";
}

}  // namespace
}  // namespace pelikar::util
