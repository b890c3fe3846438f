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

// Whether a text box takes the key. A locked box takes nothing; a Visual Basic host
// leaves MaxLength to the control, so a full box takes only the keys that shorten it.
bool TakesKey(HostField& field, int key, const TypingSettings& settings) {
  if (field.Locked()) return false;
  return HasRoomFor(field, 1, settings) || key == kBackspaceKey || key == kDeleteKey;
}

}  // namespace

bool FarsiDown(host::HostObject& object, std::int16_t keyCode, std::int16_t shift,
               const TypingSettings& settings, TypingServices& services) {
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

    const encoding::TableSet& tables = encoding::TableSetOf(settings.codePage);
    const bool persian = keyboardState[kScrollLockKey] != 0;
    const FieldName name(field.Name());
    if (IsGridLike(tag, name)) {
      SetSavedSelStart(field.SelStart());
      if (persian) InsertKey(object, key, shift, tables, services.messages);
      return true;
    }
    if (IsTextBox(tag, name)) {
      SetSavedSelStart(field.SelStart());
      if (persian && TakesKey(field, key, settings)) {
        if (settings.multiLine) {
          InsertKeyMultiLine(object, key, shift, tables);
        } else {
          InsertKey(object, key, shift, tables, services.messages);
        }
      }
    }
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace pelikar::input
