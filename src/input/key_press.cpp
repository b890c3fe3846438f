// FarsiPress: the key-press event of a host field.
#include <exception>

#include "input/field_kind.h"
#include "input/host_field.h"
#include "input/line_split.h"
#include "input/typing.h"

namespace pelikar::input {
namespace {

enum CharacterCode : std::int16_t {
  kCtrlC = 3,
  kBackspace = 8,
  kEnter = 13,
  kSpace = 32,
  kFullStop = 46
};

bool IsDigit(std::int16_t code) { return code >= '0' && code <= '9'; }
bool PassesNumberField(std::int16_t code) {
  return code == kCtrlC || code == kBackspace || IsDigit(code);
}

// Enter adds a carriage return and line feed. A locked box takes neither; a Visual
// Basic host leaves MaxLength to the control, so a box they would overfill keeps its
// lines as they are.
bool TakesLineBreak(HostField& field, const TypingSettings& settings) {
  return !field.LockedIfAny() && HasRoomFor(field, 2, settings);
}

void SplitLineAtCaret(HostField& field) {
  const CodeString text = field.Text();
  const std::int32_t caret = field.SelStart();
  const SplitText split = SplitLine(text, static_cast<std::size_t>(caret < 0 ? 0 : caret));
  field.SetText(split.text);
  field.SetSelStart(split.caret);
}

}  // namespace

bool FarsiPress(host::HostObject& object, std::int16_t& keyAscii, const TypingSettings& settings,
                TypingServices&) {
  try {
    HostField field(object);
    const TagKind tag = ReadTagKind(field);
    switch (tag) {
      case TagKind::Shamsi:
      case TagKind::Shamsi2:
      case TagKind::Miladi:
        // The digits were written into the mask at key-down.
        if (keyAscii != kBackspace && keyAscii != kCtrlC) keyAscii = 0;
        return false;
      case TagKind::Integer:
        if (!PassesNumberField(keyAscii)) keyAscii = 0;
        return false;
      case TagKind::Float: {
        const bool hasPoint = field.Text().find('.') != CodeString::npos;
        if (!(keyAscii == kFullStop && !hasPoint) && !PassesNumberField(keyAscii)) keyAscii = 0;
        return false;
      }
      default:
        break;
    }
    const FieldName name(field.Name());
    if (IsEditable(tag, name)) {
      // A grid's selection goes before a character arrives; the control codes (Enter,
      // Backspace, Ctrl+C...) are the grid's own, and need their selection in place.
      if (keyAscii >= kSpace && IsGrid(tag, name)) field.ClearSelection();
      if (keyAscii == kEnter && IsTextBox(tag, name)) {
        if (settings.multiLine && field.MultiLine() && TakesLineBreak(field, settings)) {
          SplitLineAtCaret(field);
        }
        keyAscii = 0;  // a text box never takes Enter itself
      }
    }
    // In Persian mode the character, if any, was typed at key-down.
    if (settings.persian) keyAscii = 0;
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace pelikar::input
