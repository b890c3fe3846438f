#include "util/delay.h"

#include <cmath>

namespace pelikar::util {

bool Delay(Clock& clock, float second) noexcept {
  // No elapsed time ever compares as reaching NaN: the wait would never end.
  if (std::isnan(second)) return false;
  try {
    const double start = clock.Seconds();
    while (clock.Seconds() - start < second) {
    }
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace pelikar::util
