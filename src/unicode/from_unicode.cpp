// Logical Unicode to stored codes: the text composed and its presentation forms
// folded, every character as the page's code of its letter, the line put into the
// stored order, and the letters shaped by the conversion engine's rules.
#include <algorithm>

#include "encoding/shaping_rules.h"
#include "unicode/bridge.h"
#include "unicode/letters.h"
#include "unicode/utf8.h"

namespace pelikar::unicode {
namespace {

// What an item of the line is besides its code.
enum ItemKind : std::uint8_t {
  kCode,      // a code as it is (shaping may change its form)
  kNonJoiner, // a ZWNJ: keeps the letters on both sides apart, then goes
  kHamzaItem, // the hamza, which joins neither side: apart while shaping, then its code
  kMark,      // a direction mark: takes part in the ordering only
};

// Bytes that are no UTF-8 travel as characters past the end of Unicode.
constexpr char32_t kMalformed = 0x110000;

}  // namespace

UnicodeToCodes::UnicodeToCodes(const BridgeOptions& options) : options_(options) {}

void UnicodeToCodes::Decode(std::string_view utf8) {
  characters_.clear();
  columns_.clear();
  std::uint32_t column = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    ++column;
    char32_t c = 0;
    const std::size_t at = i;
    if (!NextUtf8(utf8, i, c)) c = kMalformed + static_cast<unsigned char>(utf8[at]);
    if (!characters_.empty()) {
      if (const char32_t composed = Compose(characters_.back(), c)) {
        characters_.back() = composed;
        continue;
      }
    }
    char32_t letters[2];
    const int count = FoldPresentationForm(c, letters);
    if (count == 0) {
      characters_.push_back(c);
      columns_.push_back(column);
      continue;
    }
    for (int k = 0; k < count; ++k) {
      characters_.push_back(letters[k]);
      columns_.push_back(column);
    }
  }
}

void UnicodeToCodes::Encode(std::vector<Unexpressed>& unexpressed) {
  const PageLetters& p = LettersOf(options_.page);
  const std::size_t n = characters_.size();
  items_.clear();
  classes_.clear();
  brackets_.clear();
  char32_t previous = 0;
  for (std::size_t k = 0; k < n; ++k) {
    const char32_t c = characters_[k];
    Byte code = 0;
    ItemKind kind = kCode;
    if (c < 128) {
      code = static_cast<Byte>(c);
    } else if (c == kZwnj) {
      kind = kNonJoiner;
    } else if (c == 0x200E || c == 0x200F || c == 0x061C) {
      kind = kMark;
    } else if (c >= 0x0600 && c <= 0x06FF) {
      code = p.arabicBlock[c - 0x0600];
      if (c == kHamza) kind = kHamzaItem;
      // A lam and the alef after it are one ligature.
      if (c == kAlef && previous == kLam && !items_.empty() && items_.back().kind == kCode) {
        items_.back().code = p.lamAlef;
        previous = c;
        continue;
      }
    } else {
      OtherCodeOf(options_.page, c, code);
    }
    if (code == 0 && kind != kNonJoiner && kind != kMark) {
      const bool malformed = c >= kMalformed;
      unexpressed.push_back({columns_[k], malformed ? 0 : c, malformed ? static_cast<Byte>(c - kMalformed) : Byte{0}});
      code = static_cast<Byte>(options_.substitute);
      kind = kCode;
    }
    items_.push_back({code, kind});
    classes_.push_back(kind == kCode || kind == kHamzaItem ? p.bidi[code] : std::uint8_t{BidiClassOf(c)});
    brackets_.push_back(kind == kCode ? BracketOf(code) : Bracket{});
    previous = c;
  }
}

void UnicodeToCodes::Shape(CodeString& out) {
  const PageLetters& p = LettersOf(options_.page);
  const std::size_t start = out.size();
  bool placeholders = false;
  for (const Item& item : items_) {
    if (item.kind == kMark) continue;
    placeholders |= item.kind != kCode;
    // A placeholder below 128 joins nothing, as a space would not.
    out.push_back(CodeChar(item.kind == kCode ? item.code : 0));
  }
  auto* codes = reinterpret_cast<Byte*>(out.data() + start);
  encoding::detail::ShapeText(encoding::TableSetOf(options_.page), codes, out.size() - start);
  if (!placeholders) return;
  // The hamzas take their code, the non-joiners go.
  std::size_t write = start, read = start;
  for (const Item& item : items_) {
    if (item.kind == kMark) continue;
    const char code = out[read++];
    if (item.kind == kNonJoiner) continue;
    out[write++] = item.kind == kHamzaItem ? CodeChar(p.hamza) : code;
  }
  out.resize(write);
}

void UnicodeToCodes::Line(std::string_view utf8, CodeString& out, std::vector<Unexpressed>& unexpressed) {
  Decode(utf8);
  Encode(unexpressed);
  const std::size_t n = items_.size();
  if (options_.order == Order::Conversion) {
    std::reverse(items_.begin(), items_.end());
  } else {
    bool mixed = false;
    for (const std::uint8_t c : classes_) mixed |= c == kL || c == kEN || c == kAN;
    if (!mixed) {
      std::reverse(items_.begin(), items_.end());
    } else {
      levels_.resize(n);
      const int highest = bidi_.Resolve(classes_.data(), brackets_.data(), n, levels_.data());
      ReorderLine(items_.data(), levels_.data(), n, highest);
    }
  }
  Shape(out);
}

}  // namespace pelikar::unicode
