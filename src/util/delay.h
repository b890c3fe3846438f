#pragma once
// Delay: a busy wait of a number of seconds, measured on a clock that only moves
// forward, so a wait across midnight ends like any other. It processes no window
// messages and does not yield the processor.
#include "util/system_services.h"

namespace pelikar::util {

// True once the time has passed (at once for 0 or less). False when the clock fails
// or the wait has no length (NaN).
bool Delay(Clock& clock, float second) noexcept;

}  // namespace pelikar::util
