#include "util/delay.h"

#include <cmath>

namespace pelikar::util {

bool Delay(Clock& clock, float second) noexcept {
  // No elapsed time ever reaches NaN or infinity: the wait would never end.
  if (std::isnan(second) || (std::isinf(second) && second > 0)) return false;
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
