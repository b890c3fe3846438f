#include "unicode_input.h"

#include <cstdio>
#include <string>

#include "encoding/unicode_view.h"
#include "errors.h"

namespace pelikar::cli {
namespace {

// One UTF-8 sequence from text at i; advances i. Returns false for a malformed one.
bool NextCharacter(std::string_view text, std::size_t& i, char32_t& character) {
  auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned lead = byte(i);
  std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3
                     : (lead >> 3) == 0x1E ? 4 : 0;
  if (length == 0 || i + length > text.size()) return false;
  char32_t value = length == 1 ? lead : lead & (0x7Fu >> length);
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return false;
    value = (value << 6) | (byte(i + k) & 0x3F);
  }
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (value < kSmallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
    return false;
  i += length;
  character = value;
  return true;
}

bool IsDirectionMark(char32_t c) {
  return c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

std::string CodePointName(char32_t c) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
  return name;
}

}  // namespace

CodeString DecodeUtf8(std::string_view utf8, encoding::CodePage codePage) {
  CodeString codes;
  codes.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t character = 0;
    if (!NextCharacter(utf8, i, character)) {
      throw Failure("the text is not UTF-8 (byte " + std::to_string(i + 1) + ")");
    }
    Byte code = 0;
    if (encoding::CodeOf(codePage, character, code)) {
      codes += CodeChar(code);
    } else if (character < 0x80) {
      codes += CodeChar(character);
    } else if (!IsDirectionMark(character)) {
      const char* page = codePage == encoding::CodePage::Nivo ? "Nivo" : "Ir";
      throw Failure(CodePointName(character) + " has no code in the " + page + " code page");
    }
  }
  return codes;
}

}  // namespace pelikar::cli
