#include "unicode/bidi.h"

#include <algorithm>

namespace pelikar::unicode {
namespace {

// A right-to-left paragraph: level 1, and R before its first and after its last
// character.
constexpr std::uint8_t kEmbedding = kR;

// The direction a resolved class gives the neutrals beside it: L, or R for R, AL and
// the numbers; anything else gives none (kON).
std::uint8_t StrongDirection(std::uint8_t type) {
  switch (type) {
    case kL: return kL;
    case kR: case kAL: case kEN: case kAN: return kR;
    default: return kON;
  }
}

bool IsNeutral(std::uint8_t type) { return type == kB || type == kS || type == kWS || type == kON; }

// L1: tabs, and the white space before a tab or at the end of the line, are on the
// paragraph's level.
void ApplyL1(const std::uint8_t* classes, std::size_t n, std::uint8_t* levels) {
  bool trailing = true;
  for (std::size_t i = n; i-- > 0;) {
    const std::uint8_t c = classes[i];
    if (c == kS || c == kB) {
      levels[i] = 1;
      trailing = true;
    } else if (c == kWS || c == kBN) {
      if (trailing) levels[i] = 1;
    } else {
      trailing = false;
    }
  }
}

}  // namespace

Bracket BracketOf(char32_t c) {
  switch (c) {
    case '(': return {1, 1};
    case ')': return {-1, 1};
    case '[': return {1, 2};
    case ']': return {-1, 2};
    case '{': return {1, 3};
    case '}': return {-1, 3};
    default: return {};
  }
}

int BidiResolver::Resolve(const std::uint8_t* classes, const Bracket* brackets, std::size_t n,
                          std::uint8_t* levels) {
  return brackets != nullptr ? ResolveCharacters(classes, brackets, n, levels) : ResolveRuns(classes, n, levels);
}

// Without brackets, the rules only ever look at neighbouring runs of one class: a
// line of a hundred characters has a dozen or two runs.
int BidiResolver::ResolveRuns(const std::uint8_t* classes, std::size_t n, std::uint8_t* levels) {
  runs_.clear();
  bool separators = false;
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint8_t c = classes[i];
    if (c == kBN) {
      if (!runs_.empty()) runs_.back().end = static_cast<std::uint32_t>(i + 1);
      continue;
    }
    separators |= c == kS || c == kB;
    if (!runs_.empty() && runs_.back().type == c) {
      runs_.back().end = static_cast<std::uint32_t>(i + 1);
      ++runs_.back().count;
    } else {
      runs_.push_back({static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(i + 1), 1, c});
    }
  }
  Run* r = runs_.data();
  const std::size_t m = runs_.size();
  // W1-W3.
  std::uint8_t lastStrong = kR;
  for (std::size_t k = 0; k < m; ++k) {
    if (r[k].type == kNSM) r[k].type = k == 0 ? kEmbedding : r[k - 1].type;
    const std::uint8_t t = r[k].type;
    if (t == kL || t == kR || t == kAL) lastStrong = t;
    if (t == kEN && lastStrong == kAL) r[k].type = kAN;
    if (t == kAL) r[k].type = kR;
  }
  // W4.
  for (std::size_t k = 1; k + 1 < m; ++k) {
    const std::uint8_t before = r[k - 1].type, after = r[k + 1].type;
    if (r[k].count != 1 || before != after) continue;
    if ((r[k].type == kES || r[k].type == kCS) && before == kEN) r[k].type = kEN;
    if (r[k].type == kCS && before == kAN) r[k].type = kAN;
  }
  // W5, W6.
  for (std::size_t k = 0; k < m;) {
    if (r[k].type != kET) {
      if (r[k].type == kES || r[k].type == kCS) r[k].type = kON;
      ++k;
      continue;
    }
    std::size_t end = k;
    while (end < m && r[end].type == kET) ++end;
    const bool number = (k > 0 && r[k - 1].type == kEN) || (end < m && r[end].type == kEN);
    for (std::size_t j = k; j < end; ++j) r[j].type = number ? kEN : kON;
    k = end;
  }
  // W7.
  lastStrong = kR;
  for (std::size_t k = 0; k < m; ++k) {
    if (r[k].type == kL || r[k].type == kR) lastStrong = r[k].type;
    if (r[k].type == kEN && lastStrong == kL) r[k].type = kL;
  }
  // N1, N2.
  for (std::size_t k = 0; k < m;) {
    if (!IsNeutral(r[k].type)) {
      ++k;
      continue;
    }
    std::size_t end = k;
    while (end < m && IsNeutral(r[end].type)) ++end;
    const std::uint8_t before = k == 0 ? kEmbedding : StrongDirection(r[k - 1].type);
    const std::uint8_t after = end == m ? kEmbedding : StrongDirection(r[end].type);
    for (std::size_t j = k; j < end; ++j) r[j].type = before == after ? before : kEmbedding;
    k = end;
  }
  // I2, and BN characters at the level of what precedes them.
  int highest = 1;
  std::fill(levels, levels + (m > 0 ? r[0].start : n), std::uint8_t{1});
  for (std::size_t k = 0; k < m; ++k) {
    const std::uint8_t level = r[k].type == kR ? 1 : 2;
    std::fill(levels + r[k].start, levels + r[k].end, level);
    if (level > highest) highest = level;
  }
  // L1.
  if (separators) {
    ApplyL1(classes, n, levels);
  } else {
    for (std::size_t i = n; i-- > 0 && (classes[i] == kWS || classes[i] == kBN);) levels[i] = 1;
  }
  return highest;
}

int BidiResolver::ResolveCharacters(const std::uint8_t* classes, const Bracket* brackets, std::size_t n,
                                    std::uint8_t* levels) {
  // X9: BN characters take no part in the rules below.
  types_.assign(classes, classes + n);
  index_.resize(n);
  std::size_t kept = 0;
  for (std::size_t i = 0; i < n; ++i) {
    types_[kept] = classes[i];
    index_[kept] = static_cast<std::uint32_t>(i);
    kept += classes[i] != kBN;
  }
  types_.resize(kept);
  index_.resize(kept);
  std::uint8_t* t = types_.data();
  const std::size_t m = types_.size();

  // W1-W3: a mark takes the class before it; numbers after Arabic letters are Arabic
  // numbers; Arabic letters are R.
  std::uint8_t lastStrong = kR;
  for (std::size_t k = 0; k < m; ++k) {
    if (t[k] == kNSM) t[k] = k == 0 ? kEmbedding : t[k - 1];
    if (t[k] == kL || t[k] == kR || t[k] == kAL) lastStrong = t[k];
    if (t[k] == kEN && lastStrong == kAL) t[k] = kAN;
    if (t[k] == kAL) t[k] = kR;
  }
  // W4: one separator between two numbers of a kind joins them.
  for (std::size_t k = 1; k + 1 < m; ++k) {
    const std::uint8_t before = t[k - 1], after = t[k + 1];
    if (before != after) continue;
    if ((t[k] == kES || t[k] == kCS) && before == kEN) t[k] = kEN;
    if (t[k] == kCS && before == kAN) t[k] = kAN;
  }
  // W5: terminators beside a European number belong to it. W6: other separators and
  // terminators are neutral.
  for (std::size_t k = 0; k < m;) {
    if (t[k] != kET) {
      ++k;
      continue;
    }
    std::size_t end = k;
    while (end < m && t[end] == kET) ++end;
    const bool number = (k > 0 && t[k - 1] == kEN) || (end < m && t[end] == kEN);
    std::fill(t + k, t + end, number ? kEN : kON);
    k = end;
  }
  for (std::size_t k = 0; k < m; ++k) {
    if (t[k] == kES || t[k] == kCS) t[k] = kON;
  }
  // W7: European numbers after Latin text are Latin.
  lastStrong = kR;
  for (std::size_t k = 0; k < m; ++k) {
    if (t[k] == kL || t[k] == kR) lastStrong = t[k];
    if (t[k] == kEN && lastStrong == kL) t[k] = kL;
  }

  if (brackets != nullptr) ResolveBrackets(brackets);

  // N1, N2: neutrals between two characters of one direction take it, any others the
  // paragraph's.
  for (std::size_t k = 0; k < m;) {
    if (!IsNeutral(t[k])) {
      ++k;
      continue;
    }
    std::size_t end = k;
    while (end < m && IsNeutral(t[end])) ++end;
    const std::uint8_t before = k == 0 ? kEmbedding : StrongDirection(t[k - 1]);
    const std::uint8_t after = end == m ? kEmbedding : StrongDirection(t[end]);
    std::fill(t + k, t + end, before == after ? before : kEmbedding);
    k = end;
  }

  // I2: on the paragraph's odd level, Latin text and numbers go one up.
  int highest = 1;
  for (std::size_t k = 0; k < m; ++k) {
    const std::uint8_t level = t[k] == kR ? 1 : 2;
    levels[index_[k]] = level;
    if (level > highest) highest = level;
  }
  // BN characters sit at the level of what precedes them.
  std::uint8_t previous = 1;
  for (std::size_t i = 0; i < n; ++i) {
    if (classes[i] == kBN) {
      levels[i] = previous;
    } else {
      previous = levels[i];
    }
  }
  ApplyL1(classes, n, levels);
  return highest;
}

// N0: a pair of brackets takes the paragraph's direction when it holds a character of
// that direction, and the other direction when it holds only characters of that one
// and the text before it has that direction too.
void BidiResolver::ResolveBrackets(const Bracket* brackets) {
  std::uint8_t* t = types_.data();
  const std::size_t m = types_.size();
  constexpr std::size_t kDeepest = 63;
  stack_.clear();
  pairs_.clear();
  for (std::size_t k = 0; k < m; ++k) {
    if (t[k] != kON) continue;
    const Bracket b = brackets[index_[k]];
    if (b.side > 0) {
      if (stack_.size() == kDeepest) break;
      stack_.push_back(static_cast<std::uint32_t>(k));
    } else if (b.side < 0) {
      for (std::size_t s = stack_.size(); s-- > 0;) {
        if (brackets[index_[stack_[s]]].id != b.id) continue;
        pairs_.push_back(stack_[s]);
        pairs_.push_back(static_cast<std::uint32_t>(k));
        stack_.resize(s);
        break;
      }
    }
  }
  if (pairs_.empty()) return;
  // The pairs in the order of their opening brackets.
  std::vector<std::pair<std::uint32_t, std::uint32_t>> ordered;
  ordered.reserve(pairs_.size() / 2);
  for (std::size_t p = 0; p < pairs_.size(); p += 2) ordered.emplace_back(pairs_[p], pairs_[p + 1]);
  std::sort(ordered.begin(), ordered.end());
  for (const auto& [open, close] : ordered) {
    bool embedding = false, opposite = false;
    for (std::size_t k = open + 1; k < close; ++k) {
      const std::uint8_t d = StrongDirection(t[k]);
      embedding |= d == kEmbedding;
      opposite |= d == kL;
    }
    std::uint8_t direction = kON;
    if (embedding) {
      direction = kEmbedding;
    } else if (opposite) {
      std::uint8_t context = kEmbedding;
      for (std::size_t k = open; k-- > 0;) {
        const std::uint8_t d = StrongDirection(t[k]);
        if (d != kON) {
          context = d;
          break;
        }
      }
      direction = context == kL ? std::uint8_t{kL} : kEmbedding;
    }
    if (direction != kON) t[open] = t[close] = direction;
  }
}

}  // namespace pelikar::unicode
