// InsertKey: a key typed into a single-line field at SavedSelStart.
#include <algorithm>

#include "encoding/tables.h"
#include "input/caret_edit.h"
#include "input/credit_box.h"
#include "input/host_field.h"
#include "input/key_codes.h"
#include "input/typing.h"

namespace pelikar::input {

void InsertKey(host::HostObject& object, std::int16_t keyCode, std::int16_t shift,
               const encoding::TableSet& tables, util::MessageBoxes& messages) {
  HostField field(object);
  const KeyStroke stroke(keyCode, shift);
  CodeString text = field.Text();
  field.SelStart();  // a field without a caret takes no typing
  if (stroke.ctrl) {
    if (stroke.key == kSKey) ShowCreditBox(messages);
    return;
  }
  const Byte code = CodeOfKey(tables, stroke.key, stroke.shift);
  const bool deleting = stroke.key == kBackspaceKey || stroke.key == kDeleteKey;
  // A key that deletes or types takes the selection away first; the selection then is
  // what Backspace deleted, and what typing replaced.
  const bool selectionRemoved = (deleting || code != 0) && field.RemoveSelection();
  if (selectionRemoved) text = field.Text();
  if (stroke.shift && (stroke.key == kLeftKey || stroke.key == kRightKey)) return;
  const CodeString shown = text;

  // SavedSelStart is the insertion point: the caret keys move it (the on-screen keyboard
  // has no other caret), the field's own caret moves by itself.
  std::int32_t position = SavedSelStart();
  const auto length = static_cast<std::int32_t>(text.size());
  switch (stroke.key) {
    case kRightKey:
      if (position < length) ++position;
      break;
    case kLeftKey:
      if (position > 0) --position;
      break;
    case kHomeKey:
      position = 0;
      break;
    case kEndKey:
      position = length;
      break;
    case kBackspaceKey: {
      // With the caret at 0 this takes the character right of it: the last one typed.
      std::size_t width = selectionRemoved ? 0 : 1;
      if (!selectionRemoved && position > 0) {
        width = BackspaceWidth(text, static_cast<std::size_t>(position));
        position -= static_cast<std::int32_t>(width);
      }
      RemoveAt(tables, text, static_cast<std::size_t>(position), width);
      field.SetSelStart(position);
      break;
    }
    case kDeleteKey:
      // The field's own Delete follows and removes one character (or line break):
      // after a removed selection a placeholder stands in for it.
      if (selectionRemoved) text.insert(std::min<std::size_t>(position, text.size()), 1, ' ');
      ReshapeForRemoval(tables, text, static_cast<std::size_t>(position),
                        DeleteWidth(text, static_cast<std::size_t>(position)));
      break;
    default:
      if (code != 0) TypeAt(tables, text, static_cast<std::size_t>(position), code);
      break;
  }
  SetSavedSelStart(position);
  WriteBack(field, shown, text);
}

}  // namespace pelikar::input
