#pragma once
// The joining rules of ShapeLetter (internal to the encoding). They are written once,
// over an abstract access to the four neighbouring codes, and serve twice: evaluated
// for every pair of letter kinds when a table set is built, they give the decision
// tables with which the engine shapes each character without a branch.
#include <cstddef>
#include <cstdint>

#include "encoding/tables.h"

namespace pelikar::encoding::detail {

enum Slot { kLeft, kCurrent, kRight, kRight2 };

// Stage 1: the current letter against the letter before it in reading order.
// Access offers Form(slot), Has(slot, form) and To(slot, form).
template <class Access>
constexpr void JoinToPrevious(Access& a) {
  switch (a.Form(kRight)) {
    case kFinal:
      if (a.Has(kCurrent, kFinal) && a.Has(kRight, kMedial)) {
        a.To(kRight, kMedial);
        a.To(kCurrent, kFinal);
      } else {
        a.To(kCurrent, kIsolated);
      }
      break;
    case kMedial:
    case kInitial:
      if (a.Has(kCurrent, kFinal)) {
        a.To(kCurrent, kFinal);
      } else {
        // `right` joined forward to nothing: medial becomes final, initial isolated
        a.To(kRight, a.Form(kRight) == kMedial ? kFinal : kIsolated);
        a.To(kCurrent, kIsolated);
      }
      break;
    case kIsolated:
      if (a.Has(kCurrent, kFinal) && a.Has(kRight, kInitial)) {
        // A letter before `right` that joins forward means `right` was final, not
        // isolated (codes shared by both forms): it becomes medial.
        const bool joinedBefore = a.Has(kRight2, kInitial) || a.Has(kRight2, kMedial);
        a.To(kRight, joinedBefore ? kMedial : kInitial);
        a.To(kCurrent, kFinal);
      } else {
        a.To(kCurrent, kIsolated);
      }
      break;
    default:
      break;  // no tables loaded
  }
}

// Stage 2: the current letter (as stage 1 left it) against the letter after it.
template <class Access>
constexpr void JoinToNext(Access& a) {
  const int c = a.Form(kCurrent);
  const int l = a.Form(kLeft);
  const bool leftAlone = l == kInitial || l == kIsolated;  // not joined to `current`
  const int leftJoined = l == kInitial ? kMedial : kFinal;  // its form once joined
  if ((c == kInitial || c == kMedial) && leftAlone) {
    if (a.Has(kLeft, leftJoined)) {
      a.To(kLeft, leftJoined);
    } else {
      a.To(kCurrent, c == kInitial ? kIsolated : kFinal);
    }
  } else if ((c == kInitial || c == kMedial || c == kFinal) && (l == kMedial || l == kFinal)) {
    if (a.Has(kCurrent, kMedial)) {
      a.To(kCurrent, kMedial);
    } else {
      a.To(kLeft, l == kMedial ? kInitial : kIsolated);
    }
  } else if (c == kFinal && leftAlone) {
    if (a.Has(kLeft, leftJoined) && a.Has(kCurrent, kMedial)) {
      a.To(kCurrent, kMedial);
      a.To(kLeft, leftJoined);
    }
  } else if (c == kIsolated && leftAlone) {
    if (a.Has(kLeft, leftJoined) && a.Has(kCurrent, kInitial)) {
      a.To(kCurrent, kInitial);
      a.To(kLeft, leftJoined);
    }
  } else if (c == kIsolated && l == kMedial) {
    if (a.Has(kCurrent, kInitial)) {
      a.To(kCurrent, kInitial);
    } else if (a.Has(kLeft, kInitial)) {
      a.To(kLeft, kInitial);
    }
  } else if (c == kIsolated && l == kFinal) {
    if (a.Has(kCurrent, kInitial)) {
      a.To(kCurrent, kInitial);
    } else {
      a.To(kLeft, kIsolated);
    }
  }
}

// A code's kind, as far as joining goes: its form in bits 0-2 and, at bit 3 + f,
// whether it has form f (f = 1..4).
constexpr int KindForm(Byte kind) { return kind & 7; }
constexpr bool KindHas(Byte kind, int form) { return (kind >> (3 + form)) & 1; }

// Runs a stage on letter kinds and records the form each slot is sent to (0: left
// as it is).
struct KindAccess {
  Byte kind[4];
  Byte target[4];
  constexpr int Form(Slot s) const { return KindForm(kind[s]); }
  constexpr bool Has(Slot s, int form) const { return KindHas(kind[s], form); }
  constexpr void To(Slot s, int form) { target[s] = static_cast<Byte>(form); }
};

// The packed decision of a stage: the target form of one slot in bits 0-3, of the
// current code in bits 4-7.
constexpr Byte Pack(Byte neighbourTarget, Byte currentTarget) {
  return static_cast<Byte>(neighbourTarget | (currentTarget << 4));
}

// A code with its kind in the high byte, as the engine's inner loop carries it.
using KindedCode = std::uint16_t;

inline KindedCode WithKind(const TableSet::Derived& d, Byte code) { return d.toFormAndKind[code][0]; }

// Shapes one code with the decision tables of a table set.
inline void ShapeKindedCodes(const TableSet::Derived& d, KindedCode& left, KindedCode& current, KindedCode& right,
                             Byte right2) {
  const Byte first = d.joinsPrevious[right >> 8][current >> 8][d.joinsForward[right2]];
  right = d.toFormAndKind[right & 255][first & 15];
  current = d.toFormAndKind[current & 255][first >> 4];
  const Byte second = d.joinsNext[left >> 8][current >> 8];
  left = d.toFormAndKind[left & 255][second & 15];
  current = d.toFormAndKind[current & 255][second >> 4];
}

inline void ShapeCodes(const TableSet& t, Byte& left, Byte& current, Byte& right, Byte right2) {
  KindedCode l = WithKind(t.derived, left), c = WithKind(t.derived, current), r = WithKind(t.derived, right);
  ShapeKindedCodes(t.derived, l, c, r, right2);
  left = static_cast<Byte>(l);
  current = static_cast<Byte>(c);
  right = static_cast<Byte>(r);
}

// A text being shaped: h[i] is the next code to shape, and once the steps have
// started, the three codes a step may change wait in registers.
struct ShapingCursor {
  Byte* h;
  std::size_t i;
  std::size_t n;
  KindedCode left, current, right;

  std::size_t StepsLeft() const { return i + 2 < n ? n - 2 - i : 0; }

  void Load(const TableSet::Derived& d) {
    left = WithKind(d, h[i - 1]);
    current = WithKind(d, h[i]);
    right = WithKind(d, h[i + 1]);
  }
  // One step: shapes h[i] against h[i-1], h[i+1] and h[i+2]; h[i-1] is then final.
  void Step(const TableSet::Derived& d) {
    const Byte right2 = h[i + 2];
    ShapeKindedCodes(d, left, current, right, right2);
    h[i - 1] = static_cast<Byte>(left);
    left = current;
    current = right;
    right = WithKind(d, right2);
    ++i;
  }
  void Store() {
    h[i - 1] = static_cast<Byte>(left);
    h[i] = static_cast<Byte>(current);
    h[i + 1] = static_cast<Byte>(right);
  }
};

// Runs the shaping steps over h[0..n) from step `from` for as long as a step has the
// two codes after its own, and returns the first step not run. Step 0 has no left
// neighbour.
inline std::size_t ShapeSteps(const TableSet& t, Byte* h, std::size_t from, std::size_t n) {
  if (from + 2 >= n) return from;
  if (from == 0) {
    Byte noLeft = 0;
    ShapeCodes(t, noLeft, h[0], h[1], h[2]);
    if (++from + 2 >= n) return from;
  }
  ShapingCursor cursor{h, from, n, 0, 0, 0};
  cursor.Load(t.derived);
  while (cursor.i + 2 < n) cursor.Step(t.derived);
  cursor.Store();
  return cursor.i;
}

// The last steps of a text: past its end a neighbour is 0 and is not kept.
inline void ShapeLastSteps(const TableSet& t, Byte* h, std::size_t from, std::size_t n) {
  for (std::size_t i = from; i < n; ++i) {
    Byte noLeft = 0, noRight = 0;
    Byte& left = i > 0 ? h[i - 1] : noLeft;
    Byte& right = i + 1 < n ? h[i + 1] : noRight;
    ShapeCodes(t, left, h[i], right, i + 2 < n ? h[i + 2] : 0);
  }
}

// Shapes all of h[0..n), as a text of its own.
//
// Nothing joins across a code below 128: it has no forms, a letter beside it takes
// the form it would take at the end of the text, and it never changes. So the text
// splits at such a code (which belongs to both pieces) into pieces that shape
// independently, and shaping a few of them in lockstep lets the processor overlap
// their chains of table lookups.
void ShapeText(const TableSet& t, Byte* h, std::size_t n);

}  // namespace pelikar::encoding::detail
