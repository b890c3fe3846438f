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

UnicodeToCodes::UnicodeToCodes(const BridgeOptions& options) : options_(options), letters_(LettersOf(options.page)) {}

// Takes the line's characters one by one: composes a letter with the hamza or madda
// after it, folds presentation forms into their letters, and gives each character its
// code, kind and bidirectional class.
void UnicodeToCodes::Read(std::string_view utf8, std::vector<Unexpressed>& unexpressed) {
  items_.clear();
  classes_.clear();
  brackets_ = false;
  previous_ = 0;
  const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
  const std::size_t n = utf8.size();
  std::uint32_t column = 0;
  for (std::size_t i = 0; i < n;) {
    ++column;
    char32_t c = s[i];
    if (c < 0x80) {
      ++i;
    } else if (c >= 0xC2 && c < 0xE0 && i + 1 < n && (s[i + 1] & 0xC0) == 0x80) {
      c = ((c & 0x1F) << 6) | (s[i + 1] & 0x3F);
      i += 2;
    } else if (!NextUtf8(utf8, i, c)) {
      c = kMalformed + s[i - 1];
    }
    if (c >= 0x0653 && c <= 0x0655 && !items_.empty()) {
      if (const char32_t composed = Compose(previous_, c)) {
        if (lamAlef_) {
          // The alef leaves its ligature to compose: the lam stays.
          items_.back().code = letters_.arabicBlock[kLam - 0x0600];
        } else {
          items_.pop_back();
          classes_.pop_back();
        }
        Add(composed, previousColumn_, unexpressed);
        continue;
      }
    }
    char32_t letters[2];
    const int count = c >= 0xFB50 ? FoldPresentationForm(c, letters) : 0;
    if (count == 0) {
      Add(c, column, unexpressed);
    } else {
      for (int k = 0; k < count; ++k) Add(letters[k], column, unexpressed);
    }
  }
}

void UnicodeToCodes::Add(char32_t c, std::uint32_t column, std::vector<Unexpressed>& unexpressed) {
  const PageLetters& p = letters_;
  Byte code = 0;
  ItemKind kind = kCode;
  bool expressed = true;
  if (c < 128) {
    code = static_cast<Byte>(c);
    brackets_ |= BracketOf(c).side != 0;
  } else if (c >= 0x0600 && c <= 0x06FF && c != 0x061C) {
    code = p.arabicBlock[c - 0x0600];
    expressed = code != 0;
    if (c == kHamza) kind = kHamzaItem;
    // A lam and the alef after it are one ligature.
    if (c == kAlef && previous_ == kLam && items_.back().kind == kCode) {
      items_.back().code = p.lamAlef;
      lamAlef_ = true;
      previous_ = c;
      previousColumn_ = column;
      return;
    }
  } else if (c == kZwnj) {
    kind = kNonJoiner;
  } else if (c == 0x200E || c == 0x200F || c == 0x061C) {
    kind = kMark;
  } else {
    expressed = OtherCodeOf(options_.page, c, code);
  }
  if (!expressed) {
    const bool malformed = c >= kMalformed;
    unexpressed.push_back({column, malformed ? 0 : c, malformed ? static_cast<Byte>(c - kMalformed) : Byte{0}});
    code = static_cast<Byte>(options_.substitute);
    kind = kCode;
    brackets_ |= BracketOf(code).side != 0;
  }
  lamAlef_ = false;
  items_.push_back({code, kind});
  classes_.push_back(kind == kCode || kind == kHamzaItem ? p.bidi[code] : std::uint8_t{BidiClassOf(c)});
  previous_ = c;
  previousColumn_ = column;
}

void UnicodeToCodes::Shape(CodeString& out) {
  const PageLetters& p = letters_;
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
  Read(utf8, unexpressed);
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
      bracketOf_.clear();
      if (brackets_) {
        for (const Item& item : items_) bracketOf_.push_back(item.kind == kCode ? BracketOf(item.code) : Bracket{});
      }
      const int highest = bidi_.Resolve(classes_.data(), brackets_ ? bracketOf_.data() : nullptr, n, levels_.data());
      ReorderLine(items_.data(), levels_.data(), n, highest);
    }
  }
  Shape(out);
}

}  // namespace pelikar::unicode
