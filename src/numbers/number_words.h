#pragma once
// The words of the number spelling, stored as keyboard-typed text between tildes:
// the conversion engine turns each into Nivo letters when it is used.
#include <array>
#include <string_view>

#include "common/code_string.h"

namespace pelikar::numbers {

// Indexed by a digit d; index 0 is empty in every table.
using DigitWords = std::array<std::string_view, 10>;

// d: yek, do, se, chahar, panj, shesh, haft, hasht, noh.
inline constexpr DigitWords kOnesWords = {
    "",        "~d;~",  "~n,~",  "~si~",  "~]ihv~",
    "~`k[~",   "~aa~",  "~itj~", "~iaj~", "~ki~",
};

// 10 d: dah, bist, si, chehel, panjah, shast, haftad, hashtad, navad.
inline constexpr DigitWords kTensWords = {
    "",          "~ni~",    "~fdsj~",   "~sd~",     "~]ig~",
    "~`k[hi~",   "~awj~",   "~itjhn~",  "~iajhn~",  "~k,n~",
};

// 100 d, in the formal spelling that writes 100 as "one hundred" in one word.
inline constexpr DigitWords kHundredsWords = {
    "",          "~d;wn~",  "~n,dsj~",  "~sdwn~",   "~]ihvwn~",
    "~`hkwn~",   "~aawn~",  "~itjwn~",  "~iajwn~",  "~kiwn~",
};

// 10 + d: yazdah ... nuzdah. Index 0 (ten itself) is the tens word for 1.
inline constexpr DigitWords kTenPlusWords = {
    "",           "~dhcni~",  "~n,hcni~",  "~sdcni~",  "~]ihvni~",
    "~`hkcni~",   "~ahkcni~", "~itni~",    "~i[ni~",   "~k,cni~",
};

// Indexed by the group of three digits: 1 thousand, 2 million, 3 billion,
// 4 trillion. Group 4 lies beyond the largest number spelled.
inline constexpr std::array<std::string_view, 5> kScaleWords = {
    "", "~ichv~", "~ldgd,k~", "~ldgdhvn~", "~jvgd,k~",
};

inline constexpr std::string_view kNegativeWord = "~lktd~";

// "and" between the parts: a blank, the isolated waw of the Nivo code page, a blank.
// It is already a Nivo text and is appended as it stands.
inline constexpr Byte kWaw = 246;
inline constexpr char kJoiner[] = {' ', CodeChar(kWaw), ' '};

// Below 1 the result is this Latin text, not converted.
inline constexpr std::string_view kZeroText = "ZERO";

// Beyond the largest number: "more than ..." and "negative, less than ... -".
// The digits are typed in reverse, so that the visual order shows them right; the
// double blank belongs to the text.
inline constexpr std::string_view kTooLargeText = "~fda hc 7463847412~";
inline constexpr std::string_view kTooLargeNegativeText = "~lktd  ;ljv hc 7463847412 - ~";

}  // namespace pelikar::numbers
