// The typing engine: a random field (kind, text, caret, selection, flags) and a random
// sequence of keys, each key perhaps on a field whose member access fails. Whatever is
// typed, no code 0 and, in Persian mode, no new tilde gets into the field, the caret
// stays inside the text, and a call that fails answers False and leaves the text as it
// was, as the same call on a sound field leaves it, or with the selection removed.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>

#include "../tests/native/input/memory_field.h"
#include "fuzz_support.h"
#include "thread_keyboard.h"
#include "input/typing.h"

using namespace pelikar;
using namespace pelikar::input;
using pelikar::fuzz::Require;
using pelikar::input::test::MemoryField;

namespace {

class SilentMessages final : public util::MessageBoxes {
 public:
  void Show(std::string_view) override {}
  void ShowInformation(std::string_view, std::string_view) override {}
};

constexpr const char* kTags[] = {"", "text", "shamsi", "shamsi2", "miladi", "integer", "float"};
constexpr const char* kNames[] = {"Text1", "Grid1", "Combo1", "MaskedBox1", "Label1"};

std::shared_ptr<MemoryField> RandomField(FuzzedDataProvider& input) {
  const char* name = kNames[input.ConsumeIntegralInRange<std::size_t>(0, std::size(kNames) - 1)];
  const char* tag = kTags[input.ConsumeIntegralInRange<std::size_t>(0, std::size(kTags) - 1)];
  auto field = input.ConsumeBool() ? MemoryField::Grid(name, tag) : MemoryField::TextBox(name, tag);
  field->text = input.ConsumeRandomLengthString(64);
  std::replace(field->text.begin(), field->text.end(), '\0', ' ');
  const auto length = static_cast<std::int32_t>(field->text.size());
  field->selStart = input.ConsumeIntegralInRange<std::int32_t>(0, length);
  field->selLength = input.ConsumeIntegralInRange<std::int32_t>(0, length - field->selStart);
  field->multiLine = input.ConsumeBool();
  field->locked = input.ConsumeBool();
  field->maxLength = input.ConsumeIntegralInRange<std::int32_t>(0, 80);
  return field;
}

CodeString WithoutSelection(const MemoryField& field) {
  return CodeString(field.text).erase(field.selStart, field.selLength);
}

void CheckSound(const MemoryField& field, CodeView before, bool persian) {
  Require(field.text.find('\0') == CodeString::npos, "a code 0 was written");
  if (persian) {
    Require(std::count(field.text.begin(), field.text.end(), '~') <=
                std::count(before.begin(), before.end(), '~'),
            "a tilde was written");
  }
  Require(field.selStart >= 0 && field.selStart <= static_cast<std::int32_t>(field.text.size()),
          "the caret left the text");
}

// One event on a field that may fail at a member access: its failure must leave the
// text as described above.
template <class Event>
void Deliver(MemoryField& field, FuzzedDataProvider& input, Event event) {
  MemoryField sound = field;
  const MemoryField before = field;
  if (input.ConsumeIntegralInRange(0, 15) == 0) {
    field.failAt = field.accesses + input.ConsumeIntegralInRange(0, 9);
  }
  const bool answer = event(field);
  if (field.failAt >= 0 && field.accesses > field.failAt) {
    event(sound);
    Require(!answer, "a failed call answered True");
    Require(field.text == before.text || field.text == sound.text ||
                field.text == WithoutSelection(before),
            "a failed call left a changed field");
    field = sound;
  }
  field.failAt = -1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  fuzz::MemoryKeyboard keyboard;
  SilentMessages messages;
  TypingServices services{keyboard, messages};
  TypingSettings settings;
  settings.codePage = input.ConsumeBool() ? encoding::CodePage::Ir : encoding::CodePage::Nivo;
  settings.multiLine = input.ConsumeBool();
  settings.environment = input.ConsumeIntegralInRange<std::int16_t>(-1, 9);
  keyboard.table[kNumLockKey] = input.ConsumeBool();
  auto field = RandomField(input);

  while (input.remaining_bytes() > 0) {
    const bool persian = input.ConsumeIntegralInRange(0, 7) != 0;
    keyboard.table[kScrollLockKey] = persian;
    settings.persian = persian;
    const auto key = input.ConsumeIntegral<std::int16_t>();
    const auto shift = input.ConsumeIntegralInRange<std::int16_t>(0, 7);
    const CodeString before = field->text;
    Deliver(*field, input, [&](MemoryField& f) {
      return FarsiDown(f, key, shift, settings, services);
    });
    field->OwnKeyDown(key, shift);
    // The character the key-press gets, and what the last call on the field left of it.
    const auto character = input.ConsumeIntegralInRange<std::int16_t>(0, 255);
    std::int16_t left = character;
    Deliver(*field, input, [&](MemoryField& f) {
      left = character;
      return FarsiPress(f, left, settings, services);
    });
    field->OwnKeyPress(left);
    CheckSound(*field, before, persian);
  }
  return 0;
}
