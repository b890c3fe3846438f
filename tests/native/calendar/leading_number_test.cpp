#include "common/leading_number.h"

#include <gtest/gtest.h>

#include <utility>

#include "common/run_time_error.h"

namespace pelikar {
namespace {

TEST(LeadingNumber, ReadsTheNumberTheTextBeginsWith) {
  const std::pair<const char*, double> cases[] = {
      {"", 0},
      {"abc", 0},
      {"/5", 0},
      {"12abc", 12},
      {" \t 7x", 7},   // leading blanks and tabs are passed over
      {"1 2", 12},     // and so are blanks inside
      {"- 3", -3},     // even after the sign
      {"+4", 4},
      {"-", 0},
      {".5", 0.5},
      {"5.", 5},
      {"1.2.3", 1.2},  // a second point ends it
      {"2D3", 2000},
      {"25E-1", 2.5},
      {"1e", 1},       // an exponent without digits is none
      {"&H10", 0},     // no hexadecimal
      {"1e-400", 0},
  };
  for (const auto& [text, value] : cases)
    EXPECT_EQ(LeadingNumber(text), value) << '"' << text << '"';
}

TEST(LeadingNumber, BeyondADoubleIsAnOverflow) {
  try {
    LeadingNumber("1e400");
    FAIL() << "no error";
  } catch (const RunTimeError& error) {
    EXPECT_EQ(error.number(), kOverflow);
  }
}

}  // namespace
}  // namespace pelikar
