#pragma once
// A code string carries one code-page code (0-255) per char. Every Persian text the
// core handles is one; the COM layer moves it through the ANSI code page losslessly.
#include <cstdint>
#include <string>
#include <string_view>

namespace pelikar {

using Byte = std::uint8_t;
using CodeString = std::string;
using CodeView = std::string_view;

constexpr Byte CodeAt(CodeView text, std::size_t i) { return static_cast<Byte>(text[i]); }
constexpr char CodeChar(unsigned code) { return static_cast<char>(static_cast<Byte>(code)); }

// The text without the spaces at both ends (only code 32, as the host's Trim does).
constexpr CodeView TrimSpaces(CodeView text) {
  const auto first = text.find_first_not_of(' ');
  if (first == CodeView::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace pelikar
