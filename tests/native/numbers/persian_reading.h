#pragma once
// Reads Nivo text back as Persian in reading order: what a person sees in the
// control, written as Unicode letters, so that tests can state phrases in Persian.
#include <string>

#include "common/code_string.h"

namespace pelikar::test {

// A character of the Basic Multilingual Plane as UTF-8.
std::string Utf8(char32_t character);

// The letter a character shows: a presentation form becomes the letter it is a form
// of (lam-alef becomes lam, alef); anything else is itself. UTF-8.
std::string LetterShown(char32_t character);

// Nivo text in visual order as UTF-8 letters in reading order. A run of Latin
// letters or digits, which the visual order keeps left to right, reads left to right
// again: "ZERO" and the digits of a number stay as they are.
std::string ReadNivo(CodeView visual);

}  // namespace pelikar::test
