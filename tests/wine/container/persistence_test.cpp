// The control's four properties saved and loaded through a property bag and a stream:
// what a new control and a bag without keys give, what is written (never the font),
// the order of reading, the Scroll Lock entry that loading switches, and what a
// container may not do (load twice, load damaged bytes).
#include <array>
#include <utility>
#include <vector>

#include "container_fixture.h"

namespace pelikar::container_tests {
namespace {

const Calls kReadInOrder = {"ambient Font",    "bag.Read Font",      "bag.Read Farsi",
                            "bag.Read CodePage", "bag.Read MultiLine", "bag.Read Environment"};
const Calls kWrittenInOrder = {"bag.Write Farsi", "bag.Write CodePage", "bag.Write MultiLine",
                               "bag.Write Environment"};

using KeyboardTable = std::array<BYTE, 256>;

KeyboardTable Keyboard() {
  KeyboardTable table{};
  GetKeyboardState(table.data());
  return table;
}

void SetKeys(std::initializer_list<std::pair<int, BYTE>> keys) {
  KeyboardTable table = Keyboard();
  for (const auto& [key, state] : keys) table[key] = state;
  SetKeyboardState(table.data());
}

class Persistence : public ContainerTest {
 protected:
  // The four properties as a script reads them.
  std::vector<std::string> Properties(IUnknown* control = nullptr) {
    return {Get(L"Farsi", control), Get(L"CodePage", control), Get(L"MultiLine", control),
            Get(L"Environment", control)};
  }
  // Farsi False, CodePage 2 (kept as 0), MultiLine True, Environment 5.
  void Change(IUnknown* control = nullptr) {
    ASSERT_EQ(Put(L"Farsi", Variant::Short(0), control), S_OK);
    ASSERT_EQ(Put(L"CodePage", Variant::Short(2), control), S_OK);
    ASSERT_EQ(Put(L"MultiLine", Variant::Short(-1), control), S_OK);
    ASSERT_EQ(Put(L"Environment", Variant::Long(5), control), S_OK);
  }
};

const std::vector<std::string> kDefaults = {"Boolean True", "Integer 0", "Boolean False",
                                            "Integer 0"};
const std::vector<std::string> kChanged = {"Boolean False", "Integer 0", "Boolean True",
                                           "Long 5"};

// (Farsi, read, shows the Scroll Lock entry as the last key-down or load left it,
// which a new control does not touch: so the saved values tell the defaults.)
TEST_F(Persistence, ANewControlSavesTheDefaultsAndNoFont) {
  Site(true);
  ASSERT_EQ(As<IPersistPropertyBag>(IID_IPersistPropertyBag)->InitNew(), S_OK);
  auto* bag = new MemoryBag(log_);
  log_.Take();
  ASSERT_EQ(As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Save(bag, TRUE, FALSE), S_OK);
  EXPECT_EQ(log_.Take(), kWrittenInOrder);
  std::vector<std::string> saved;
  for (const std::wstring& name : bag->Names()) {
    VARIANT value = bag->Value(name);
    saved.push_back(Narrow(name) + " " + Typed(value));
    VariantClear(&value);
  }
  EXPECT_EQ(saved, (std::vector<std::string>{"Farsi Boolean True", "CodePage Integer 0",
                                             "MultiLine Boolean False",
                                             "Environment Integer 0"}));
  bag->Release();
}

// Loading switches the thread's Persian mode (Scroll Lock) to the saved one, and
// leaves every other key as it is.
TEST_F(Persistence, ABagWithoutKeysGivesTheDefaultsAndSwitchesScrollLockOn) {
  SetKeys({{VK_SCROLL, 0}, {VK_CAPITAL, 0x01}, {VK_NUMLOCK, 0x01}});
  Site(true);
  log_.Take();
  auto* bag = new MemoryBag(log_);
  ASSERT_EQ(As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(bag, nullptr), S_OK);
  bag->Release();
  EXPECT_EQ(log_.Take(), kReadInOrder);
  EXPECT_EQ(Properties(), kDefaults);
  const KeyboardTable keyboard = Keyboard();
  // The control writes 0xFF; the system keeps its down and toggled bits.
  EXPECT_EQ(keyboard[VK_SCROLL] & 0x81, 0x81);
  EXPECT_EQ(keyboard[VK_CAPITAL], 0x01);
  EXPECT_EQ(keyboard[VK_NUMLOCK], 0x01);
}

TEST_F(Persistence, SavedPropertiesComeBackThroughABag) {
  Site(true);
  ASSERT_EQ(As<IPersistPropertyBag>(IID_IPersistPropertyBag)->InitNew(), S_OK);
  Change();
  auto* bag = new MemoryBag(log_);
  ASSERT_EQ(As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Save(bag, TRUE, TRUE), S_OK);
  VARIANT codePage = bag->Value(L"CodePage");
  EXPECT_EQ(Typed(codePage), "Integer 0") << "2 was kept as 0";
  VariantClear(&codePage);

  SetKeys({{VK_SCROLL, 0xFF}});
  IUnknown* loaded = NewControl();
  Site(true, loaded);
  log_.Take();
  ASSERT_EQ(As<IPersistPropertyBag>(IID_IPersistPropertyBag, loaded)->Load(bag, nullptr), S_OK);
  EXPECT_EQ(log_.Take(), kReadInOrder);
  EXPECT_EQ(Properties(loaded), kChanged);
  EXPECT_EQ(Keyboard()[VK_SCROLL], 0) << "saved with Farsi False";
  EXPECT_EQ(As<IPersistStreamInit>(IID_IPersistStreamInit, loaded)->IsDirty(), S_FALSE);
  EXPECT_EQ(loaded->Release(), 0u);
  bag->Release();
}

// Two controls saved one after the other into one stream come back each with its own
// properties: each reads exactly what it wrote.
TEST_F(Persistence, SavedPropertiesComeBackThroughAStream) {
  Site(true);
  IPersistStreamInit* first = As<IPersistStreamInit>(IID_IPersistStreamInit);
  ASSERT_EQ(first->InitNew(), S_OK);
  Change();
  IUnknown* second = NewControl();
  IPersistStreamInit* secondPersist = As<IPersistStreamInit>(IID_IPersistStreamInit, second);
  ASSERT_EQ(secondPersist->InitNew(), S_OK);

  IStream* stream = nullptr;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
  ULARGE_INTEGER sizeMax{};
  ASSERT_EQ(first->GetSizeMax(&sizeMax), S_OK);
  EXPECT_EQ(first->IsDirty(), S_OK);
  ASSERT_EQ(first->Save(stream, FALSE), S_OK);
  EXPECT_EQ(first->IsDirty(), S_OK) << "saved without clearing";
  ULARGE_INTEGER written{};
  ASSERT_EQ(stream->Seek({}, STREAM_SEEK_CUR, &written), S_OK);
  EXPECT_EQ(written.QuadPart, sizeMax.QuadPart);
  ASSERT_EQ(secondPersist->Save(stream, TRUE), S_OK);
  EXPECT_EQ(secondPersist->IsDirty(), S_FALSE);
  EXPECT_EQ(second->Release(), 0u);

  ASSERT_EQ(stream->Seek({}, STREAM_SEEK_SET, nullptr), S_OK);
  std::vector<std::vector<std::string>> loaded;
  for (int i = 0; i < 2; ++i) {
    IUnknown* control = NewControl();
    ASSERT_EQ(As<IPersistStreamInit>(IID_IPersistStreamInit, control)->Load(stream), S_OK);
    loaded.push_back(Properties(control));
    EXPECT_EQ(control->Release(), 0u);
  }
  EXPECT_EQ(loaded, (std::vector<std::vector<std::string>>{kChanged, kDefaults}));
  stream->Release();
}

TEST_F(Persistence, AControlIsMadeOrLoadedOnceAndDamagedBytesAreRefused) {
  IPersistStreamInit* persist = As<IPersistStreamInit>(IID_IPersistStreamInit);
  IStream* stream = nullptr;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
  const char damaged[] = "\x08\x00\x00\x00PKPB\x07\x00\x00\x00";
  ASSERT_EQ(stream->Write(damaged, 12, nullptr), S_OK);
  ASSERT_EQ(stream->Seek({}, STREAM_SEEK_SET, nullptr), S_OK);
  EXPECT_EQ(persist->Load(stream), static_cast<HRESULT>(0x800A0005)) << "an unknown version";
  ASSERT_EQ(stream->Seek({}, STREAM_SEEK_SET, nullptr), S_OK);
  ASSERT_EQ(stream->Write("\x40\x00\x00\x00", 4, nullptr), S_OK);
  ASSERT_EQ(stream->Seek({}, STREAM_SEEK_SET, nullptr), S_OK);
  EXPECT_TRUE(FAILED(persist->Load(stream))) << "shorter than its length says";
  stream->Release();

  ASSERT_EQ(persist->InitNew(), S_OK);
  EXPECT_EQ(persist->InitNew(), E_UNEXPECTED);
  auto* bag = new MemoryBag(log_);
  EXPECT_EQ(As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(bag, nullptr),
            E_UNEXPECTED);
  bag->Release();
}

}  // namespace
}  // namespace pelikar::container_tests
