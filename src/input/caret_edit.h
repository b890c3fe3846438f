#pragma once
// Edits of a field's text at a caret, with the letter forms that the edit calls for.
// The text is in visual order; caret c lies between text[c - 1] and text[c]. The
// shaping uses the code page's tables.
#include <cstddef>

#include "common/code_string.h"
#include "encoding/tables.h"

namespace pelikar::input {

// Types code at the caret with the forms it and its neighbours take. A digit, "." or
// "/" goes to the right end of the number that stands right of the caret instead, so
// that numbers read left to right inside right-to-left text.
void TypeAt(const encoding::TableSet& tables, CodeString& text, std::size_t caret, Byte code);

// Gives the characters on both sides of the count characters right of the caret the
// forms they take once those are gone, without removing them (the field's own Delete
// will). With count 0 it settles the two characters that meet at the caret.
void ReshapeForRemoval(const encoding::TableSet& tables, CodeString& text, std::size_t caret,
                       std::size_t count);

// Removes the count characters right of the caret and reshapes the two that meet.
void RemoveAt(const encoding::TableSet& tables, CodeString& text, std::size_t caret,
              std::size_t count);

// A line ends in a carriage return and line feed, which Backspace and Delete take as
// one character: the widths of what they remove left and right of the caret.
std::size_t BackspaceWidth(CodeView text, std::size_t caret);
std::size_t DeleteWidth(CodeView text, std::size_t caret);

// Writes the edited text and keeps the caret where the field has it: writing Text
// would otherwise move it. A key that changed nothing (Shift alone, Page Up...)
// writes nothing, for a write would also take the field's selection away.
class HostField;
void WriteBack(HostField& field, CodeView shown, CodeView edited);

}  // namespace pelikar::input
