// The saved properties as bytes, the form a stream keeps them in: every kind of
// value comes back as it was, the layout stays what earlier saves wrote, and damaged
// bytes are refused rather than read as something else.
#include "control/persistence.h"

#include <gtest/gtest.h>

#include <utility>

#include "../test_support.h"

namespace pelikar::control {
namespace {

using pelikar::test::ErrorNumberOf;

TEST(MemoryPropertyBag, ValuesComeBackFromTheirBytesInTheirKinds) {
  CodeString allCodes;
  for (unsigned code = 0; code < 256; ++code) allCodes.push_back(CodeChar(code));
  const std::pair<const char*, host::HostValue> values[] = {
      {"Nothing", host::HostValue()},        {"On", true},
      {"Off", false},                  {"Integer", std::int16_t{-2}},
      {"Long", std::int32_t{-100000}}, {"Double", -1.5e300},
      {"Codes", allCodes},             {"Blank", CodeString()},
  };
  MemoryPropertyBag bag;
  for (const auto& [name, value] : values) bag.Write(name, value);
  MemoryPropertyBag parsed = MemoryPropertyBag::Parse(bag.Serialize());
  for (const auto& [name, value] : values) {
    EXPECT_TRUE(parsed.Read(name, CodeString("missing")).storage() == value.storage()) << name;
  }
  EXPECT_TRUE(parsed.Read("Font", std::int16_t{0}).storage() == host::HostValue(std::int16_t{0}).storage()) << "never written";
}

// Forms saved by earlier versions must still load: the layout is fixed.
TEST(MemoryPropertyBag, TheLayoutIsFixed) {
  MemoryPropertyBag bag;
  bag.Write("Farsi", false);
  bag.Write("CodePage", std::int16_t{1});
  bag.Write("Farsi", true);  // written again: replaced in its place
  bag.Write("Environment", CodeString("VB"));
  using namespace std::string_literals;
  EXPECT_EQ(bag.Serialize(), "PKPB\x01\x03\x00"
                             "\x05" "Farsi" "\x01\x01"
                             "\x08" "CodePage" "\x02\x01\x00"
                             "\x0B" "Environment" "\x05\x02\x00\x00\x00" "VB"s);
}

TEST(MemoryPropertyBag, ObjectsCannotBeSaved) {
  MemoryPropertyBag bag;
  bag.Write("Font", host::HostValue::Object{});
  EXPECT_EQ(ErrorNumberOf([&] { bag.Serialize(); }), kTypeMismatch);
}

TEST(MemoryPropertyBag, DamagedBytesAreRefused) {
  using namespace std::string_literals;
  const std::string valid = "PKPB\x01\x01\x00\x01" "A" "\x02\x01\x00"s;
  ASSERT_EQ(ErrorNumberOf([&] { MemoryPropertyBag::Parse(valid); }), 0);
  const std::pair<const char*, std::string> cases[] = {
      {"nothing", ""},
      {"another signature", "PKPX\x01\x00\x00"s},
      {"another version", "PKPB\x02\x00\x00"s},
      {"fewer values than counted", "PKPB\x01\x02\x00\x01" "A" "\x02\x01\x00"s},
      {"an unknown kind", "PKPB\x01\x01\x00\x01" "A" "\x09"s},
      {"a text shorter than its length", "PKPB\x01\x01\x00\x01" "A" "\x05\xFF\x00\x00\x00" "ab"s},
      {"bytes after the last value", valid + "x"},
  };
  for (const auto& [what, bytes] : cases) {
    EXPECT_EQ(ErrorNumberOf([&] { MemoryPropertyBag::Parse(bytes); }), kInvalidProcedureCall)
        << what;
  }
}

}  // namespace
}  // namespace pelikar::control
