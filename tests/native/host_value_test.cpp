// Values that cross to and from host objects convert as the host's run-time converts
// them: a window handle, for one, arrives in whatever type the host keeps it in.
#include "host/host_value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "common/run_time_error.h"
#include "test_support.h"

namespace pelikar::host {
namespace {

// Halves round to even; beyond a Long, NaN and text that reads as no number raise.
TEST(HostValue, ToLongConvertsAsTheHostsRunTime) {
  const std::pair<HostValue, std::int32_t> cases[] = {
      {HostValue(), 0},         {HostValue(true), -1},          {HostValue(std::int32_t{-2147483647 - 1}), -2147483647 - 1},
      {HostValue(2.5), 2},      {HostValue(3.5), 4},            {HostValue(-2.5), -2},
      {HostValue(2147483647.4), 2147483647}, {HostValue(CodeString("655796")), 655796}, {HostValue(CodeString("&H10")), 16},
  };
  for (const auto& [value, expected] : cases) EXPECT_EQ(value.ToLong(), expected);
  const std::pair<HostValue, int> errors[] = {
      {HostValue(2147483647.5), kOverflow},          {HostValue(-2147483649.0), kOverflow},
      {HostValue(std::numeric_limits<double>::quiet_NaN()), kOverflow}, {HostValue(CodeString("1e10")), kOverflow},
      {HostValue(CodeString("form")), kTypeMismatch}, {HostValue(HostValue::Object{}), kTypeMismatch},
  };
  for (const auto& [value, error] : errors) EXPECT_EQ(pelikar::test::ErrorNumberOf([&] { value.ToLong(); }), error);
}

}  // namespace
}  // namespace pelikar::host
