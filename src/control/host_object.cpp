#include "control/host_object.h"

#include <cmath>
#include <limits>

#include "common/run_time_error.h"
#include "common/text_number.h"

namespace pelikar::control {
namespace {

std::int32_t RoundToLong(double number) {
  // nearbyint rounds half to even in the default rounding mode, as the run-time does.
  const double rounded = std::nearbyint(number);
  if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
        rounded <= std::numeric_limits<std::int32_t>::max())) {
    throw RunTimeError(kOverflow);
  }
  return static_cast<std::int32_t>(rounded);
}

struct ToLongVisitor {
  std::int32_t operator()(std::monostate) const { return 0; }
  std::int32_t operator()(bool value) const { return value ? -1 : 0; }
  std::int32_t operator()(std::int16_t value) const { return value; }
  std::int32_t operator()(std::int32_t value) const { return value; }
  std::int32_t operator()(double value) const { return RoundToLong(value); }
  std::int32_t operator()(const CodeString& text) const {
    const auto number = ParseTextNumber(text);
    if (!number) throw RunTimeError(kTypeMismatch);
    return RoundToLong(*number);
  }
  std::int32_t operator()(const HostValue::Object&) const { throw RunTimeError(kTypeMismatch); }
};

}  // namespace

std::int32_t HostValue::ToLong() const { return std::visit(ToLongVisitor{}, storage_); }

}  // namespace pelikar::control
