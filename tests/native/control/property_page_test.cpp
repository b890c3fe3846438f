// The property page's logic: what it shows for a control, how its controls follow the
// developer's changes, and what it writes back, in which order.
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/run_time_error.h"
#include "control/property_page.h"
#include "input/host_field.h"

namespace pelikar::control {
namespace {

// A control reached by member name: its properties, and the writes in order.
class MemoryControl final : public HostObject {
 public:
  HostValue Get(std::string_view member) override { return values.at(std::string(member)); }
  void Put(std::string_view member, const HostValue& value) override {
    if (member == refused) throw RunTimeError(kTypeMismatch);
    values[std::string(member)] = value;
    writes.push_back(std::string(member) + "=" + input::TextOf(value));
  }
  HostValue Call(std::string_view, std::span<const HostValue>) override { return {}; }

  std::map<std::string, HostValue> values{{"Environment", std::int16_t{9}},
                                          {"MultiLine", true},
                                          {"Farsi", false},
                                          {"CodePage", std::int16_t{1}}};
  std::vector<std::string> writes;
  std::string refused;
};

TEST(PropertyPage, ShowsTheControlAsItIs) {
  MemoryControl control;
  PropertyPageModel page;
  page.Load(control);
  EXPECT_EQ(page.environmentText(), "9") << "shown as it is";
  EXPECT_EQ(page.hostIndex(), 0) << "no such host: the first";
  EXPECT_TRUE(page.multiLine());
  EXPECT_FALSE(page.farsi());
  EXPECT_EQ(page.codePageText(), "1");
  EXPECT_TRUE(page.irSelected());
  EXPECT_FALSE(page.changed()) << "nothing to apply yet";
  EXPECT_TRUE(control.writes.empty());
}

TEST(PropertyPage, TheBoxesAndTheirSelectionsFollowEachOther) {
  const struct {
    const char* text;
    int host;
  } environments[] = {{"1", 1}, {"7", 7}, {"0", 0}, {"8", 0}, {"01", 0}, {" 3", 0}, {"", 0}};
  for (const auto& environment : environments) {
    PropertyPageModel page;
    page.EnvironmentTextChanged(environment.text);
    EXPECT_EQ(page.hostIndex(), environment.host) << environment.text;
    EXPECT_TRUE(page.changed());
  }
  PropertyPageModel page;
  page.HostClicked(4);
  EXPECT_EQ(page.environmentText(), "4");
  EXPECT_EQ(page.hostIndex(), 4);
  page.HostClicked(-1);  // a list without a selection
  page.HostClicked(8);
  EXPECT_EQ(page.environmentText(), "4");

  const struct {
    const char* text;
    bool ir;
  } codePages[] = {{"1", true}, {"1.0", true}, {"0", false}, {"2", false}, {"Nivo", true}};
  for (const auto& codePage : codePages) {
    PropertyPageModel page;
    page.IrClicked();
    page.CodePageTextChanged(codePage.text);
    // A text that is no number leaves the option as it was.
    EXPECT_EQ(page.irSelected(), codePage.ir) << codePage.text;
    EXPECT_TRUE(page.changed());
  }
}

TEST(PropertyPage, ApplyWritesInOrderAndStaysChangedWhenRefused) {
  MemoryControl control;
  PropertyPageModel page;
  page.Load(control);
  page.NivoClicked();
  page.IrClicked();
  page.FarsiClicked(true);
  ASSERT_TRUE(page.changed());
  page.Apply(control);
  const std::vector<std::string> inOrder = {"Environment=9", "MultiLine=True", "Farsi=True",
                                            "CodePage=1"};
  EXPECT_EQ(control.writes, inOrder);
  EXPECT_EQ(input::TextOf(control.values.at("CodePage")), "1");
  EXPECT_FALSE(page.changed());

  control.refused = "CodePage";
  page.MultiLineClicked(false);
  EXPECT_THROW(page.Apply(control), RunTimeError);
  EXPECT_TRUE(page.changed());
}

}  // namespace
}  // namespace pelikar::control
