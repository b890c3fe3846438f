// The Nivo code page: the control's own glyph code page. Above 127 every letter owns a
// run of consecutive codes, four for a letter that joins on both sides (initial,
// medial, final, isolated) and two for one that joins only to the letter before it
// (final, isolated); the layout below determines NivoToKeyMap, JoinClass and
// LetterForm.
#include "encoding/form_rules.h"
#include "encoding/key_rows.h"

namespace pelikar::encoding {
namespace {

using detail::CharacterRows;

struct NivoRun {
  Byte firstCode;
  Byte key;  // the character whose key types the letter inside a tilde span
  Byte joinClass;
};

// The signs at 128, 129 and 131 are typed by $, * and & inside a span (P, O and K type
// hah, khah and noon there), so those are their keys: text turned back into keys
// types the same signs again. Nothing types 130 inside a span; it keeps its Shift key
// I, which comes back as an alef madda.
constexpr NivoRun kLayout[] = {
    {128, '$', kJoinsNever}, {129, '*', kJoinsNever}, {130, 'I', kJoinsNever},
    {131, '&', kJoinsNever}, {132, '?', kJoinsNever}, {133, 'J', kTatweel},
    {134, 'H', kJoinsNever},   // alef with madda above
    {135, 'h', kJoinsBefore},  // alef
    {137, 'm', kJoinsBoth},    // yeh with hamza above; 140 also serves as the hamza
    {141, 'f', kJoinsBoth},    // beh
    {145, '`', kJoinsBoth},    // peh
    {149, 'j', kJoinsBoth},    // teh
    {153, 'e', kJoinsBoth},    // theh
    {157, '[', kJoinsBoth},    // jeem
    {161, ']', kJoinsBoth},    // tcheh
    {165, 'p', kJoinsBoth},    // hah
    {169, 'o', kJoinsBoth},    // khah
    {173, 'n', kJoinsBefore},  // dal
    {175, 'b', kJoinsBefore},  // thal
    {177, 'v', kJoinsBefore},  // reh
    {179, 'c', kJoinsBefore},  // zain
    {181, '\\', kJoinsBefore}, // jeh
    {183, 's', kJoinsBoth},    // seen
    {187, 'a', kJoinsBoth},    // sheen
    {191, 'w', kJoinsBoth},    // sad
    {195, 'q', kJoinsBoth},    // dad
    {199, 'x', kJoinsBoth},    // tah
    {203, 'z', kJoinsBoth},    // zah
    {207, 'u', kJoinsBoth},    // ain
    {211, 'y', kJoinsBoth},    // ghain
    {215, 't', kJoinsBoth},    // feh
    {219, 'r', kJoinsBoth},    // qaf
    {223, ';', kJoinsBoth},    // keheh
    {227, '\'', kJoinsBoth},   // gaf
    {231, 'g', kJoinsBoth},    // lam
    {235, 'G', kJoinsBefore},  // lam-alef ligature
    {237, 'l', kJoinsBoth},    // meem
    {241, 'k', kJoinsBoth},    // noon
    {245, ',', kJoinsBefore},  // waw
    {247, 'i', kJoinsBoth},    // heh
    {251, 'd', kJoinsBoth},    // yeh
    {255, 255, kJoinsNever},   // no letter
};

// The form of the n-th code of a run, counted from 0 (forms rise with the codes).
constexpr Byte FormInRun(Byte joinClass, int n) {
  switch (joinClass) {
    case kJoinsBoth: return static_cast<Byte>(kInitial + n);
    case kJoinsBefore: return static_cast<Byte>(kFinal + n);
    case kTatweel: return kMedial;
    default: return kIsolated;
  }
}

constexpr int RunLength(Byte joinClass) {
  return joinClass == kJoinsBoth ? 4 : joinClass == kJoinsBefore ? 2 : 1;
}

struct Layout {
  Table joinClass{}, letterForm{}, key{};
};

constexpr Layout BuildLayout() {
  Layout layout;
  for (const auto& run : kLayout) {
    for (int n = 0; n < RunLength(run.joinClass); ++n) {
      const int code = run.firstCode + n;
      layout.joinClass[code] = run.joinClass;
      layout.letterForm[code] = FormInRun(run.joinClass, n);
      layout.key[code] = run.key;
    }
  }
  return layout;
}

constexpr Layout kNivoLayout = BuildLayout();

// KeyMap for the typed characters 32-127.
constexpr CharacterRows kKeyRows = {
    32,  33,  34,  35,  128, 37,  131, 227, 40,  41,  129, 43,  245, 45,  46,  47,   // 32
    48,  49,  50,  51,  52,  53,  54,  55,  56,  57,  58,  223, 60,  61,  62,  132,  // 48
    64,  91,  175, 123, 251, 153, 141, 235, 134, 247, 149, 241, 237, 137, 173, 169,  // 64
    165, 195, 219, 93,  215, 207, 125, 191, 199, 211, 203, 157, 181, 161, 94,  133,  // 80
    145, 187, 175, 179, 251, 153, 141, 231, 135, 247, 149, 241, 237, 137, 173, 169,  // 96
    165, 195, 219, 183, 215, 207, 177, 191, 199, 211, 203, 123, 124, 125, 126, 32,   // 112
};

// Ir code -> Nivo code of the same letter in the same form. The Ir digits become
// ASCII digits; the Ir box-drawing codes 176-223 become spaces.
constexpr Table kIrToNivo = detail::UpperHalf({
    48,  49,  50,  51,  52,  53,  54,  55,  56,  57,  131, 133, 132, 134, 137, 140,  // 128
    136, 135, 144, 141, 148, 145, 152, 149, 156, 153, 160, 157, 164, 161, 168, 165,  // 144
    172, 169, 174, 176, 178, 180, 182, 186, 183, 190, 187, 194, 191, 198, 195, 202,  // 160
    32,  32,  32,  32,  32,  32,  32,  32,  32,  32,  32,  32,  32,  32,  32,  32,   // 176
    32,  32,  32,  32,  32,  32,  32,  32,  32,  32,  32,  32,  32,  32,  32,  32,   // 192
    32,  32,  32,  32,  32,  32,  32,  32,  32,  32,  32,  32,  32,  32,  32,  32,   // 208
    206, 210, 209, 208, 207, 214, 213, 212, 211, 218, 215, 222, 219, 226, 223, 230,  // 224
    227, 234, 236, 231, 240, 237, 244, 241, 246, 250, 248, 247, 253, 254, 251, 255,  // 240
});

// The Nivo code page keeps every form of a letter in consecutive codes, in the order
// of the form numbers; the tatweel has one code.
constexpr Byte ToFormRule(Byte code, int form, int current) {
  if (code == 133) return code;
  return static_cast<Byte>(code - current + form);
}

// What Shift gives on the keys that give something of their own with it.
constexpr detail::ShiftKey kShiftKeys[] = {
    {48, 41},  {49, 33},  {50, 64},  {51, 35},  {52, 36},   {53, 37},   {54, 94},   {55, 38},
    {56, 42},  {57, 40},  {67, 91},  {71, 235}, {72, 134},  {73, 130},  {74, 133},  {75, 131},
    {76, 92},  {79, 129}, {80, 128}, {85, 39},  {86, 93},   {186, 58},  {187, 43},  {188, 60},
    {189, 95}, {190, 62}, {191, 132}, {192, 126}, {219, 123}, {220, 124}, {221, 125}, {222, 34},
};

constinit const TableSet kNivoSet = detail::MakeTableSet(
    {CodePage::Nivo, detail::BuildKeyMap(kKeyRows), detail::BuildShiftKeyMap(kShiftKeys),
     kNivoLayout.joinClass, kNivoLayout.letterForm, kIrToNivo, ToFormRule});

}  // namespace

const TableSet& NivoTableSet() { return kNivoSet; }

constinit const Table NivoToKeyMap = kNivoLayout.key;

constinit const std::array<Byte, 35> AlphabetMap = {
    0,  // positions count from 1
    134, 136, 140, 144, 148, 152, 156, 160, 164, 168, 172, 174, 176, 178, 180, 182, 186,
    190, 194, 198, 202, 206, 210, 214, 218, 222, 226, 230, 234, 240, 244, 246, 250, 254,
};

constinit const Table IrToNivoMap = kIrToNivo;

}  // namespace pelikar::encoding
