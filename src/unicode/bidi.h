#pragma once
// The Unicode Bidirectional Algorithm for one line of a right-to-left paragraph, as
// far as the code pages' text needs it: the weak, neutral and bracket rules and the
// reordering, without explicit embeddings, overrides or isolates (the bridge reports
// those characters as ones a code page cannot express).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace pelikar::unicode {

// Bidirectional classes. Brackets are ON with a pairing of their own (BracketOf).
enum BidiClass : std::uint8_t {
  kL, kR, kAL, kEN, kES, kET, kAN, kCS, kNSM, kBN, kB, kS, kWS, kON,
};

// An opening bracket is 1, its closing partner -1, and the pair shares an id.
struct Bracket {
  std::int8_t side = 0;
  std::uint8_t id = 0;
};
Bracket BracketOf(char32_t c);

// Resolves the embedding level of every character of a line (1 right to left, 2 left
// to right) from their classes and brackets. BN characters take the level of the
// character before them; brackets may be null for a line without any. The vectors are
// scratch space kept between calls.
class BidiResolver {
 public:
  // levels receives one level per class. Returns the highest level (1 or 2).
  int Resolve(const std::uint8_t* classes, const Bracket* brackets, std::size_t n,
              std::uint8_t* levels);

 private:
  // The same rules character by character (for lines with brackets), and run by run.
  int ResolveCharacters(const std::uint8_t* classes, const Bracket* brackets, std::size_t n, std::uint8_t* levels);
  int ResolveRuns(const std::uint8_t* classes, std::size_t n, std::uint8_t* levels);
  void ResolveBrackets(const Bracket* brackets);

  struct Run {
    std::uint32_t start, end;  // in the line, BN characters included
    std::uint32_t count;       // characters other than BN
    std::uint8_t type;
  };
  std::vector<Run> runs_;

  std::vector<std::uint8_t> types_;    // classes of the characters that are not BN
  std::vector<std::uint32_t> index_;   // their positions in the line
  std::vector<std::uint32_t> stack_;
  std::vector<std::uint32_t> pairs_;   // opening and closing positions (in types_), pairwise
};

// Puts items from logical into visual order by their levels (1 or 2): the whole line
// reversed, and every run of level 2 back to left to right. The same call turns visual
// order back into logical order when the levels are the visual ones.
template <class T>
void ReorderLine(T* items, const std::uint8_t* levels, std::size_t n, int highestLevel) {
  std::reverse(items, items + n);
  if (highestLevel < 2) return;
  // Levels read from the end, as the items now stand.
  for (std::size_t i = 0; i < n;) {
    if (levels[n - 1 - i] < 2) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < n && levels[n - 1 - end] >= 2) ++end;
    std::reverse(items + i, items + end);
    i = end;
  }
}

}  // namespace pelikar::unicode
