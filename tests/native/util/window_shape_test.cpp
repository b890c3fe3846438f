// The window members reach the host form by its "hwnd" property, with the host's
// conversions, and hand the box on unchanged.
#include "util/window_shape.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <string>

#include "common/run_time_error.h"
#include "service_doubles.h"

namespace pelikar::util {
namespace {

using control::HostValue;

// A host form with the properties it is given.
class FakeForm final : public control::HostObject {
 public:
  HostValue Get(std::string_view member) override {
    const auto found = properties.find(std::string(member));
    if (found == properties.end()) throw RunTimeError(kMemberNotSupported, std::string(member));
    return found->second;
  }
  void Put(std::string_view member, const HostValue& value) override {
    properties[std::string(member)] = value;
  }
  HostValue Call(std::string_view member, std::span<const HostValue>) override {
    throw RunTimeError(kMemberNotSupported, std::string(member));
  }
  std::map<std::string, HostValue> properties;
};

class RecordingRegions final : public WindowRegions {
 public:
  std::int32_t SetEllipticRegion(std::int32_t window, const RegionBox& box) override {
    calls.push_back({"ellipse", window, box, 0, 0});
    return answer;
  }
  std::int32_t SetRoundRectRegion(std::int32_t window, const RegionBox& box,
                                  std::int32_t cornerWidth, std::int32_t cornerHeight) override {
    calls.push_back({"round", window, box, cornerWidth, cornerHeight});
    return answer;
  }
  struct Call {
    std::string kind;
    std::int32_t window;
    RegionBox box;
    std::int32_t cornerWidth;
    std::int32_t cornerHeight;
  };
  std::vector<Call> calls;
  std::int32_t answer = 1;
};

TEST(WindowShape, TheFormsHwndTakesTheRegion) {
  FakeForm form;
  form.properties["hwnd"] = std::int32_t{0x000A01B4};
  RecordingRegions regions;
  EXPECT_EQ(ShapeOval(form, regions, {0, 0, 200, 100}), 1);
  regions.answer = 0;
  EXPECT_EQ(ShapeRect(form, regions, {5, 6, 7, 8}, 20, 30), 0) << "a platform failure is 0";
  ASSERT_EQ(regions.calls.size(), 2u);
  EXPECT_EQ(regions.calls[0].kind, "ellipse");
  EXPECT_EQ(regions.calls[0].window, 0x000A01B4);
  EXPECT_EQ(regions.calls[0].box.right, 200);
  EXPECT_EQ(regions.calls[0].box.bottom, 100);
  EXPECT_EQ(regions.calls[1].kind, "round");
  EXPECT_EQ(regions.calls[1].box.left, 5);
  EXPECT_EQ(regions.calls[1].box.top, 6);
  EXPECT_EQ(regions.calls[1].cornerWidth, 20);
  EXPECT_EQ(regions.calls[1].cornerHeight, 30);
}

TEST(WindowShape, AFormWithoutHwndRaisesAndNothingIsShaped) {
  FakeForm form;
  RecordingRegions regions;
  try {
    ShapeOval(form, regions, {0, 0, 1, 1});
    ADD_FAILURE() << "no error";
  } catch (const RunTimeError& error) {
    EXPECT_EQ(error.number(), kMemberNotSupported);
  }
  EXPECT_TRUE(regions.calls.empty());
}

// The handle arrives in whatever type the host keeps it in.
TEST(HostValue, ToLongConvertsAsTheHostsRunTime) {
  const struct {
    HostValue value;
    std::int32_t expected;
  } cases[] = {
      {HostValue(), 0},
      {HostValue(true), -1},
      {HostValue(false), 0},
      {HostValue(std::int16_t{-5}), -5},
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
  for (const auto& c : cases) {
    try {
      c.value.ToLong();
      ADD_FAILURE() << "no error, expected " << c.error;
    } catch (const RunTimeError& error) {
      EXPECT_EQ(error.number(), c.error);
    }
  }
}

}  // namespace
}  // namespace pelikar::util
