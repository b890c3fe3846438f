// The property page's logic: what it shows for a control, and how its controls follow
// the developer's changes.
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "control/property_page.h"

namespace pelikar::control {
namespace {

// A control reached by member name. (What the page writes, and in which order, is
// tested with the real control under Wine.)
class MemoryControl final : public host::HostObject {
 public:
  host::HostValue Get(std::string_view member) override { return values.at(std::string(member)); }
  void Put(std::string_view, const host::HostValue&) override { ++writes; }
  host::HostValue Call(std::string_view, std::span<const host::HostValue>) override { return {}; }

  std::map<std::string, host::HostValue> values{{"Environment", std::int16_t{9}},
                                          {"MultiLine", true},
                                          {"Farsi", false},
                                          {"CodePage", std::int16_t{1}}};
  int writes = 0;
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
  EXPECT_EQ(control.writes, 0);
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

}  // namespace
}  // namespace pelikar::control
