// The Ir code page (Iran System). Most letters have one code for the initial and
// medial forms and one for the final and isolated forms; ain and ghain have four,
// alef two (isolated, final), heh three and yeh three.
#include "encoding/form_rules.h"
#include "encoding/key_rows.h"

namespace pelikar::encoding {
namespace {

// The Ir code page shares codes between forms; the code of a letter in a form.
constexpr Byte ToFormRule(Byte code, int form, int current) {
  const bool joinsForward = form == kInitial || form == kMedial;
  if ((code >= 146 && code <= 161) || (code >= 244 && code <= 247)) {
    // pairs whose even code is the final and isolated shape
    if (code % 2 == 0) return joinsForward ? code + 1 : code;
    return joinsForward ? code : code - 1;
  }
  if ((code >= 167 && code <= 174) || (code >= 233 && code <= 240)) {
    // pairs whose odd code is the final and isolated shape
    if (code % 2 == 1) return joinsForward ? code + 1 : code;
    return joinsForward ? code : code - 1;
  }
  if ((code >= 128 && code <= 141) || (code >= 162 && code <= 166) || code == 175 || code == 224 || code == 242 ||
      code == 248) {
    return code;  // digits, signs and letters with one code for every form
  }
  switch (code) {
    case 142: case 143: return joinsForward ? 142 : 143;
    case 241: case 243: return joinsForward ? 243 : 241;                                          // lam
    case 249: case 250: case 251: return form == kInitial ? 251 : form == kMedial ? 250 : 249;  // heh
    case 252: case 253: case 254: return joinsForward ? 254 : form == kFinal ? 252 : 253;     // yeh
    default: break;
  }
  // alef, ain and ghain run from the isolated code down to the initial one; the
  // remaining codes (ASCII, the box-drawing codes) are only ever asked for form 4
  return static_cast<Byte>(code + current - form);
}


// KeyMap for the typed characters 32-127. The uppercase letters type what their
// lowercase letters type, but for C, V, G (lam-alef), H (alef madda) and E (the
// theh's initial code, which shaping settles like the final one).
constexpr detail::CharacterRows kKeyRows = {
    32,  33,  34,  35,  36,  37,  38,  239, 40,  41,  42,  43,  248, 45,  46,  47,   // 32
    48,  49,  50,  51,  52,  53,  54,  55,  56,  57,  58,  237, 60,  61,  62,  140,  // 48
    64,  169, 163, 123, 252, 153, 146, 242, 141, 249, 150, 246, 244, 142, 162, 160,  // 64
    158, 173, 235, 167, 233, 225, 125, 171, 175, 229, 224, 154, 166, 156, 94,  139,  // 80
    148, 169, 163, 165, 252, 152, 146, 241, 144, 249, 150, 246, 244, 142, 162, 160,  // 96
    158, 173, 235, 167, 233, 225, 164, 171, 175, 229, 224, 123, 124, 125, 126, 32,   // 112
};

constexpr Table kJoinClass = detail::UpperHalf({
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7, 0, 0, 7, 7,  // 128 digits, comma, tatweel, ?, alef madda, yeh hamza, hamza
    1, 1, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7,  // 144 alef, beh .. hah
    7, 7, 1, 1, 1, 1, 1, 7, 7, 7, 7, 7, 7, 7, 7, 7,  // 160 khah, dal .. jeh, seen .. tah
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // 176 no letters
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // 192
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // 208
    7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7,  // 224 zah, ain, ghain, feh .. gaf
    7, 7, 1, 7, 7, 7, 7, 7, 1, 7, 7, 7, 7, 7, 7, 0,  // 240 lam, lam-alef, meem, noon, waw, heh, yeh
});

// The yeh codes follow the Ir layout: 252 is the final yeh (3), 253 the isolated (4).
// The lam 241 and the heh 249 serve the final and the isolated form and carry 4;
// shaping joins them through the isolated row, which looks at the letter before.
constexpr Table kLetterForm = detail::UpperHalf({
    4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 2, 4,  // 128
    4, 3, 3, 2, 3, 2, 3, 2, 3, 2, 3, 2, 3, 2, 3, 2,  // 144
    3, 2, 3, 3, 3, 3, 3, 3, 2, 3, 2, 3, 2, 3, 2, 2,  // 160
    4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4,  // 176
    4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4,  // 192
    4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4,  // 208
    2, 4, 3, 2, 1, 4, 3, 2, 1, 3, 2, 3, 2, 3, 2, 3,  // 224
    2, 4, 3, 2, 3, 2, 3, 2, 3, 4, 2, 1, 3, 4, 2, 4,  // 240
});

// Input codes 128-255 already are Ir codes.
constexpr Table kSameCodes = [] {
  Table same{};
  for (int code = 0; code < 256; ++code) same[code] = static_cast<Byte>(code);
  return same;
}();

// What Shift gives on the keys that give something of their own with it.
constexpr detail::ShiftKey kShiftKeys[] = {
    {48, 41},  {49, 33},  {50, 64},  {51, 35},  {52, 36},   {53, 37},   {54, 94},   {55, 38},
    {56, 42},  {57, 40},  {67, 91},  {71, 242}, {72, 141},  {73, 37},   {74, 139},  {75, 138},
    {76, 92},  {79, 42},  {80, 59},  {85, 39},  {86, 93},   {186, 58},  {187, 43},  {188, 60},
    {189, 95}, {190, 62}, {191, 140}, {192, 126}, {219, 123}, {220, 124}, {221, 125}, {222, 34},
};

constinit const TableSet kIrSet = detail::MakeTableSet(
    {CodePage::Ir, detail::BuildKeyMap(kKeyRows), detail::BuildShiftKeyMap(kShiftKeys), kJoinClass,
     kLetterForm, kSameCodes, ToFormRule});

}  // namespace

const TableSet& IrTableSet() { return kIrSet; }

}  // namespace pelikar::encoding
