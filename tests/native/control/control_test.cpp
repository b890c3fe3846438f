// The control object, its saved properties' bytes, its property page's logic and the
// host's values.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <map>
#include <sstream>
#include <string>
#include <thread>

#include "../test_support.h"
#include "../util/service_doubles.h"
#include "control/control.h"
#include "control/persistence.h"
#include "control/property_page.h"
#include "host/host_value.h"
#include "input/keyboard_state.h"

namespace pelikar::control::test {
namespace {

using pelikar::test::ErrorNumberOf;

// The control object over doubles of its surroundings, which record into one log what
// the control does with them: the rules of its four properties, the Persian mode kept
// in step with the thread's Scroll Lock entry, and its lifecycle with the container
// (new, loaded, saved) in the order of its calls, including the parent form's caption
// at the times a form designer expects it.
using Log = std::vector<std::string>;

// A host form with named properties; reading a property it lacks raises 438.
struct RecordingForm final : host::HostObject {
  explicit RecordingForm(Log& log) : log(log) {}
  host::HostValue Get(std::string_view member) override {
    log.push_back("form.Get " + std::string(member));
    if (!properties.contains(std::string(member))) throw RunTimeError(kMemberNotSupported, std::string(member));
    return properties[std::string(member)];
  }
  void Put(std::string_view member, const host::HostValue& value) override {
    log.push_back("form.Put " + std::string(member));
    properties[std::string(member)] = value;
  }
  host::HostValue Call(std::string_view member, std::span<const host::HostValue>) override {
    throw RunTimeError(kMemberNotSupported, std::string(member));
  }
  Log& log;
  std::map<std::string, host::HostValue> properties{{"Caption", CodeString("Form1")}};
};

struct RecordingContainer final : Container {
  explicit RecordingContainer(Log& log) : log(log) {}
  bool UserMode() override { return userMode; }
  host::HostValue AmbientFont() override { return log.push_back("ambient Font"), CodeString("Tahoma"); }
  void PropertyChanged(std::string_view property) override { log.push_back("changed " + std::string(property)); }
  host::HostValue::Object ParentForm() override { return form; }
  Log& log;
  bool userMode = true;
  std::shared_ptr<RecordingForm> form = std::make_shared<RecordingForm>(log);
};

// The thread's table, as the system keeps it.
struct RecordingKeyboard final : input::KeyboardStateTable {
  explicit RecordingKeyboard(Log& log) : log(log) {}
  input::KeyboardTable Get() override { return log.push_back("keyboard.Get"), table; }
  void Set(const input::KeyboardTable& newTable) override { log.push_back("keyboard.Set"), table = newTable; }
  Log& log;
  input::KeyboardTable table{};
};

struct RecordingBag final : PropertyBag {
  explicit RecordingBag(Log& log) : log(log) {}
  host::HostValue Read(std::string_view name, const host::HostValue& defaultValue) override {
    return log.push_back("bag.Read " + std::string(name)), values.Read(name, defaultValue);
  }
  void Write(std::string_view name, const host::HostValue& value) override {
    log.push_back("bag.Write " + std::string(name)), values.Write(name, value);
  }
  Log& log;
  MemoryPropertyBag values;
};

// A value as "Integer 0", "Boolean True", "String 1", "Double 1.5", "Empty".
std::string Shown(const host::HostValue& value) {
  const auto& v = value.storage();
  if (const auto* b = std::get_if<bool>(&v)) return *b ? "Boolean True" : "Boolean False";
  if (const auto* n = std::get_if<std::int16_t>(&v)) return "Integer " + std::to_string(*n);
  if (const auto* n = std::get_if<std::int32_t>(&v)) return "Long " + std::to_string(*n);
  if (const auto* n = std::get_if<double>(&v)) return (std::ostringstream() << "Double " << *n).str();
  if (const auto* text = std::get_if<CodeString>(&v)) return "String " + *text;
  return std::holds_alternative<std::monostate>(v) ? "Empty" : "Object";
}

constexpr int kCapsLockKey = 20;

class ControlTest : public testing::Test {
 protected:
  void SetOtherThanTheDefaults() {
    control.SetFarsi(false);
    control.SetCodePage(std::int16_t{1});
    control.SetMultiLine(true);
    control.SetEnvironment(std::int16_t{3});
    log.clear();
  }
  // The properties as a save writes them, and the font: "Farsi True, CodePage
  // Integer 0, ...".
  std::string Described() {
    MemoryPropertyBag saved;
    control.SaveValues(saved);
    const auto truth = [&](const char* name) { return std::get<bool>(saved.Read(name, {}).storage()) ? "True" : "False"; };
    return std::string("Farsi ") + truth("Farsi") + ", CodePage " + Shown(saved.Read("CodePage", {})) + ", MultiLine " +
           truth("MultiLine") + ", Environment " + Shown(saved.Read("Environment", {})) + ", Font " + Shown(control.Font());
  }

  Log log;
  RecordingContainer container{log};
  RecordingKeyboard keyboard{log};
  util::test::FakeMachine machine;
  util::test::MemoryFileSystem files;
  util::test::RecordingFontRegistry fonts;
  util::test::RecordingMessageBoxes messages;
  Control control{{container, keyboard, {machine, files, fonts, messages}}};
};

// The comparison is numeric, as a variant is compared with a number; the value kept
// is the one given, and typing takes the Ir code page for a 1 of any kind.
TEST_F(ControlTest, CodePageKeepsOnlyZeroAndOne) {
  const std::pair<host::HostValue, const char*> cases[] = {
      {std::int16_t{2}, "Integer 0"}, {std::int16_t{-1}, "Integer 0"}, {std::int16_t{1}, "Integer 1"},
      {std::int32_t{1}, "Long 1"},    {1.0, "Double 1"},                {0.5, "Integer 0"},
      {true, "Integer 0"},            {CodeString("1"), "String 1"},    {host::HostValue(), "Empty"},
  };
  for (const auto& [given, stored] : cases) {
    control.SetCodePage(given);
    EXPECT_EQ(Shown(control.CodePage()), stored) << Shown(given);
    EXPECT_EQ(control.TypingSettings().codePage, std::string_view(stored).ends_with(" 1") ? encoding::CodePage::Ir : encoding::CodePage::Nivo);
  }
  log.clear();
  EXPECT_EQ(ErrorNumberOf([&] { control.SetCodePage(CodeString("Nivo")); }), kTypeMismatch);
  EXPECT_EQ(Shown(control.CodePage()), "Empty") << "kept";
  EXPECT_EQ(log, Log{}) << "nothing changed, nothing told";
}

// A thread's keyboard state is its own: a new thread has read nothing yet.
TEST_F(ControlTest, ANewControlReadsFarsiTrueBeforeAnyKeyDown) {
  std::thread([&] {
    control.InitProperties();
    EXPECT_TRUE(control.Farsi()) << "an unread table says nothing of the mode";
    input::FetchKeyboardState(keyboard);
    EXPECT_EQ(control.Farsi(), keyboard.table[input::kScrollLockKey] != 0);
  }).join();
}

// Farsi reads the Scroll Lock entry as the last key-down left it; setting it changes
// only that entry of the current table: keys pressed or toggled since keep their state.
TEST_F(ControlTest, FarsiIsTheScrollLockEntryOfTheCurrentTable) {
  input::FetchKeyboardState(keyboard);  // a key-down while every key was up and off
  keyboard.table[kCapsLockKey] = keyboard.table[input::kNumLockKey] = 0x01;
  keyboard.table['A'] = 0x80;
  input::KeyboardTable expected = keyboard.table;
  control.SetFarsi(true);
  expected[input::kScrollLockKey] = 0xFF;
  EXPECT_EQ(keyboard.table, expected);
  keyboard.table[input::kScrollLockKey] = 0;  // another program toggled Scroll Lock
  log.clear();
  EXPECT_TRUE(control.Farsi()) << "until the next key-down";
  EXPECT_EQ(log, Log{}) << "the system is not asked";
  input::FetchKeyboardState(keyboard);  // the next key-down
  EXPECT_FALSE(control.Farsi());
  control.SetFarsi(false);
  expected[input::kScrollLockKey] = 0;
  EXPECT_EQ(keyboard.table, expected);
}

const Log kCaptionReassigned = {"form.Get Caption", "form.Put Caption"};
const Log kWritten = {"bag.Write Farsi", "bag.Write CodePage", "bag.Write MultiLine", "bag.Write Environment"};

// InitProperties sets the defaults without a font, registers the glyph font (a bare
// name, not copied) and leaves the keyboard alone; a bag without keys gives the
// defaults and the container's font, and switches Scroll Lock on.
TEST_F(ControlTest, NewAndLoadedWithoutKeysTheDefaults) {
  SetOtherThanTheDefaults();
  control.InitProperties();
  EXPECT_EQ(log, kCaptionReassigned) << "run time; the keyboard state is left alone";
  EXPECT_EQ(Described(), "Farsi True, CodePage Integer 0, MultiLine False, Environment Integer 0, Font Empty");
  EXPECT_EQ(fonts.registered, std::vector<CodeString>{"nivo2.ttf"});
  EXPECT_TRUE(files.copies.empty() && messages.shown.empty());
  EXPECT_EQ(keyboard.table[input::kScrollLockKey], 0) << "still off, as Farsi False left it";
  SetOtherThanTheDefaults();
  input::SetSavedSelStart(7);
  keyboard.table[kCapsLockKey] = 0x01;
  RecordingBag bag{log};
  control.ReadProperties(bag);
  EXPECT_EQ(log, (Log{"ambient Font", "bag.Read Font", "bag.Read Farsi", "bag.Read CodePage", "bag.Read MultiLine",
                      "keyboard.Get", "keyboard.Set", "bag.Read Environment"}));
  EXPECT_EQ(Described(), "Farsi True, CodePage Integer 0, MultiLine False, Environment Integer 0, Font String Tahoma");
  EXPECT_EQ(keyboard.table[input::kScrollLockKey], 0xFF);
  EXPECT_EQ(keyboard.table[kCapsLockKey], 0x01);
  EXPECT_EQ(input::SavedSelStart(), 0);
  // Saved values pass through the host's conversions and the CodePage rule; a saved font
  // wins over the container's, yet saving writes the four properties in order and never
  // the font.
  const struct { const char* key; host::HostValue saved; const char* loaded; } cases[] = {
      {"Farsi", CodeString("False"), "Farsi False,"},         {"Farsi", std::int16_t{1}, "Farsi True,"},
      {"CodePage", std::int16_t{7}, "CodePage Integer 0,"},   {"CodePage", CodeString("1"), "CodePage String 1,"},
      {"MultiLine", CodeString(" true "), "MultiLine True,"}, {"Environment", CodeString("Delphi"), "Environment String Delphi,"},
      {"Font", CodeString("Arial"), "Font String Arial"},
  };
  for (const auto& c : cases) {
    RecordingBag bag{log};
    bag.values.Write(c.key, c.saved);
    control.ReadProperties(bag);
    EXPECT_NE(Described().find(c.loaded), std::string::npos) << Described() << " from " << Shown(c.saved);
    EXPECT_EQ(keyboard.table[input::kScrollLockKey], Described().starts_with("Farsi True") ? 0xFF : 0);
  }
  RecordingBag word{log};
  word.values.Write("MultiLine", CodeString("yes"));
  EXPECT_EQ(ErrorNumberOf([&] { control.ReadProperties(word); }), kTypeMismatch);

  control.SetEnvironment(std::int16_t{5});
  log.clear();
  RecordingBag saved{log};
  control.WriteProperties(saved);
  EXPECT_EQ(log, kWritten);
  EXPECT_EQ(Shown(saved.values.Read("Environment", {})), "Integer 5");
  EXPECT_EQ(Shown(saved.values.Read("Font", CodeString("none"))), "String none");
}

TEST_F(ControlTest, TheParentCaptionIsReassignedAtTheRightTimes) {
  RecordingBag bag{log};
  const Log farsi = {"keyboard.Get", "keyboard.Set", "changed Farsi"};
  Log farsiAtDesignTime = farsi, savedAtDesignTime = kCaptionReassigned;
  farsiAtDesignTime.insert(farsiAtDesignTime.end(), kCaptionReassigned.begin(), kCaptionReassigned.end());
  savedAtDesignTime.insert(savedAtDesignTime.end(), kWritten.begin(), kWritten.end());
  const struct { const char* what; bool userMode; std::function<void()> step; Log calls; } cases[] = {
      {"new, run time", true, [&] { control.InitProperties(); }, kCaptionReassigned},
      {"Farsi, design time", false, [&] { control.SetFarsi(true); }, farsiAtDesignTime},
      {"Farsi, run time", true, [&] { control.SetFarsi(true); }, farsi},
      {"MultiLine, design time", false, [&] { control.SetMultiLine(true); }, {"changed MultiLine"}},
      {"CodePage", true, [&] { control.SetCodePage(std::int16_t{1}); }, {"changed CodePage"}},
      {"Environment", false, [&] { control.SetEnvironment(std::int16_t{9}); }, {"changed Environment"}},
      {"saved, design time", false, [&] { control.WriteProperties(bag); }, savedAtDesignTime},
      {"saved, run time", true, [&] { control.WriteProperties(bag); }, kWritten},
  };
  for (const auto& c : cases) {
    container.userMode = c.userMode;
    log.clear();
    c.step();
    EXPECT_EQ(log, c.calls) << c.what;
  }
  EXPECT_EQ(Shown(container.form->properties["Caption"]), "String Form1");
}

// A form without a caption ends InitProperties there, before the font and the last
// step; a container that shows no form is no failure.
TEST_F(ControlTest, AFormWithoutCaptionEndsInitPropertiesThere) {
  container.form->properties.clear();
  control.SetMultiLine(true);
  EXPECT_EQ(ErrorNumberOf([&] { control.InitProperties(); }), kMemberNotSupported);
  EXPECT_TRUE(fonts.registered.empty());
  EXPECT_TRUE(control.MultiLine());
  container.form = nullptr;
  control.InitProperties();
  EXPECT_EQ(fonts.registered, std::vector<CodeString>{"nivo2.ttf"});
}

// The saved properties as bytes, the form a stream keeps them in (values come back
// through a bag and a stream in the Wine suite): every kind of value comes back as it
// was, the layout stays what earlier saves wrote (forms saved by earlier versions must
// still load), and objects and damaged bytes are refused rather than read as something
// else.
TEST(MemoryPropertyBag, ValuesComeBackFromTheirFixedLayoutDamageIsRefused) {
  CodeString allCodes;
  for (unsigned code = 0; code < 256; ++code) allCodes.push_back(CodeChar(code));
  const std::pair<const char*, host::HostValue> values[] = {
      {"Nothing", host::HostValue()}, {"Off", false}, {"Long", std::int32_t{-100000}}, {"Double", -1.5e300}, {"Codes", allCodes},
  };
  MemoryPropertyBag bag;
  for (const auto& [name, value] : values) bag.Write(name, value);
  MemoryPropertyBag parsed = MemoryPropertyBag::Parse(bag.Serialize());
  for (const auto& [name, value] : values) EXPECT_TRUE(parsed.Read(name, CodeString("missing")).storage() == value.storage()) << name;

  MemoryPropertyBag layout;
  layout.Write("Farsi", false);
  layout.Write("CodePage", std::int16_t{1});
  layout.Write("Farsi", true);  // written again: replaced in its place
  layout.Write("Environment", CodeString("VB"));
  using namespace std::string_literals;
  EXPECT_EQ(layout.Serialize(), "PKPB\x01\x03\x00" "\x05" "Farsi" "\x01\x01" "\x08" "CodePage" "\x02\x01\x00"
                                "\x0B" "Environment" "\x05\x02\x00\x00\x00" "VB"s);
  layout.Write("Font", host::HostValue::Object{});
  EXPECT_EQ(ErrorNumberOf([&] { layout.Serialize(); }), kTypeMismatch);
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
  for (const auto& [what, bytes] : cases) EXPECT_EQ(ErrorNumberOf([&] { MemoryPropertyBag::Parse(bytes); }), kInvalidProcedureCall) << what;
}

// The property page's logic: what it shows for a control reached by member name, and
// how its controls follow the developer's changes. (What the page writes, and in which
// order, is tested with the real control under Wine.)
struct MemoryControl final : host::HostObject {
  host::HostValue Get(std::string_view member) override { return values.at(std::string(member)); }
  void Put(std::string_view, const host::HostValue&) override { ++writes; }
  host::HostValue Call(std::string_view, std::span<const host::HostValue>) override { return {}; }
  std::map<std::string, host::HostValue> values{
      {"Environment", std::int16_t{9}}, {"MultiLine", true}, {"Farsi", false}, {"CodePage", std::int16_t{1}}};
  int writes = 0;
};

TEST(PropertyPage, ShowsTheControlAndFollowsTheChanges) {
  MemoryControl control;
  PropertyPageModel page;
  page.Load(control);
  EXPECT_EQ(page.environmentText() + " " + page.codePageText(), "9 1");
  EXPECT_EQ(page.hostIndex(), 0) << "no such host: the first";
  EXPECT_TRUE(page.multiLine() && !page.farsi() && page.irSelected());
  EXPECT_FALSE(page.changed()) << "nothing to apply yet";
  EXPECT_EQ(control.writes, 0);
  page.FarsiClicked(true);
  EXPECT_TRUE(page.farsi() && page.changed());
  page.Load(control);
  page.MultiLineClicked(false);
  EXPECT_TRUE(!page.multiLine() && page.changed());
  page.HostClicked(4);
  page.HostClicked(-1);  // a list without a selection
  page.HostClicked(8);
  EXPECT_EQ(page.environmentText(), "4");
  EXPECT_EQ(page.hostIndex(), 4);

  const std::pair<const char*, int> environments[] = {{"1", 1}, {"7", 7}, {"0", 0}, {"8", 0}, {"01", 0}, {" 3", 0}, {"", 0}};
  for (const auto& [text, host] : environments) {
    page.Load(control);
    page.EnvironmentTextChanged(text);
    EXPECT_TRUE(page.hostIndex() == host && page.changed()) << text;
  }
  // A code page text that is no number leaves the option as it was.
  const std::pair<const char*, bool> codePages[] = {{"1", true}, {"1.0", true}, {"0", false}, {"2", false}, {"Nivo", true}};
  for (const auto& [text, ir] : codePages) {
    page.Load(control);
    page.CodePageTextChanged(text);
    EXPECT_TRUE(page.irSelected() == ir && page.changed()) << text;
  }
}

// Values that cross to and from host objects convert as the host's run-time converts
// them: a window handle, for one, arrives in whatever type the host keeps it in.
// Halves round to even; beyond a Long, NaN and text that reads as no number raise.
TEST(HostValue, ToLongConvertsAsTheHostsRunTime) {
  using host::HostValue;
  const std::pair<HostValue, std::int32_t> cases[] = {
      {HostValue(), 0},    {HostValue(true), -1}, {HostValue(std::int32_t{-2147483647 - 1}), -2147483647 - 1},
      {HostValue(2.5), 2}, {HostValue(3.5), 4},   {HostValue(-2.5), -2},
      {HostValue(2147483647.4), 2147483647}, {HostValue(CodeString("655796")), 655796}, {HostValue(CodeString("&H10")), 16},
  };
  for (const auto& [value, expected] : cases) EXPECT_EQ(value.ToLong(), expected);
  const std::pair<HostValue, int> errors[] = {
      {HostValue(2147483647.5), kOverflow},          {HostValue(-2147483649.0), kOverflow},
      {HostValue(std::numeric_limits<double>::quiet_NaN()), kOverflow}, {HostValue(CodeString("1e10")), kOverflow},
      {HostValue(CodeString("form")), kTypeMismatch}, {HostValue(HostValue::Object{}), kTypeMismatch},
  };
  for (const auto& [value, error] : errors) EXPECT_EQ(ErrorNumberOf([&] { value.ToLong(); }), error);
}

}  // namespace
}  // namespace pelikar::control::test
