#include "input/caret_edit.h"

#include <algorithm>

#include "encoding/shaping.h"
#include "input/host_field.h"
#include "input/key_codes.h"

namespace pelikar::input {
namespace {

// The code at index i, 0 outside the text, as ShapeLetter takes a missing neighbour.
Byte At(CodeView text, std::size_t i) { return i < text.size() ? CodeAt(text, i) : 0; }

void Put(CodeString& text, std::size_t i, Byte code) {
  if (i < text.size()) text[i] = CodeChar(code);
}

// Settles the letter at index v against its neighbours, as the conversion engine's
// shaping pass does at that index; the neighbours may change too.
void ShapeAt(const encoding::TableSet& tables, CodeString& text, std::size_t v) {
  Byte left = v > 0 ? At(text, v - 1) : 0;
  Byte current = At(text, v);
  Byte right = At(text, v + 1);
  encoding::ShapeLetter(tables, left, current, right, At(text, v + 2));
  if (v > 0) Put(text, v - 1, left);
  Put(text, v, current);
  Put(text, v + 1, right);
}

// Settles the letters from index v to the end of their word. The engine settles every
// letter twice, as the current letter and then as the left neighbour of the next: one
// settling at the caret leaves some letters of the Ir code page (the heh and the lam,
// whose final and isolated forms share a code) in the form of a word end when the
// edit joins them on both sides.
// Past the end the step still settles the last letter, which lost its neighbour.
void SettleWordFrom(const encoding::TableSet& tables, CodeString& text, std::size_t v) {
  ShapeAt(tables, text, v);
  while (v < text.size() && CodeAt(text, v) >= 128) ShapeAt(tables, text, ++v);  // to the word's end
}

}  // namespace

void TypeAt(const encoding::TableSet& tables, CodeString& text, std::size_t caret, Byte code) {
  caret = std::min(caret, text.size());
  Byte left = caret > 0 ? At(text, caret - 1) : 0;
  Byte mid = code;
  Byte right = At(text, caret);
  encoding::ShapeLetter(tables, left, mid, right, At(text, caret + 1));
  if (IsNumberCode(mid)) {
    std::size_t end = caret;
    while (end < text.size() && IsNumberCode(CodeAt(text, end))) ++end;
    // Inside a number the neighbours are digits and keep their forms; at the caret the
    // number parts two letters, which must let go of each other.
    if (end > caret) {
      text.insert(end, 1, CodeChar(mid));
      return;
    }
  }
  if (caret > 0) Put(text, caret - 1, left);
  Put(text, caret, right);
  text.insert(caret, 1, CodeChar(mid));
  SettleWordFrom(tables, text, caret + 1);
}

void RemoveAt(const encoding::TableSet& tables, CodeString& text, std::size_t caret,
              std::size_t count) {
  if (caret + count > text.size()) return;
  text.erase(caret, count);
  SettleWordFrom(tables, text, caret);
}

void ReshapeForRemoval(const encoding::TableSet& tables, CodeString& text, std::size_t caret,
                       std::size_t count) {
  if (caret + count > text.size()) return;
  const CodeString removed = text.substr(caret, count);
  RemoveAt(tables, text, caret, count);
  text.insert(caret, removed);
}

namespace {

bool IsLineBreakAt(CodeView text, std::size_t i) {
  return i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n';
}

}  // namespace

std::size_t BackspaceWidth(CodeView text, std::size_t caret) {
  return caret >= 2 && IsLineBreakAt(text, caret - 2) ? 2 : 1;
}

std::size_t DeleteWidth(CodeView text, std::size_t caret) {
  return IsLineBreakAt(text, caret) ? 2 : 1;
}

void WriteBack(HostField& field, CodeView shown, CodeView edited) {
  if (edited == shown) return;
  const std::int32_t caret = field.SelStart();
  field.SetText(edited);
  field.SetSelStart(caret);
}

}  // namespace pelikar::input
