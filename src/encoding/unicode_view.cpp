#include "encoding/unicode_view.h"

#include <array>

namespace pelikar::encoding {
namespace {

// What codes 128-255 show, one row per code. The rows are written from
// unicode_view.tsv, which the glyph font generator reads too.
struct UpperRow {
  char32_t nivo;
  char32_t ir;
};
constexpr std::array<UpperRow, 128> kUpper = {{
#include "encoding/unicode_view.inc"
}};

constexpr char32_t kLeftToRightOverride = 0x202D;
constexpr char32_t kPopDirectionalFormatting = 0x202C;

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// Control characters would move the cursor or start escape sequences on a terminal;
// show them as the Unicode control pictures.
char32_t Visible(char32_t c) {
  if (c < 0x20) return 0x2400 + c;
  if (c == 0x7F) return 0x2421;
  return c;
}

}  // namespace

char32_t UnicodeOf(CodePage codePage, Byte code) {
  if (code < 128) return code;
  const UpperRow& row = kUpper[code - 128];
  return codePage == CodePage::Ir ? row.ir : row.nivo;
}

bool CodeOf(CodePage codePage, char32_t character, Byte& code) {
  for (int c = 0; c < 256; ++c) {
    if (UnicodeOf(codePage, static_cast<Byte>(c)) == character) {
      code = static_cast<Byte>(c);
      return true;
    }
  }
  return false;
}

std::string RenderUtf8(CodeView text, CodePage codePage) {
  std::string out;
  out.reserve(text.size() * 3 + 8);
  // Each line is its own paragraph for the bidirectional algorithm, so each gets
  // its own override.
  AppendUtf8(out, kLeftToRightOverride);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char32_t c = UnicodeOf(codePage, CodeAt(text, i));
    if (c == '\n') {
      AppendUtf8(out, kPopDirectionalFormatting);
      out.push_back('\n');
      AppendUtf8(out, kLeftToRightOverride);
    } else {
      AppendUtf8(out, c == '\t' ? c : Visible(c));
    }
  }
  AppendUtf8(out, kPopDirectionalFormatting);
  return out;
}

}  // namespace pelikar::encoding
