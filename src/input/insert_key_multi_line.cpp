// InsertKeyMultiLine: a key typed into a multi-line field at the field's own caret.
// Lines end in a carriage return and line feed, which Backspace and Delete take as one.
#include <algorithm>

#include "encoding/tables.h"
#include "input/caret_edit.h"
#include "input/host_field.h"
#include "input/key_codes.h"
#include "input/typing.h"

namespace pelikar::input {

void InsertKeyMultiLine(host::HostObject& object, std::int16_t keyCode, std::int16_t shift,
                        const encoding::TableSet& tables) {
  HostField field(object);
  const KeyStroke stroke(keyCode, shift);
  CodeString text = field.Text();
  const std::int32_t selStart = field.SelStart();
  if (stroke.ctrl) return;
  const Byte code = CodeOfKey(tables, stroke.key, stroke.shift);
  const bool deleting = stroke.key == kBackspaceKey || stroke.key == kDeleteKey;
  const bool selectionRemoved = (deleting || code != 0) && field.RemoveSelection();
  if (selectionRemoved) text = field.Text();
  if (stroke.shift && (stroke.key == kLeftKey || stroke.key == kRightKey)) return;
  const CodeString shown = text;

  std::size_t caret =
      std::min<std::size_t>(static_cast<std::size_t>(std::max(selStart, 0)), text.size());
  switch (stroke.key) {
    case kBackspaceKey:
      // The character left of the caret goes (at the start of a line too), or the line
      // break, joining two lines; at caret 0 there is nothing to take.
      if (selectionRemoved) {
        RemoveAt(tables, text, caret, 0);
      } else if (caret > 0) {
        const std::size_t width = BackspaceWidth(text, caret);
        caret -= width;
        RemoveAt(tables, text, caret, width);
        field.SetSelStart(static_cast<std::int32_t>(caret));
      }
      break;
    case kDeleteKey:
      if (selectionRemoved) text.insert(caret, 1, ' ');
      ReshapeForRemoval(tables, text, caret, DeleteWidth(text, caret));
      break;
    default:
      if (code != 0) TypeAt(tables, text, caret, code);
      break;
  }
  WriteBack(field, shown, text);
}

}  // namespace pelikar::input
