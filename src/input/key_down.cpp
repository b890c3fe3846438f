// FarsiDown: the key-down event of a host field.
#include <exception>

#include "encoding/tables.h"
#include "input/date_mask.h"
#include "input/field_kind.h"
#include "input/host_field.h"
#include "input/key_codes.h"
#include "input/keyboard_state.h"
#include "input/typing.h"

namespace pelikar::input {
namespace {

bool IsHostZero(const control::HostValue& value) { return NumberOf(value) == 0; }

// Whether a text box takes the key. A locked box takes nothing; a Visual Basic host
// leaves MaxLength to the control, so a full box takes only the keys that shorten it.
bool TakesKey(HostField& field, int key, const control::Properties& properties) {
  if (!properties.farsi || field.Locked()) return false;
  return HasRoomFor(field, 1, properties) || key == kBackspaceKey || key == kDeleteKey;
}

}  // namespace

bool FarsiDown(control::HostObject& object, std::int16_t keyCode, std::int16_t shift,
               control::Properties& properties, TypingServices& services) {
  try {
    const KeyboardTable& keyboardState = FetchKeyboardState(services.keyboard);
    HostField field(object);
    const TagKind tag = ReadTagKind(field);
    const auto key = static_cast<std::int16_t>(WithKeypadDigits(keyCode, keyboardState));
    if (const DateMask* mask = MaskOf(tag)) {
      TypeIntoMask(field, *mask, KeyStroke(key, shift), services.messages);
      return false;
    }
    if (tag == TagKind::Integer || tag == TagKind::Float) return false;

    // Reloaded at every key: conversions in the other code page may have run between.
    encoding::LoadTables(IsHostZero(properties.codePage) ? encoding::CodePage::Nivo
                                                         : encoding::CodePage::Ir);
    properties.farsi = keyboardState[kScrollLockKey] != 0;
    const FieldName name(field.Name());
    if (IsGridLike(tag, name)) {
      SetSavedSelStart(field.SelStart());
      if (properties.farsi) InsertKey(object, key, shift, services.messages);
      return true;
    }
    if (IsTextBox(tag, name)) {
      SetSavedSelStart(field.SelStart());
      if (TakesKey(field, key, properties)) {
        if (properties.multiLine) {
          InsertKeyMultiLine(object, key, shift);
        } else {
          InsertKey(object, key, shift, services.messages);
        }
      }
    }
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace pelikar::input
