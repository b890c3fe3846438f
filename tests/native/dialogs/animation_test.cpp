#include "dialogs/animation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "common/run_time_error.h"
#include "input/host_field.h"
#include "../util/service_doubles.h"

namespace pelikar::dialogs {
namespace {

using Steps = std::vector<std::string>;

// A host label that writes every property write and Refresh into one list, with the
// time of the clock at each Refresh; a member named in missing raises 438.
class RecordingLabel final : public host::HostObject {
 public:
  RecordingLabel(util::Clock& clock, CodeString caption) : clock_(clock), caption_(std::move(caption)) {}

  host::HostValue Get(std::string_view member) override {
    Check(member);
    if (member != "Caption") throw RunTimeError(kMemberNotSupported);
    return caption_;
  }
  void Put(std::string_view member, const host::HostValue& value) override {
    Check(member);
    if (member == "Caption") caption_ = host::TextOf(value);
    steps.push_back(std::string(member) + "=" + host::TextOf(value));
  }
  host::HostValue Call(std::string_view member, std::span<const host::HostValue>) override {
    Check(member);
    steps.push_back(std::string(member));
    refreshTimes.push_back(clock_.Seconds());
    return {};
  }

  Steps steps;
  std::vector<double> refreshTimes;
  std::set<std::string, std::less<>> missing;

 private:
  void Check(std::string_view member) const {
    if (missing.count(member) != 0) throw RunTimeError(kMemberNotSupported);
  }

  util::Clock& clock_;
  CodeString caption_;
};

class CountingPump final : public MessagePump {
 public:
  void ProcessPending() override { ++calls; }
  int calls = 0;
};

// 0.5, 0.3, 0.999, 0.5, ... in turn.
class FixedRandom final : public RandomSource {
 public:
  double Next() override { return values_[next_++ % 3]; }

 private:
  double values_[3] = {0.5, 0.3, 0.999};
  int next_ = 0;
};

class AnimationTest : public testing::Test {
 protected:
  bool Run(std::int16_t effect, float speed, std::int16_t min, std::int16_t max) {
    min_ = min;
    max_ = max;
    AnimationServices services{clock_, pump_, random_, messages_};
    return Animate(label_, effect, speed, min_, max_, services);
  }

  // Only the property writes, in order.
  Steps Writes() const {
    Steps writes;
    for (const std::string& step : label_.steps) {
      if (step != "Refresh") writes.push_back(step);
    }
    return writes;
  }

  util::test::SteppingClock clock_{0.0, 0.01};
  CountingPump pump_;
  FixedRandom random_;
  util::test::RecordingMessageBoxes messages_;
  RecordingLabel label_{clock_, "ab"};
  std::int16_t min_ = 0;
  std::int16_t max_ = 0;
};

std::string Colour(int red, int green, int blue) {
  return "ForeColor=" + std::to_string(red | green << 8 | blue << 16);
}

TEST_F(AnimationTest, GrowingFontWithTheDefaults) {
  ASSERT_TRUE(Run(3, 10, 0, 0));
  EXPECT_EQ(label_.steps, (Steps{"FontSize=10", "Refresh", "FontSize=11", "Refresh", "FontSize=12",
                                 "Refresh", "FontSize=13", "Refresh", "FontSize=14", "Refresh",
                                 "FontSize=15", "Refresh", "FontSize=16", "Refresh"}));
  EXPECT_EQ(min_, 10);
  EXPECT_EQ(max_, 16);
  EXPECT_EQ(pump_.calls, 7) << "messages are let through after every step";
  // Each step waits 1 / Speed seconds before its Refresh.
  for (std::size_t i = 1; i < label_.refreshTimes.size(); ++i) {
    EXPECT_GE(label_.refreshTimes[i] - label_.refreshTimes[i - 1], 0.1 - 1e-9);
  }
  EXPECT_GE(label_.refreshTimes.front(), 0.1 - 1e-9);
}

// Two copies of the caption, each with ten blanks: 24 characters, shown from the
// end; the label is left with all of them.
TEST_F(AnimationTest, ScrollingTextGrowsFromItsEnd) {
  ASSERT_TRUE(Run(1, 100, 1, 2));
  const std::string work = "ab          ab          ";
  Steps expected;
  for (std::size_t start = work.size(); start-- > 0;) {
    expected.push_back("Caption=" + work.substr(start));
    expected.push_back("Refresh");
  }
  EXPECT_EQ(label_.steps, expected);
  EXPECT_EQ(label_.steps.front(), "Caption= ");
}

TEST_F(AnimationTest, PulsesClimbAndFallByTens) {
  struct Case {
    std::int16_t effect;
    int top;
    int channel;
  };
  for (const Case c : {Case{5, 250, 0}, Case{6, 240, 1}, Case{7, 240, 2}}) {
    SCOPED_TRACE("effect " + std::to_string(c.effect));
    label_.steps.clear();
    ASSERT_TRUE(Run(c.effect, 1000, 1, 1));
    Steps expected;
    auto level = [&](int value) {
      int rgb[3] = {0, 0, 0};
      rgb[c.channel] = value;
      expected.push_back(Colour(rgb[0], rgb[1], rgb[2]));
    };
    for (int value = 110; value <= c.top; value += 10) level(value);
    for (int value = c.top - 10; value >= 100; value -= 10) level(value);
    EXPECT_EQ(Writes(), expected);
    EXPECT_EQ(expected.size(), c.effect == 5 ? 30u : 28u);
  }
}

// Each random colour draws red, green and blue in turn and rounds halves to even.
TEST_F(AnimationTest, RandomColoursFollowEveryStep) {
  ASSERT_TRUE(Run(4, 1000, 5, 6));
  const std::string colour = Colour(128, 76, 255);
  EXPECT_EQ(label_.steps,
            (Steps{"FontSize=5", colour, "Refresh", "FontSize=6", colour, "Refresh"}));
  label_.steps.clear();
  ASSERT_TRUE(Run(2, 1000, 1, 1));
  EXPECT_EQ(Writes().size(), 2u * 12u);
  EXPECT_EQ(Writes()[1], colour);
}

TEST_F(AnimationTest, NoStepsWhenMinIsAboveMax) {
  EXPECT_TRUE(Run(3, 10, 20, 10));
  EXPECT_TRUE(Run(1, 10, 20, 10));
  EXPECT_TRUE(label_.steps.empty());
}

TEST_F(AnimationTest, AnEffectThatDoesNotExistSaysSoAndIsNoFailure) {
  for (std::int16_t effect : {0, 8, -1}) EXPECT_TRUE(Run(effect, 10, 0, 0)) << effect;
  EXPECT_EQ(messages_.shown, (std::vector<std::string>(3, "New effects in new versions")));
  EXPECT_TRUE(label_.steps.empty());
}

TEST_F(AnimationTest, ASpeedOfZeroOrNaNFailsBeforeAnything) {
  for (float speed : {0.0f, -0.0f, std::numeric_limits<float>::quiet_NaN()}) {
    EXPECT_FALSE(Run(0, speed, 0, 0)) << speed;
    EXPECT_EQ(min_, 0) << "nothing written back";
    EXPECT_EQ(max_, 0);
  }
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_TRUE(label_.steps.empty());
}

// A failing member ends the animation with False; the label keeps the last step.
TEST_F(AnimationTest, AMissingMemberEndsItWithFalse) {
  label_.missing = {"FontSize"};
  EXPECT_FALSE(Run(3, 10, 0, 0));
  EXPECT_EQ(min_, 10) << "the defaults were written before the failure";
  EXPECT_TRUE(label_.steps.empty());

  label_.missing = {"Refresh"};
  EXPECT_FALSE(Run(5, 1000, 1, 1));
  EXPECT_EQ(label_.steps, Steps{Colour(110, 0, 0)});
}

}  // namespace
}  // namespace pelikar::dialogs
