#include "util/steady_clock.h"

#include <chrono>

namespace pelikar::util {

double SteadyClock::Seconds() {
  const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
  return std::chrono::duration<double>(sinceStart).count();
}

}  // namespace pelikar::util
