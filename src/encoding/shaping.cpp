#include "encoding/shaping.h"

namespace pelikar::encoding {
namespace {

bool IsNivoSet(const TableSet& tables) {
  // The Nivo set is the one whose semicolon types the keheh's initial code.
  return tables.keyMap[';'] == 223;
}

// The Ir code page shares codes between forms; the code of a letter in a form.
Byte IrToForm(Byte code, int form, int current) {
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
    case 241: case 243: return joinsForward ? 243 : 241;  // lam
    case 249: case 250: case 251: return form == kInitial ? 251 : form == kMedial ? 250 : 249;  // heh
    case 252: case 253: case 254: return joinsForward ? 254 : form == kFinal ? 252 : 253;     // yeh
    default: break;
  }
  // alef, ain and ghain run from the isolated code down to the initial one; the
  // remaining codes (ASCII, the box-drawing codes) are only ever asked for form 4
  return static_cast<Byte>(code + current - form);
}

}  // namespace

int FormOf(const TableSet& tables, Byte code) { return code < 128 ? kIsolated : tables.letterForm[code]; }

bool HasForm(const TableSet& tables, Byte code, int form) {
  if (code < 128) return false;
  const Byte joinClass = tables.joinClass[code];
  switch (form) {
    case kIsolated: return true;
    case kInitial: return joinClass == kJoinsBoth;
    case kMedial: return joinClass == kTatweel || joinClass == kJoinsBoth;
    case kFinal: return joinClass == kJoinsBefore || joinClass == kTatweel || joinClass == kJoinsBoth;
    default: return false;
  }
}

Byte ToForm(const TableSet& tables, Byte code, int form) {
  if (code < 32) return code;
  const int current = FormOf(tables, code);
  if (!IsNivoSet(tables)) return IrToForm(code, form, current);
  if (code == 133) return code;  // the tatweel has a single code
  return static_cast<Byte>(code - current + form);
}

namespace {

// Stage 1: the current letter against the letter before it in reading order.
void JoinToPrevious(const TableSet& t, Byte& current, Byte& right, Byte right2) {
  switch (FormOf(t, right)) {
    case kFinal:
      if (HasForm(t, current, kFinal) && HasForm(t, right, kMedial)) {
        right = ToForm(t, right, kMedial);
        current = ToForm(t, current, kFinal);
      } else {
        current = ToForm(t, current, kIsolated);
      }
      break;
    case kMedial:
    case kInitial: {
      if (HasForm(t, current, kFinal)) {
        current = ToForm(t, current, kFinal);
      } else {
        const int rightForm = FormOf(t, right) == kMedial ? kFinal : kIsolated;
        right = ToForm(t, right, rightForm);
        current = ToForm(t, current, kIsolated);
      }
      break;
    }
    case kIsolated:
      if (HasForm(t, current, kFinal) && HasForm(t, right, kInitial)) {
        // A letter before `right` that joins forward means `right` was final, not
        // isolated (codes shared by both forms): it becomes medial.
        const bool joinedBefore = HasForm(t, right2, kInitial) || HasForm(t, right2, kMedial);
        right = ToForm(t, right, joinedBefore ? kMedial : kInitial);
        current = ToForm(t, current, kFinal);
      } else {
        current = ToForm(t, current, kIsolated);
      }
      break;
    default:
      break;  // no tables loaded
  }
}

// Stage 2: the current letter against the letter after it in reading order.
void JoinToNext(const TableSet& t, Byte& left, Byte& current) {
  const int c = FormOf(t, current);
  const int l = FormOf(t, left);
  if ((c == kInitial || c == kMedial) && (l == kInitial || l == kIsolated)) {
    const int leftForm = l == kInitial ? kMedial : kFinal;
    if (HasForm(t, left, leftForm)) {
      left = ToForm(t, left, leftForm);
    } else {
      current = ToForm(t, current, c == kInitial ? kIsolated : kFinal);
    }
  } else if ((c == kInitial || c == kMedial || c == kFinal) && (l == kMedial || l == kFinal)) {
    if (HasForm(t, current, kMedial)) {
      current = ToForm(t, current, kMedial);
    } else {
      left = ToForm(t, left, l == kMedial ? kInitial : kIsolated);
    }
  } else if (c == kFinal && (l == kInitial || l == kIsolated)) {
    const int leftForm = l == kInitial ? kMedial : kFinal;
    if (HasForm(t, left, leftForm) && HasForm(t, current, kMedial)) {
      current = ToForm(t, current, kMedial);
      left = ToForm(t, left, leftForm);
    }
  } else if (c == kIsolated) {
    switch (l) {
      case kInitial:
      case kIsolated: {
        const int leftForm = l == kInitial ? kMedial : kFinal;
        if (HasForm(t, left, leftForm) && HasForm(t, current, kInitial)) {
          current = ToForm(t, current, kInitial);
          left = ToForm(t, left, leftForm);
        }
        break;
      }
      case kMedial:
        if (HasForm(t, current, kInitial)) {
          current = ToForm(t, current, kInitial);
        } else if (HasForm(t, left, kInitial)) {
          left = ToForm(t, left, kInitial);
        }
        break;
      case kFinal:
        if (HasForm(t, current, kInitial)) {
          current = ToForm(t, current, kInitial);
        } else {
          left = ToForm(t, left, kIsolated);
        }
        break;
      default:
        break;
    }
  }
}

}  // namespace

void ShapeLetter(const TableSet& tables, Byte& left, Byte& current, Byte& right, Byte right2) {
  JoinToPrevious(tables, current, right, right2);
  JoinToNext(tables, left, current);
}

bool HasForm(Byte code, int form) { return HasForm(ActiveTables(), code, form); }
Byte ToForm(Byte code, int form) { return ToForm(ActiveTables(), code, form); }
void ShapeLetter(Byte& left, Byte& current, Byte& right, Byte right2) {
  ShapeLetter(ActiveTables(), left, current, right, right2);
}

}  // namespace pelikar::encoding
