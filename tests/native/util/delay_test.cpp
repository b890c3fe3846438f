#include "util/delay.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "service_doubles.h"

namespace pelikar::util {
namespace {

using test::SteppingClock;

TEST(Delay, WaitsUntilTheTimeHasPassed) {
  SteppingClock clock(1000.0, 0.1);
  EXPECT_TRUE(Delay(clock, 0.5f));
  // The start, then readings at 0.1 ... until one is 0.5 or more later.
  EXPECT_GE(clock.readings(), 6);
  EXPECT_LE(clock.readings(), 7);
}

TEST(Delay, ZeroAndLessReturnAtOnce) {
  for (float second : {0.0f, -0.0f, -1.0f, -std::numeric_limits<float>::infinity()}) {
    SteppingClock clock(1000.0, 0.1);
    EXPECT_TRUE(Delay(clock, second)) << second;
    EXPECT_EQ(clock.readings(), 2) << "the start and one look";
  }
}

// A clock of seconds since midnight would fall back to 0 here, and a wait measured
// on it would never see its end; the clock of Delay only moves forward.
TEST(Delay, AWaitAcrossMidnightEnds) {
  const double secondsPerDay = 86400.0;
  SteppingClock clock(secondsPerDay - 0.25, 0.05);
  EXPECT_TRUE(Delay(clock, 0.5f));
  EXPECT_LE(clock.readings(), 12);
}

TEST(Delay, AWaitOfNoLengthOrAFailingClockGivesFalse) {
  SteppingClock clock(0.0, 0.1);
  EXPECT_FALSE(Delay(clock, std::numeric_limits<float>::quiet_NaN()));
  EXPECT_FALSE(Delay(clock, std::numeric_limits<float>::infinity()));
  EXPECT_EQ(clock.readings(), 0);

  SteppingClock failing(0.0, 0.1);
  failing.FailAfter(3);
  EXPECT_FALSE(Delay(failing, 10.0f));
}

}  // namespace
}  // namespace pelikar::util
