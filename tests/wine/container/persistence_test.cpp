// The control's four properties saved and loaded through a property bag and a stream:
// what is written and read, in which order and types, the bytes of a saved control,
// the Scroll Lock entry that loading switches, and what a container may not do (load
// twice, load damaged bytes). (What loading makes of missing and odd values is the
// control object's rule, tested natively.)
#include <string>
#include <vector>

#include "test_site.h"

namespace pelikar::container_tests {
namespace {

// Farsi False, CodePage 2 (kept as 0), MultiLine True, Environment 5.
const std::vector<std::string> kChanged = {"Boolean False", "Integer 0", "Boolean True", "Long 5"};
const std::vector<std::string> kDefaults = {"Boolean True", "Integer 0", "Boolean False", "Integer 0"};
const wchar_t* const kNames[] = {L"Farsi", L"CodePage", L"MultiLine", L"Environment"};

// The thread's Scroll Lock entry, after setting it to state unless that is -1.
BYTE ScrollLock(int state = -1) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  if (state >= 0) keys[VK_SCROLL] = static_cast<BYTE>(state);
  SetKeyboardState(keys);
  return keys[VK_SCROLL];
}

class Persistence : public ContainerTest {
 protected:
  // The four properties as a script reads them.
  std::vector<std::string> Properties(IUnknown* control = nullptr) {
    std::vector<std::string> values;
    for (const wchar_t* name : kNames) values.push_back(Get(name, control));
    return values;
  }
  void Change() {
    ASSERT_EQ(Put(L"Farsi", Variant::Short(0)), S_OK);
    ASSERT_EQ(Put(L"CodePage", Variant::Short(2)), S_OK);
    ASSERT_EQ(Put(L"MultiLine", Variant::Short(-1)), S_OK);
    ASSERT_EQ(Put(L"Environment", Variant::Long(5)), S_OK);
  }
  // A new control loaded by the function, its properties read and the control let go.
  std::vector<std::string> Loaded(const std::function<HRESULT(IUnknown*)>& load) {
    IUnknown* control = NewControl();
    EXPECT_EQ(load(control), S_OK);
    std::vector<std::string> values = Properties(control);
    As<IOleObject>(IID_IOleObject, control)->SetClientSite(nullptr);
    EXPECT_EQ(control->Release(), 0u);
    return values;
  }
};

// Written in order with their types (never the font), read back in order (the font
// first, from the container); loading switches the thread's Persian mode (Scroll Lock)
// to the saved one.
TEST_F(Persistence, SavedPropertiesComeBackThroughABag) {
  TestObject* bag = new TestObject(log_, "bag");
  Site(true);
  IPersistPropertyBag* persist = As<IPersistPropertyBag>(IID_IPersistPropertyBag);
  ASSERT_EQ(persist->InitNew(), S_OK);
  Change();
  log_.Take();
  ASSERT_EQ(persist->Save(bag, TRUE, TRUE), S_OK);
  EXPECT_EQ(log_.Take(), (Calls{"bag.Write Farsi", "bag.Write CodePage", "bag.Write MultiLine",
                                "bag.Write Environment"}));
  std::vector<std::string> saved;
  for (const wchar_t* name : kNames) {
    VARIANT value = bag->Value(name);
    saved.push_back(Typed(value));
    VariantClear(&value);
  }
  EXPECT_EQ(saved, kChanged);

  ScrollLock(0xFF);
  EXPECT_EQ(Loaded([&](IUnknown* control) {
              Site(true, control);
              log_.Take();
              const HRESULT result = As<IPersistPropertyBag>(IID_IPersistPropertyBag, control)->Load(bag, nullptr);
              EXPECT_EQ(As<IPersistStreamInit>(IID_IPersistStreamInit, control)->IsDirty(), S_FALSE);
              return result;
            }),
            kChanged);
  EXPECT_EQ(log_.Take(), (Calls{"ambient.Get Font", "bag.Read Font", "bag.Read Farsi", "bag.Read CodePage",
                                "bag.Read MultiLine", "bag.Read Environment"}));
  EXPECT_EQ(ScrollLock(), 0) << "saved with Farsi False";
  EXPECT_EQ(persist->InitNew(), E_UNEXPECTED) << "made once";
  EXPECT_EQ(persist->Load(bag, nullptr), E_UNEXPECTED) << "or loaded once";
  bag->Release();
}

// Forms saved by earlier versions must load: the bytes are fixed. Two controls saved
// one after the other into one stream come back each with its own properties; damaged
// bytes are refused.
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
  const std::string bytes =
      "\x38\0\0\0PKPB\x01\x04\0"
      "\x05" "Farsi\x01\0" "\x08" "CodePage\x02\0\0" "\x09" "MultiLine\x01\x01"
      "\x0B" "Environment\x03\x05\0\0\0"
      "\x36\0\0\0PKPB\x01\x04\0"
      "\x05" "Farsi\x01\x01" "\x08" "CodePage\x02\0\0" "\x09" "MultiLine\x01\0"
      "\x0B" "Environment\x02\0\0"s;
  HGLOBAL memory = nullptr;
  STATSTG status{};
  ASSERT_EQ(GetHGlobalFromStream(stream, &memory), S_OK);
  ASSERT_EQ(stream->Stat(&status, STATFLAG_NONAME), S_OK);
  EXPECT_EQ(std::string(static_cast<const char*>(GlobalLock(memory)), status.cbSize.QuadPart), bytes);
  GlobalUnlock(memory);

  ASSERT_EQ(stream->Seek({}, STREAM_SEEK_SET, nullptr), S_OK);
  auto load = [&](IUnknown* control) { return As<IPersistStreamInit>(IID_IPersistStreamInit, control)->Load(stream); };
  EXPECT_EQ(Loaded(load), kChanged);
  EXPECT_EQ(Loaded(load), kDefaults);
  stream->Release();
  for (const auto& [damaged, expected] :
       {std::pair{"\x08\0\0\0PKPB\x07\0\0\0"s, static_cast<HRESULT>(0x800A0005)},  // another version
        std::pair{"\x40\0\0\0PKPB\x01\0\0\0"s, STG_E_READFAULT}}) {                // cut short
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
    ASSERT_EQ(stream->Write(damaged.data(), 12, nullptr), S_OK);
    ASSERT_EQ(stream->Seek({}, STREAM_SEEK_SET, nullptr), S_OK);
    IUnknown* control = NewControl();
    EXPECT_EQ(As<IPersistStreamInit>(IID_IPersistStreamInit, control)->Load(stream), expected);
    control->Release();
    stream->Release();
  }
}

}  // namespace
}  // namespace pelikar::container_tests
