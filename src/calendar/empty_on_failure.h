#pragma once
// The calendar routines answer every failure inside them (a date that cannot be read,
// a failed clock, memory running out) with the empty string; no error leaves them.
#include "common/code_string.h"

namespace pelikar::calendar {

template <typename Routine>
CodeString EmptyOnFailure(Routine routine) noexcept {
  try {
    return routine();
  } catch (...) {
    return {};
  }
}

}  // namespace pelikar::calendar
