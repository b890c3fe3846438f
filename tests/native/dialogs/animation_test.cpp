// Every step of the label animations, over a label that writes every property write and
// Refresh into one list, a clock that moves on at each reading and a fixed random source.
#include "dialogs/animation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

#include "../util/service_doubles.h"
#include "common/run_time_error.h"

namespace pelikar::dialogs {
namespace {

using Steps = std::vector<std::string>;

// Writes "Member=value" and "Refresh" into steps, with the clock's time at each Refresh;
// a member named in missing raises 438.
class RecordingLabel final : public host::HostObject {
 public:
  explicit RecordingLabel(util::Clock& clock) : clock_(clock) {}
  host::HostValue Get(std::string_view member) override { return Check(member), caption_; }
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
  Steps Writes() const {
    Steps writes;
    std::copy_if(steps.begin(), steps.end(), std::back_inserter(writes), [](const auto& s) { return s != "Refresh"; });
    return writes;
  }

  Steps steps;
  std::vector<double> refreshTimes;
  std::set<std::string, std::less<>> missing;

 private:
  void Check(std::string_view member) const {
    if (missing.count(member) != 0) throw RunTimeError(kMemberNotSupported);
  }
  util::Clock& clock_;
  CodeString caption_ = "ab";
};

struct CountingPump final : MessagePump {
  void ProcessPending() override { ++calls; }
  int calls = 0;
};

struct FixedRandom final : RandomSource {  // 0.5, 0.3, 0.999, 0.5, ... in turn
  double Next() override { return values[next++ % 3]; }
  double values[3] = {0.5, 0.3, 0.999};
  int next = 0;
};

class AnimationTest : public testing::Test {
 protected:
  bool Run(std::int16_t effect, float speed, std::int16_t min, std::int16_t max) {
    min_ = min;
    max_ = max;
    label_.steps.clear();
    AnimationServices services{clock_, pump_, random_, messages_};
    return Animate(label_, effect, speed, min_, max_, services);
  }

  util::test::SteppingClock clock_{0.0, 0.01};
  CountingPump pump_;
  FixedRandom random_;
  util::test::RecordingMessageBoxes messages_;
  RecordingLabel label_{clock_};
  std::int16_t min_ = 0, max_ = 0;
};

std::string Colour(int red, int green, int blue) { return "ForeColor=" + std::to_string(red | green << 8 | blue << 16); }

TEST_F(AnimationTest, GrowingFontWithTheDefaults) {
  ASSERT_TRUE(Run(3, 10, 0, 0));
  Steps expected;
  for (int size = 10; size <= 16; ++size) expected.insert(expected.end(), {"FontSize=" + std::to_string(size), "Refresh"});
  EXPECT_EQ(label_.steps, expected);
  EXPECT_EQ(min_, 10);
  EXPECT_EQ(max_, 16);
  EXPECT_EQ(pump_.calls, 7) << "messages are let through after every step";
  // Each step waits 1 / Speed seconds before its Refresh.
  EXPECT_GE(label_.refreshTimes.front(), 0.1 - 1e-9);
  for (std::size_t i = 1; i < label_.refreshTimes.size(); ++i) {
    EXPECT_GE(label_.refreshTimes[i] - label_.refreshTimes[i - 1], 0.1 - 1e-9);
  }
}

// Two copies of the caption, each with ten blanks: 24 characters, shown from the end;
// the label is left with all of them.
TEST_F(AnimationTest, ScrollingTextGrowsFromItsEnd) {
  ASSERT_TRUE(Run(1, 100, 1, 2));
  const std::string work = "ab          ab          ";
  Steps expected;
  for (std::size_t start = work.size(); start-- > 0;) expected.insert(expected.end(), {"Caption=" + work.substr(start), "Refresh"});
  EXPECT_EQ(label_.steps, expected);
}

TEST_F(AnimationTest, PulsesClimbAndFallByTens) {
  for (const auto& [effect, top, channel] : {std::tuple{5, 250, 0}, std::tuple{6, 240, 1}, std::tuple{7, 240, 2}}) {
    ASSERT_TRUE(Run(static_cast<std::int16_t>(effect), 1000, 1, 2));
    Steps expected;
    auto level = [&, channel = channel](int value) {
      int rgb[3] = {0, 0, 0};
      rgb[channel] = value;
      expected.push_back(Colour(rgb[0], rgb[1], rgb[2]));
    };
    for (int pass = 0; pass < 2; ++pass) {
      for (int value = 110; value <= top; value += 10) level(value);
      for (int value = top - 10; value >= 100; value -= 10) level(value);
    }
    EXPECT_EQ(label_.Writes(), expected) << "effect " << effect;
  }
}

// Each random colour draws red, green and blue in turn and rounds halves to even.
TEST_F(AnimationTest, RandomColoursFollowEveryStep) {
  ASSERT_TRUE(Run(4, 1000, 5, 6));
  const std::string colour = Colour(128, 76, 255);
  EXPECT_EQ(label_.steps, (Steps{"FontSize=5", colour, "Refresh", "FontSize=6", colour, "Refresh"}));
  ASSERT_TRUE(Run(2, 1000, 1, 1));
  EXPECT_EQ(label_.Writes().size(), 2u * 12u);
  EXPECT_EQ(label_.Writes()[1], colour);
}

TEST_F(AnimationTest, WhatRunsNoSteps) {
  EXPECT_TRUE(Run(3, 10, 20, 10)) << "min above max";
  EXPECT_TRUE(Run(1, 10, 20, 10));
  for (std::int16_t effect : {0, 8, -1}) EXPECT_TRUE(Run(effect, 10, 0, 0)) << effect;
  EXPECT_EQ(messages_.shown, (std::vector<std::string>(3, "New effects in new versions")));
  messages_.shown.clear();
  // A speed of zero or NaN fails before anything, the defaults not even written back.
  for (float speed : {0.0f, -0.0f, std::numeric_limits<float>::quiet_NaN()}) {
    EXPECT_FALSE(Run(3, speed, 0, 0)) << speed;
    EXPECT_EQ(min_ + max_, 0);
  }
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_TRUE(label_.steps.empty());
}

// A failing member ends the animation with False; the label keeps the last step.
TEST_F(AnimationTest, AMissingMemberEndsItWithFalse) {
  label_.missing = {"FontSize"};
  EXPECT_FALSE(Run(3, 10, 0, 0));
  EXPECT_EQ(min_, 10) << "the defaults were written before the failure";
  label_.missing = {"Refresh"};
  EXPECT_FALSE(Run(5, 1000, 1, 1));
  EXPECT_EQ(label_.steps, Steps{Colour(110, 0, 0)});
}

}  // namespace
}  // namespace pelikar::dialogs
