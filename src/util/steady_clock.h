#pragma once
// The clock of Delay: the C++ steady clock, which only moves forward (a
// performance counter on Windows).
#include "util/system_services.h"

namespace pelikar::util {

class SteadyClock final : public Clock {
 public:
  double Seconds() override;
};

}  // namespace pelikar::util
