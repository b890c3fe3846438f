#pragma once
// The character tables of the two code pages.
//
// KeyMap, ShiftKeyMap, JoinClass and LetterForm exist once per code page, as a table
// set that never changes once built; every routine that shapes is handed the set of
// its code page. AlphabetMap, NivoToKeyMap and IrToNivoMap belong to the Nivo code
// page only.
#include <array>
#include <cstdint>

#include "common/code_string.h"

namespace pelikar::encoding {

enum class CodePage { Nivo = 0, Ir = 1 };

// Forms of a Persian letter, numbered as everywhere in the system (reading order is
// right to left).
inline constexpr int kInitial = 1;
inline constexpr int kMedial = 2;
inline constexpr int kFinal = 3;
inline constexpr int kIsolated = 4;

// Joining classes: which forms a code's letter has.
enum JoinClassValue : Byte {
  kJoinsNever = 0,     // form 4 only: digits, signs, alef madda, non-letters
  kJoinsBefore = 1,    // forms 3 and 4: alef, dal, reh, waw, lam-alef...
  kTatweel = 3,        // forms 2, 3 and 4
  kJoinsBoth = 7,      // all four forms
};

using Table = std::array<Byte, 256>;

struct TableSet {
  CodePage codePage;
  Table keyMap;       // typed character (32-127) or punctuation virtual key -> code
  Table shiftKeyMap;  // virtual key pressed with Shift -> code
  Table joinClass;    // 128-255
  Table letterForm;   // 128-255

  // Derived from the tables above when the set is built, for the engine's inner loop.
  static constexpr int kMaxKinds = 16;
  struct Derived {
    // The code of each code's letter in each form (1-4; at 0 the code itself), with
    // the kind of that code in the high byte. 8 wide: a shift to index.
    std::array<std::array<std::uint16_t, 8>, 256> toFormAndKind;
    // Each code's kind (its form and the forms it has) as a small number, and the
    // decisions of the two joining stages for every pair of kinds: the forms that
    // the neighbour and the current code go to.
    Table kindId;
    Table joinsForward;  // whether the code has form 1 or 2
    std::array<std::array<std::array<Byte, 2>, kMaxKinds>, kMaxKinds> joinsPrevious;  // [right][current][right2]
    std::array<std::array<Byte, kMaxKinds>, kMaxKinds> joinsNext;                     // [left][current]
    // What the engine makes of each input code outside and inside a tilde span.
    Table typedOutsideSpan;
    Table typedInsideSpan;
  } derived;
};

const TableSet& NivoTableSet();
const TableSet& IrTableSet();
const TableSet& TableSetOf(CodePage codePage);

// Nivo code of the n-th letter of the Persian alphabet (1-34), isolated form.
extern const std::array<Byte, 35> AlphabetMap;
// The Latin character whose key types a Nivo code (128-255).
extern const Table NivoToKeyMap;
// The Nivo code that shows the same letter in the same form as an Ir code (128-255).
extern const Table IrToNivoMap;

}  // namespace pelikar::encoding
