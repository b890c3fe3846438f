// The control's four properties saved and loaded through a container's property bag
// and a stream: the values in their types, the Scroll Lock entry that loading
// switches, two controls one after the other in one stream, the dirty flag, and what
// a container may not do (make or load a control twice). (The order of the values,
// the stream's bytes and what loading makes of missing, odd or damaged values are the
// control object's rules, tested natively.)
#include <string>
#include <vector>

#include "test_site.h"

namespace pelikar::container_tests {
namespace {

using Persistence = ContainerTest;

TEST_F(Persistence, SavedPropertiesComeBackThroughABagAndAStream) {
  // Farsi False, CodePage 2 (kept as 0), MultiLine True, Environment 5; and the defaults.
  const std::vector<std::string> changed = {"Boolean False", "Integer 0", "Boolean True", "Long 5"},
                                 defaults = {"Boolean True", "Integer 0", "Boolean False", "Integer 0"};
  auto properties = [this](IUnknown* control) {
    std::vector<std::string> values;
    for (const wchar_t* name : {L"Farsi", L"CodePage", L"MultiLine", L"Environment"}) {
      values.push_back(Get(name, control));
    }
    return values;
  };
  IPersistStreamInit* first = As<IPersistStreamInit>(IID_IPersistStreamInit);
  ASSERT_EQ(first->InitNew(), S_OK);
  ASSERT_EQ(Put(L"Farsi", Variant::Short(0)), S_OK);
  ASSERT_EQ(Put(L"CodePage", Variant::Short(2)), S_OK);
  ASSERT_EQ(Put(L"MultiLine", Variant::Short(-1)), S_OK);
  ASSERT_EQ(Put(L"Environment", Variant::Long(5)), S_OK);
  TestObject* bag = new TestObject(log_, "bag");
  ASSERT_EQ(As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Save(bag, FALSE, TRUE), S_OK);
  EXPECT_EQ(first->InitNew(), E_UNEXPECTED) << "made once";
  EXPECT_EQ(As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(bag, nullptr), E_UNEXPECTED) << "or loaded once";

  // Loading switches the thread's Persian mode (Scroll Lock) to the saved one.
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_SCROLL] = 0xFF;
  SetKeyboardState(keys);
  IUnknown* loaded = NewControl();
  ASSERT_EQ(As<IPersistPropertyBag>(IID_IPersistPropertyBag, loaded)->Load(bag, nullptr), S_OK);
  EXPECT_EQ(properties(loaded), changed);
  EXPECT_EQ(As<IPersistStreamInit>(IID_IPersistStreamInit, loaded)->IsDirty(), S_FALSE);
  GetKeyboardState(keys);
  EXPECT_EQ(keys[VK_SCROLL], 0) << "saved with Farsi False";
  EXPECT_EQ(loaded->Release(), 0u);
  bag->Release();

  // The changed control, then a new one, into one stream; saving clears the dirty
  // flag only when asked to. Each reads back just its own bytes.
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
  ASSERT_EQ(stream->Seek({}, STREAM_SEEK_SET, nullptr), S_OK);
  for (const std::vector<std::string>& expected : {changed, defaults}) {
    IUnknown* control = NewControl();
    ASSERT_EQ(As<IPersistStreamInit>(IID_IPersistStreamInit, control)->Load(stream), S_OK);
    EXPECT_EQ(properties(control), expected);
    EXPECT_EQ(control->Release(), 0u);
  }
  ULARGE_INTEGER end{};
  EXPECT_EQ(stream->Seek({}, STREAM_SEEK_CUR, &end), S_OK);
  EXPECT_EQ(end.QuadPart, 0x38u + 4 + 0x36 + 4) << "each read just its own bytes";
  stream->Release();
}

}  // namespace
}  // namespace pelikar::container_tests
