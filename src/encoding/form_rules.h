#pragma once
// How a table set is built from a code page's tables (internal to the encoding). Each
// code page's own definition, with the rule by which it reaches a letter's other forms,
// is in its own file (nivo_tables.cpp, ir_tables.cpp); the rule is applied once, when
// the set is built, into its ToForm table.
#include "encoding/shaping_rules.h"
#include "encoding/tables.h"

namespace pelikar::encoding::detail {

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

// The code of a letter in a form (1-4), given the code of the letter in its current
// form.
using FormRule = Byte (*)(Byte code, int form, int current);

// What one code page defines. highCodes says what an input code 128-255 stands for
// in this set: the Nivo set reads them as Ir codes and takes the Nivo codes of the
// same letters.
struct CodePageDefinition {
  CodePage codePage;
  Table keyMap;
  Table shiftKeyMap;
  Table joinClass;
  Table letterForm;
  Table highCodes;
  FormRule toForm;
};

constexpr TableSet MakeTableSet(const CodePageDefinition& page) {
  const Table& keyMap = page.keyMap;
  const Table& shiftKeyMap = page.shiftKeyMap;
  const Table& joinClass = page.joinClass;
  const Table& letterForm = page.letterForm;
  const Table& highCodes = page.highCodes;
  TableSet set{page.codePage, keyMap, shiftKeyMap, joinClass, letterForm, {}};
  auto& derived = set.derived;
  Byte kindOfId[TableSet::kMaxKinds] = {};
  int kinds = 0;
  for (int code = 0; code < 256; ++code) {
    const Byte c = static_cast<Byte>(code);
    const int current = c < 128 ? kIsolated : letterForm[c];
    derived.toFormAndKind[c][0] = c;  // the kinds follow once every code has one
    for (int form = kInitial; form <= kIsolated; ++form) {
      derived.toFormAndKind[c][form] = c < 32 ? c : page.toForm(c, form, current);
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
