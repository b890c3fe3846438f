#pragma once
// Masked date entry: a date field keeps its text in a mask of "_" places and "/"
// separators; digits fill the places, the caret steps over the separators, Backspace
// clears the digit left of the caret. The field's own Backspace and Delete, which
// follow the key-down, complete what the mask prepares.
#include <cstdint>
#include <optional>

#include "common/code_string.h"
#include "input/field_kind.h"
#include "input/key_codes.h"
#include "util/system_services.h"

namespace pelikar::input {

class HostField;

struct DateMask {
  CodeView mask;     // "____/__/__"
  CodeView failure;  // the message a failing key shows
};

// The mask of a date field's tag, or none for other fields.
const DateMask* MaskOf(TagKind tag);

struct MaskedText {
  CodeString text;
  std::int32_t caret;
};

// The field's text and caret after the key, or none when the key is the field's own
// (Ctrl, Shift with Left or Right). Raises RunTimeError 5 for a digit place outside a
// text the mask could not mend.
std::optional<MaskedText> EditMasked(const DateMask& mask, CodeView text, std::int32_t caret,
                                     const KeyStroke& stroke);

// Reads the field, edits and writes it back; a failure shows the mask's message.
void TypeIntoMask(HostField& field, const DateMask& mask, const KeyStroke& stroke,
                  util::MessageBoxes& messages);

}  // namespace pelikar::input
