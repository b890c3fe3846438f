#pragma once
// The Unicode bridge: lines of a code page, stored in visual order as glyph codes,
// to logical-order standard Unicode text (UTF-8), and back.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/code_string.h"
#include "encoding/tables.h"
#include "unicode/bidi.h"

namespace pelikar::unicode {

struct PageLetters;

// The order stored lines are in. Conversion: as the conversion engine writes them,
// the whole line reversed, numbers and Latin words too. Typed: as typing writes them,
// the right-to-left text reversed but every number (digits with the "." and "/"
// between or beside them) and every Latin word reading left to right, in the order
// the bidirectional algorithm gives a right-to-left line.
enum class Order { Typed, Conversion };
enum class Digits { Persian, Ascii };

struct BridgeOptions {
  encoding::CodePage page = encoding::CodePage::Nivo;
  Order order = Order::Typed;
  Digits digits = Digits::Persian;  // how digits come out in Unicode
  char substitute = '?';            // the code written for a character the page lacks
};

// One stored line (without its line end) to logical UTF-8 text.
class CodesToUnicode {
 public:
  explicit CodesToUnicode(const BridgeOptions& options);
  void Line(CodeView visual, std::string& out);

 private:
  BridgeOptions options_;
  const PageLetters& letters_;
  std::array<std::array<char, 4>, 256> utf8_;  // what each code is written as
  std::array<std::uint8_t, 256> utf8Length_;
  std::string scratch_;
  CodeString logical_;
  std::vector<std::uint8_t> classes_, levels_;
  std::vector<Bracket> brackets_;
  BidiResolver bidi_;
};

// A character that the code page cannot express, found at a column (counted in
// characters from 1) of its line; a byte that is no UTF-8 has the character 0.
struct Unexpressed {
  std::size_t column;
  char32_t character;
  Byte byte;
};

// One logical line (without its line end) of UTF-8 to stored codes, shaped by the
// conversion engine's rules.
class UnicodeToCodes {
 public:
  explicit UnicodeToCodes(const BridgeOptions& options);
  // Appends the line's codes to out, and what could not be expressed to unexpressed.
  void Line(std::string_view utf8, CodeString& out, std::vector<Unexpressed>& unexpressed);

 private:
  struct Item {
    Byte code;
    std::uint8_t kind;
  };
  void Read(std::string_view utf8, std::vector<Unexpressed>& unexpressed);
  void Add(char32_t c, std::uint32_t column, std::vector<Unexpressed>& unexpressed);
  void Shape(CodeString& out);

  BridgeOptions options_;
  const PageLetters& letters_;
  std::vector<Item> items_;
  std::vector<std::uint8_t> classes_, levels_;
  bool brackets_ = false;  // whether the line has a bracket
  std::vector<Bracket> bracketOf_;
  char32_t previous_ = 0;  // the character of the last item, and its column
  std::uint32_t previousColumn_ = 0;
  bool lamAlef_ = false;  // the last item is a lam and alef joined into their ligature
  BidiResolver bidi_;
};

}  // namespace pelikar::unicode
