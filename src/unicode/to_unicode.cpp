// Stored codes to logical Unicode: the line put back into reading order, every code
// as the standard character it stands for, and a ZWNJ between two letters that the
// page could have joined but that were stored apart.
#include <algorithm>
#include <cstring>

#include "unicode/bridge.h"
#include "unicode/letters.h"
#include "unicode/utf8.h"

namespace pelikar::unicode {
namespace {

constexpr std::uint8_t kJoiningForward = (1u << encoding::kInitial) | (1u << encoding::kMedial);
constexpr std::uint8_t kJoiningBackward = (1u << encoding::kMedial) | (1u << encoding::kFinal);

bool IsDigitCode(const PageLetters& p, Byte code) {
  return (code >= '0' && code <= '9') || (p.persianDigits && p.bidi[code] == kEN && code >= 128);
}

// Whether two letters that follow each other in reading order, and would join, were
// stored apart: a code that serves only separate forms on the side facing the other
// letter says so. Where neither code tells (the Ir tah and zah serve every form), they
// are taken as joined, as shaping would have left them; and a letter the page never
// joins to the one before it (the alef madda) was not kept apart by anyone.
bool StoredApart(const PageLetters& p, Byte before, Byte after) {
  if ((p.letterForms[after] & kJoiningBackward) == 0) return false;
  return (p.forms[before] & kJoiningForward) == 0 || (p.forms[after] & kJoiningBackward) == 0;
}

// The characters typing keeps together as a number.
bool IsNumberCode(const PageLetters& p, Byte code) { return IsDigitCode(p, code) || code == '.' || code == '/'; }

}  // namespace

CodesToUnicode::CodesToUnicode(const BridgeOptions& options) : options_(options), letters_(LettersOf(options.page)) {
  const PageLetters& p = letters_;
  for (int code = 0; code < 256; ++code) {
    const auto c = static_cast<Byte>(code);
    std::string text;
    if (IsDigitCode(p, c)) {
      const int digit = code < 128 ? code - '0' : p.character[c] - 0x06F0;
      AppendUtf8(text, options.digits == Digits::Ascii ? char32_t('0' + digit) : char32_t(0x06F0 + digit));
    } else {
      AppendUtf8(text, p.character[c]);
      if (p.second[c] != 0) AppendUtf8(text, p.second[c]);
    }
    utf8Length_[code] = static_cast<std::uint8_t>(text.size());
    text.copy(utf8_[code].data(), 4);
  }
}

void CodesToUnicode::Line(CodeView visual, std::string& out) {
  const PageLetters& p = letters_;
  const std::size_t n = visual.size();
  logical_.assign(visual);
  if (options_.order == Order::Conversion) {
    std::reverse(logical_.begin(), logical_.end());
  } else {
    // The order typing keeps: every number left to right (typing takes digits, "."
    // and "/" all as parts of one, wherever they stand), every Latin word too, as the
    // bidirectional algorithm would show them, and the rest right to left. The
    // algorithm run over the stored line gives the levels under which it reads back.
    classes_.resize(n);
    bool mixed = false;
    for (std::size_t i = 0; i < n; ++i) {
      const std::uint8_t c = p.bidi[CodeAt(visual, i)];
      classes_[i] = c;
      mixed |= c == kL || c == kEN || c == kAN || IsNumberCode(p, CodeAt(visual, i));
    }
    if (!mixed) {
      std::reverse(logical_.begin(), logical_.end());
    } else {
      for (std::size_t i = 0; i < n; ++i) {
        if (IsNumberCode(p, CodeAt(visual, i))) classes_[i] = kEN;
      }
      const bool brackets = visual.find_first_of("()[]{}") != CodeView::npos;
      brackets_.resize(brackets ? n : 0);
      for (std::size_t i = 0; i < brackets_.size(); ++i) brackets_[i] = BracketOf(CodeAt(visual, i));
      levels_.resize(n);
      const int highest = bidi_.Resolve(classes_.data(), brackets ? brackets_.data() : nullptr, n, levels_.data());
      ReorderLine(logical_.data(), levels_.data(), n, highest);
    }
  }

  // At most a ZWNJ (3 bytes) and 4 bytes a code.
  scratch_.resize(n * 7 + 4);
  char* const first = scratch_.data();
  char* w = first;
  Byte previous = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const Byte code = CodeAt(logical_, i);
    if (p.joinsBackward[code] && p.joinsForward[previous] && StoredApart(p, previous, code)) {
      std::memcpy(w, "\u200C", 3);
      w += 3;
    }
    std::memcpy(w, utf8_[code].data(), 4);
    w += utf8Length_[code];
    previous = code;
  }
  out.append(first, w);
}

}  // namespace pelikar::unicode
