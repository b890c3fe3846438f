// Long runs: controls created, sited, activated in place, saved and closed over and
// over, and keystrokes typed through IDispatch into a field. The process's memory,
// kernel handles, windows and GDI objects stay where they were after a warm-up:
// 10,000 cycles and 100,000 keystrokes. Each prints its figures.
#include "../leak_check.h"
#include "test_site.h"

namespace pelikar::container_tests {
namespace {

using Soak = ContainerTest;

TEST_F(Soak, ControlsCreatedSitedActivatedSavedAndClosed) {
  ExpectFlat("create, site, activate, save, close", 10000, [&] {
    IUnknown* control = module_.New();
    Site(true, control);
    IOleObject* object = As<IOleObject>(IID_IOleObject, control);
    EXPECT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_, 0, window_, &site_->position),
              S_OK);
    IStream* stream = nullptr;
    CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    EXPECT_EQ(As<IPersistStreamInit>(IID_IPersistStreamInit, control)->Save(stream, TRUE), S_OK);
    stream->Release();
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
    EXPECT_EQ(control->Release(), 0u);
    Take();
  });
}

TEST_F(Soak, KeystrokesThroughDispatch) {
  auto* control = As<IDispatch>(IID_IDispatch);
  ASSERT_EQ(com_tests::Put(control, L"Farsi", I2(-1)), S_OK);
  ExpectFlat("keystrokes, 100 a field", 100000 / 100, [&] {
    TestObject* field = NewTextBox();
    for (int i = 0; i < 100; ++i) {
      const short key = "SGHL 1BAR\b"[i % 10];
      short character = key == 8 ? key : static_cast<short>(key | 0x20);
      EXPECT_EQ(Call(control, L"FarsiDown", {field, I2(key), I2(0)}).result, S_OK);
      EXPECT_EQ(Call(control, L"FarsiPress", {field, &character}).result, S_OK);
    }
    field->Release();
  });
}

}  // namespace
}  // namespace pelikar::container_tests
