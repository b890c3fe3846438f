#pragma once
// What the codes of the two code pages are as standard Unicode text (letters of the
// Arabic block, not presentation forms), and the Unicode facts the bridge needs about
// those characters: joining, bidirectional class, presentation forms and compositions.
#include <array>
#include <cstdint>

#include "encoding/tables.h"
#include "unicode/bidi.h"

namespace pelikar::unicode {

using encoding::CodePage;

// How a letter joins its neighbours in Unicode.
enum class Joining : std::uint8_t { None, Right, Dual, Causing };
Joining JoiningOf(char32_t c);
constexpr bool JoinsForward(Joining j) { return j == Joining::Dual || j == Joining::Causing; }
constexpr bool JoinsBackward(Joining j) { return j != Joining::None; }

// The bidirectional class of a character a code page can express, and of the marks
// and controls the bridge knows; other characters are ON.
BidiClass BidiClassOf(char32_t c);

// A presentation form of an Arabic letter (or a lam-alef ligature) as the one or two
// letters it shows; returns how many were written to letters, 0 for any other
// character.
int FoldPresentationForm(char32_t c, char32_t letters[2]);

// The canonical composition of a letter and a following combining hamza or madda
// (alef + madda above is alef with madda), or 0.
char32_t Compose(char32_t letter, char32_t mark);

inline constexpr char32_t kZwnj = 0x200C;
inline constexpr char32_t kHamza = 0x0621;
inline constexpr char32_t kLam = 0x0644;
inline constexpr char32_t kAlef = 0x0627;

// A code page's codes as Unicode, and the way back.
struct PageLetters {
  // The character each code stands for in logical text; a lam-alef code stands for
  // two, the second in `second`.
  std::array<char32_t, 256> character;
  std::array<char32_t, 256> second;
  // Bit f (1-4) for every form of its letter that a code serves; 0 for codes that are
  // no letter of a joining script.
  std::array<std::uint8_t, 256> forms;
  // Bit f for every form the code's letter has in the page at all.
  std::array<std::uint8_t, 256> letterForms;
  std::array<std::uint8_t, 256> bidi;  // BidiClass of the character
  // Whether the code stands for a character of the Arabic script that joins: only
  // between two such codes can text be stored apart.
  std::array<bool, 256> joinsForward;
  std::array<bool, 256> joinsBackward;

  // The code a character of the Arabic block (U+0600-06FF) is written with before
  // shaping, in the form its key types; 0 when the page has none.
  std::array<Byte, 256> arabicBlock;
  Byte lamAlef;     // the lam-alef ligature's code as typed
  Byte hamza;       // the code the hamza is written with, which never joins
  bool persianDigits;  // the page has codes for the Persian digits
};
const PageLetters& LettersOf(CodePage page);

// The code for a character outside the Arabic block (Latin-1, box drawing...), or
// false.
bool OtherCodeOf(CodePage page, char32_t c, Byte& code);

}  // namespace pelikar::unicode
