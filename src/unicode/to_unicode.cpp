// Stored codes to logical Unicode: the line put back into reading order, every code
// as the standard character it stands for, and a ZWNJ between two letters that the
// page could have joined but that were stored apart.
#include <algorithm>

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
// stored apart. A code that serves only joined forms (or only separate ones) on the
// side facing the other letter says so; where neither code tells (the Ir tah and zah
// serve every form), they are taken as joined, as shaping would have left them.
bool StoredApart(const PageLetters& p, Byte before, Byte after) {
  if ((p.letterForms[before] & kJoiningForward) == 0 || (p.letterForms[after] & kJoiningBackward) == 0) {
    return false;  // the page has no joined forms for them: nothing to tell apart
  }
  const bool joined = (p.forms[before] & ~kJoiningForward) == 0 || (p.forms[after] & ~kJoiningBackward) == 0;
  const bool apart = (p.forms[before] & kJoiningForward) == 0 || (p.forms[after] & kJoiningBackward) == 0;
  return apart && !joined;
}

}  // namespace

CodesToUnicode::CodesToUnicode(const BridgeOptions& options) : options_(options) {
  const PageLetters& p = LettersOf(options.page);
  for (int code = 0; code < 256; ++code) {
    const auto c = static_cast<Byte>(code);
    std::string& text = utf8_[code];
    if (IsDigitCode(p, c)) {
      const int digit = code < 128 ? code - '0' : p.character[c] - 0x06F0;
      AppendUtf8(text, options.digits == Digits::Ascii ? char32_t('0' + digit) : char32_t(0x06F0 + digit));
      continue;
    }
    AppendUtf8(text, p.character[c]);
    if (p.second[c] != 0) AppendUtf8(text, p.second[c]);
  }
}

void CodesToUnicode::Line(CodeView visual, std::string& out) {
  const PageLetters& p = LettersOf(options_.page);
  const std::size_t n = visual.size();
  logical_.assign(visual);
  if (options_.order == Order::Conversion) {
    std::reverse(logical_.begin(), logical_.end());
  } else {
    // The order typing keeps: every number (digits with the "." and "/" among and
    // beside them) and every Latin word left to right, as the bidirectional algorithm
    // would show them, and the rest right to left. The algorithm run over the stored
    // line gives the levels under which it reads back.
    classes_.resize(n);
    bool mixed = false;
    for (std::size_t i = 0; i < n; ++i) {
      const std::uint8_t c = p.bidi[CodeAt(visual, i)];
      classes_[i] = c;
      mixed |= c == kL || c == kEN || c == kAN;
    }
    if (!mixed) {
      std::reverse(logical_.begin(), logical_.end());
    } else {
      for (std::size_t i = 0; i < n;) {
        if (!IsDigitCode(p, CodeAt(visual, i)) && visual[i] != '.' && visual[i] != '/') {
          ++i;
          continue;
        }
        std::size_t end = i;
        bool digits = false;
        for (; end < n && (IsDigitCode(p, CodeAt(visual, end)) || visual[end] == '.' || visual[end] == '/'); ++end) {
          digits |= IsDigitCode(p, CodeAt(visual, end));
        }
        if (digits) std::fill(classes_.begin() + static_cast<std::ptrdiff_t>(i), classes_.begin() + static_cast<std::ptrdiff_t>(end), kEN);
        i = end;
      }
      brackets_.resize(n);
      for (std::size_t i = 0; i < n; ++i) brackets_[i] = BracketOf(CodeAt(visual, i));
      levels_.resize(n);
      const int highest = bidi_.Resolve(classes_.data(), brackets_.data(), n, levels_.data());
      ReorderLine(logical_.data(), levels_.data(), n, highest);
    }
  }

  Byte previous = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const Byte code = CodeAt(logical_, i);
    if (p.joinsBackward[code] && p.joinsForward[previous] && StoredApart(p, previous, code)) AppendUtf8(out, kZwnj);
    out += utf8_[code];
    previous = code;
  }
}

}  // namespace pelikar::unicode
