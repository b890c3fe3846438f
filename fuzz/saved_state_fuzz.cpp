// The control's saved state from any bytes, as a stream from a user's disk gives them:
// the bag is either refused with Invalid procedure call or read, and a control loaded
// from what it read saves values that load and save again to the same bytes.
#include "../tests/native/util/service_doubles.h"
#include "common/run_time_error.h"
#include "control/control.h"
#include "fuzz_support.h"
#include "thread_keyboard.h"

using namespace pelikar;
using namespace pelikar::control;
using pelikar::fuzz::Require;

namespace {

// A form with a caption, in a container that runs.
class Form final : public host::HostObject {
 public:
  host::HostValue Get(std::string_view) override { return caption; }
  void Put(std::string_view, const host::HostValue& value) override { caption = value; }
  host::HostValue Call(std::string_view member, std::span<const host::HostValue>) override {
    throw RunTimeError(kMemberNotSupported, std::string(member));
  }
  host::HostValue caption = CodeString("Form1");
};

class RunningContainer final : public Container {
 public:
  bool UserMode() override { return true; }
  host::HostValue AmbientFont() override { return {}; }
  void PropertyChanged(std::string_view) override {}
  host::HostValue::Object ParentForm() override { return form; }
  std::shared_ptr<Form> form = std::make_shared<Form>();
};

// Loads a control from the bag and returns what it saves.
std::string LoadAndSave(MemoryPropertyBag& bag) {
  RunningContainer container;
  fuzz::MemoryKeyboard keyboard;
  util::test::FakeMachine machine;
  util::test::MemoryFileSystem files;
  util::test::RecordingFontRegistry fonts;
  util::test::RecordingMessageBoxes messages;
  Control control({container, keyboard, {machine, files, fonts, messages}});
  control.ReadProperties(bag);
  MemoryPropertyBag saved;
  control.WriteProperties(saved);
  return saved.Serialize();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  MemoryPropertyBag bag;
  try {
    bag = MemoryPropertyBag::Parse(fuzz::CodesOf(data, size));
  } catch (const RunTimeError& error) {
    Require(error.number() == kInvalidProcedureCall, "damaged bytes raised another error");
    return 0;
  }
  std::string saved;
  try {
    saved = LoadAndSave(bag);
  } catch (const RunTimeError& error) {
    return 0;  // values a control refuses (a wrong type) fail the load, as they should
  }
  MemoryPropertyBag again = MemoryPropertyBag::Parse(saved);
  Require(LoadAndSave(again) == saved, "saved state does not load back to itself");
  return 0;
}
