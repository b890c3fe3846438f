#pragma once
// How each code page reaches a letter's other forms (internal to the encoding). The
// rules are applied once, when a table set is built, into its ToForm table.
#include "encoding/shaping_rules.h"
#include "encoding/tables.h"

namespace pelikar::encoding::detail {

// The Ir code page shares codes between forms; the code of a letter in a form.
constexpr Byte IrToFormRule(Byte code, int form, int current) {
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

// The Nivo code page keeps every form of a letter in consecutive codes, in the order
// of the form numbers; the tatweel has one code.
constexpr Byte NivoToFormRule(Byte code, int form, int current) {
  if (code == 133) return code;
  return static_cast<Byte>(code - current + form);
}

// Bit f is set for each form f that a joining class gives.
constexpr unsigned FormsOfClass(Byte joinClass) {
  switch (joinClass) {
    case kJoinsBoth: return 0b11110;
    case kTatweel: return 0b11100;
    case kJoinsBefore: return 0b11000;
    default: return 0b10000;
  }
}

// Fills the decision tables from the joining rules, for every pair of kinds.
constexpr void BuildJoiningDecisions(TableSet::Derived& derived, const Byte (&kindOfId)[TableSet::kMaxKinds],
                                     int kinds) {
  constexpr Byte kJoinsForwardKind = 0b0110 << 3;  // has forms 1 and 2
  for (int first = 0; first < kinds; ++first) {
    for (int current = 0; current < kinds; ++current) {
      for (int right2 = 0; right2 < 2; ++right2) {
        KindAccess a{{0, kindOfId[current], kindOfId[first], right2 ? kJoinsForwardKind : Byte{0}}, {}};
        JoinToPrevious(a);
        derived.joinsPrevious[first][current][right2] = Pack(a.target[kRight], a.target[kCurrent]);
      }
      KindAccess a{{kindOfId[first], kindOfId[current], 0, 0}, {}};
      JoinToNext(a);
      derived.joinsNext[first][current] = Pack(a.target[kLeft], a.target[kCurrent]);
    }
  }
}

// highCodes says what an input code 128-255 stands for in this set: the Nivo set
// reads them as Ir codes and takes the Nivo codes of the same letters.
constexpr TableSet MakeTableSet(CodePage codePage, const Table& keyMap, const Table& shiftKeyMap,
                                const Table& joinClass, const Table& letterForm, const Table& highCodes) {
  TableSet set{codePage, keyMap, shiftKeyMap, joinClass, letterForm, {}};
  auto& derived = set.derived;
  // The set is recognised by what its semicolon types, the keheh's initial code in
  // the Nivo set.
  const bool nivo = keyMap[';'] == 223;
  Byte kindOfId[TableSet::kMaxKinds] = {};
  int kinds = 0;
  for (int code = 0; code < 256; ++code) {
    const Byte c = static_cast<Byte>(code);
    const int current = c < 128 ? kIsolated : letterForm[c];
    derived.toFormAndKind[c][0] = c;  // the kinds follow once every code has one
    for (int form = kInitial; form <= kIsolated; ++form) {
      derived.toFormAndKind[c][form] =
          c < 32 ? c : nivo ? NivoToFormRule(c, form, current) : IrToFormRule(c, form, current);
    }
    const Byte kind = static_cast<Byte>((current & 7) | ((c < 128 ? 0 : FormsOfClass(joinClass[c])) << 3));
    int id = 0;
    while (id < kinds && kindOfId[id] != kind) ++id;
    if (id == kinds) {
      if (kinds == TableSet::kMaxKinds) throw "too many kinds of codes";
      kindOfId[kinds++] = kind;
    }
    derived.kindId[c] = static_cast<Byte>(id);
    derived.joinsForward[c] = KindHas(kind, kInitial) || KindHas(kind, kMedial);
    // An uppercase J is the tatweel anywhere; inside a span the typed characters
    // 32-127 are keys.
    const Byte typed = c == 'J' ? shiftKeyMap['J'] : c >= 128 ? highCodes[c] : c;
    derived.typedOutsideSpan[c] = typed;
    derived.typedInsideSpan[c] = typed >= 32 && typed < 128 ? keyMap[typed] : typed;
  }
  for (int code = 0; code < 256; ++code) {
    for (int form = 0; form <= kIsolated; ++form) {
      auto& entry = derived.toFormAndKind[code][form];
      entry = static_cast<std::uint16_t>(entry | derived.kindId[entry] << 8);
    }
  }
  BuildJoiningDecisions(derived, kindOfId, kinds);
  return set;
}

}  // namespace pelikar::encoding::detail
