// The control's four properties saved and loaded through a property bag and a stream:
// what is written and read, in which order and types, the bytes of a saved control,
// the Scroll Lock entry that loading switches, and what a container may not do (load
// twice, load damaged bytes).
#include <array>
#include <string>
#include <vector>

#include "container_fixture.h"

namespace pelikar::container_tests {
namespace {

const Calls kReadInOrder = {"ambient.Get Font",  "bag.Read Font",      "bag.Read Farsi",
                            "bag.Read CodePage", "bag.Read MultiLine", "bag.Read Environment"};
const Calls kWrittenInOrder = {"bag.Write Farsi", "bag.Write CodePage", "bag.Write MultiLine",
                               "bag.Write Environment"};
const std::vector<std::string> kDefaults = {"Boolean True", "Integer 0", "Boolean False",
                                            "Integer 0"};
// Farsi False, CodePage 2 (kept as 0), MultiLine True, Environment 5.
const std::vector<std::string> kChanged = {"Boolean False", "Integer 0", "Boolean True",
                                           "Long 5"};

BYTE ScrollLock() {
  std::array<BYTE, 256> keys{};
  GetKeyboardState(keys.data());
  return keys[VK_SCROLL];
}

void SetScrollLock(BYTE state) {
  std::array<BYTE, 256> keys{};
  GetKeyboardState(keys.data());
  keys[VK_SCROLL] = state;
  SetKeyboardState(keys.data());
}

std::string Bytes(IStream* stream) {
  HGLOBAL memory = nullptr;
  STATSTG status{};
  if (FAILED(GetHGlobalFromStream(stream, &memory)) || FAILED(stream->Stat(&status, 1))) return {};
  const std::string bytes(static_cast<const char*>(GlobalLock(memory)), status.cbSize.QuadPart);
  GlobalUnlock(memory);
  return bytes;
}

class Persistence : public ContainerTest {
 protected:
  void SetUp() override {
    ContainerTest::SetUp();
    bag_ = new TestObject(log_, "bag");
  }
  void TearDown() override {
    bag_->Release();
    ContainerTest::TearDown();
  }
  // The four properties as a script reads them.
  std::vector<std::string> Properties(IUnknown* control = nullptr) {
    return {Get(L"Farsi", control), Get(L"CodePage", control), Get(L"MultiLine", control),
            Get(L"Environment", control)};
  }
  void Change() {
    ASSERT_EQ(Put(L"Farsi", Variant::Short(0)), S_OK);
    ASSERT_EQ(Put(L"CodePage", Variant::Short(2)), S_OK);
    ASSERT_EQ(Put(L"MultiLine", Variant::Short(-1)), S_OK);
    ASSERT_EQ(Put(L"Environment", Variant::Long(5)), S_OK);
  }
  IPersistPropertyBag* Persist(IUnknown* control = nullptr) {
    return As<IPersistPropertyBag>(IID_IPersistPropertyBag, control);
  }

  TestObject* bag_ = nullptr;
};

// Written in order with their types (never the font), read back in order (the font
// first, from the container); loading switches the thread's Persian mode (Scroll Lock)
// to the saved one. (What loading makes of missing and odd values is the control
// object's rule, tested natively.)
TEST_F(Persistence, SavedPropertiesComeBackThroughABag) {
  Site(true);
  ASSERT_EQ(Persist()->InitNew(), S_OK);
  Change();
  log_.Take();
  ASSERT_EQ(Persist()->Save(bag_, TRUE, TRUE), S_OK);
  EXPECT_EQ(log_.Take(), kWrittenInOrder);
  std::vector<std::string> saved;
  for (const wchar_t* name : {L"Farsi", L"CodePage", L"MultiLine", L"Environment"}) {
    VARIANT value = bag_->Value(name);
    saved.push_back(Typed(value));
    VariantClear(&value);
  }
  EXPECT_EQ(saved, kChanged);

  SetScrollLock(0xFF);
  IUnknown* loaded = NewControl();
  Site(true, loaded);
  log_.Take();
  ASSERT_EQ(Persist(loaded)->Load(bag_, nullptr), S_OK);
  EXPECT_EQ(log_.Take(), kReadInOrder);
  EXPECT_EQ(Properties(loaded), kChanged);
  EXPECT_EQ(ScrollLock(), 0) << "saved with Farsi False";
  EXPECT_EQ(As<IPersistStreamInit>(IID_IPersistStreamInit, loaded)->IsDirty(), S_FALSE);
  As<IOleObject>(IID_IOleObject, loaded)->SetClientSite(nullptr);
  EXPECT_EQ(loaded->Release(), 0u);
}

// Forms saved by earlier versions must load: the bytes are fixed. Two controls saved
// one after the other into one stream come back each with its own properties.
TEST_F(Persistence, SavedPropertiesComeBackThroughAStream) {
  IPersistStreamInit* first = As<IPersistStreamInit>(IID_IPersistStreamInit);
  ASSERT_EQ(first->InitNew(), S_OK);
  Change();
  IUnknown* second = NewControl();
  IPersistStreamInit* secondPersist = As<IPersistStreamInit>(IID_IPersistStreamInit, second);
  ASSERT_EQ(secondPersist->InitNew(), S_OK);

  IStream* stream = nullptr;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
  ASSERT_EQ(first->Save(stream, FALSE), S_OK);
  EXPECT_EQ(first->IsDirty(), S_OK) << "saved without clearing";
  ASSERT_EQ(secondPersist->Save(stream, TRUE), S_OK);
  EXPECT_EQ(secondPersist->IsDirty(), S_FALSE);
  EXPECT_EQ(second->Release(), 0u);
  // Each control: the length of what follows, "PKPB", version 1, four values, each
  // as its name's length, the name, the kind (1 Boolean, 2 Integer, 3 Long) and value.
  using namespace std::string_literals;
  EXPECT_EQ(Bytes(stream),
            "\x38\0\0\0PKPB\x01\x04\0"
            "\x05" "Farsi\x01\0" "\x08" "CodePage\x02\0\0" "\x09" "MultiLine\x01\x01"
            "\x0B" "Environment\x03\x05\0\0\0"
            "\x36\0\0\0PKPB\x01\x04\0"
            "\x05" "Farsi\x01\x01" "\x08" "CodePage\x02\0\0" "\x09" "MultiLine\x01\0"
            "\x0B" "Environment\x02\0\0"s);

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
  const struct {
    std::string bytes;
    HRESULT expected;
  } damaged[] = {
      {std::string("\x08\x00\x00\x00PKPB\x07\x00\x00\x00", 12), static_cast<HRESULT>(0x800A0005)},  // another version
      {std::string("\x40\x00\x00\x00PKPB\x01\x00\x00\x00", 12), STG_E_READFAULT},  // cut short
  };
  for (const auto& testCase : damaged) {
    IStream* stream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
    ASSERT_EQ(stream->Write(testCase.bytes.data(), 12, nullptr), S_OK);
    ASSERT_EQ(stream->Seek({}, STREAM_SEEK_SET, nullptr), S_OK);
    EXPECT_EQ(persist->Load(stream), testCase.expected);
    stream->Release();
  }
  ASSERT_EQ(persist->InitNew(), S_OK);
  EXPECT_EQ(persist->InitNew(), E_UNEXPECTED);
  EXPECT_EQ(Persist()->Load(bag_, nullptr), E_UNEXPECTED);
}

}  // namespace
}  // namespace pelikar::container_tests
