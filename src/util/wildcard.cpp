#include "util/wildcard.h"

namespace pelikar::util {
namespace {

// Matches with a single backtracking point: the last * seen takes one more
// character each time the rest fails, which is enough for * and ? patterns.
bool Matches(CodeView pattern, CodeView name, const CaseFold& fold) {
  std::size_t p = 0;
  std::size_t n = 0;
  std::size_t starAt = CodeView::npos;  // the pattern position after the last *
  std::size_t starName = 0;             // where that * stopped taking characters
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starAt = ++p;
      starName = n;
    } else if (p < pattern.size() &&
               (pattern[p] == '?' || fold[CodeAt(pattern, p)] == fold[CodeAt(name, n)])) {
      ++p;
      ++n;
    } else if (starAt != CodeView::npos) {
      p = starAt;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

constexpr CodeView kAnyExtension = ".*";

}  // namespace

bool HasWildcards(CodeView pattern) { return pattern.find_first_of("*?") != CodeView::npos; }

bool WildcardMatch(CodeView pattern, CodeView name, const CaseFold& fold) {
  if (Matches(pattern, name, fold)) return true;
  // A pattern ending in a dot asks for names without an extension ("*." finds
  // "readme"), as the platform reads it.
  if (pattern.ends_with('.') && name.find('.') == CodeView::npos) {
    return Matches(pattern.substr(0, pattern.size() - 1), name, fold);
  }
  if (!pattern.ends_with(kAnyExtension) || name.find('.') != CodeView::npos) return false;
  return Matches(pattern.substr(0, pattern.size() - kAnyExtension.size()), name, fold);
}

}  // namespace pelikar::util
