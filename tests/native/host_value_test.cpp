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

TEST(HostValue, ToLongConvertsAsTheHostsRunTime) {
  const struct {
    HostValue value;
    std::int32_t expected;
  } cases[] = {
      {HostValue(), 0},
      {HostValue(true), -1},
      {HostValue(std::int32_t{-2147483647 - 1}), -2147483647 - 1},
      {HostValue(2.5), 2},
      {HostValue(3.5), 4},
      {HostValue(-2.5), -2},
      {HostValue(2147483647.4), 2147483647},
      {HostValue(CodeString("655796")), 655796},
      {HostValue(CodeString("&H10")), 16},
  };
  for (const auto& c : cases) EXPECT_EQ(c.value.ToLong(), c.expected);
}

TEST(HostValue, ToLongRaisesOutOfRangeAndForNonNumbers) {
  const struct {
    HostValue value;
    int error;
  } cases[] = {
      {HostValue(2147483647.5), kOverflow},
      {HostValue(-2147483649.0), kOverflow},
      {HostValue(std::numeric_limits<double>::quiet_NaN()), kOverflow},
      {HostValue(CodeString("1e10")), kOverflow},
      {HostValue(CodeString("form")), kTypeMismatch},
      {HostValue(HostValue::Object{}), kTypeMismatch},
  };
  for (const auto& c : cases)
    EXPECT_EQ(pelikar::test::ErrorNumberOf([&] { c.value.ToLong(); }), c.error);
}

}  // namespace
}  // namespace pelikar::host
