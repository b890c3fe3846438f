#include "encoding/convert_text.h"

#include <algorithm>

#include "encoding/shaping.h"
#include "encoding/visual_shaper.h"

namespace pelikar::encoding {

// The first pass: an uppercase J is the tatweel wherever it stands. The Nivo
// conversion takes codes 128-255 as Ir text and turns them into the Nivo codes of the
// same letters; the Ir conversion keeps them, as they already are Ir codes.
Byte VisualShaper::Admit(Byte code) {
  if (code == 'J') {
    code = tables_.shiftKeyMap['J'];
  } else if (code >= 128 && tables_.codePage == CodePage::Nivo) {
    code = IrToNivoMap[code];
  }
  // Tildes open and close the typed spans and leave a space behind.
  if (code == '~') {
    inSpan_ = !inSpan_;
    code = ' ';
  }
  if (inSpan_ && code >= 32 && code < 128) code = tables_.keyMap[code];
  return code;
}

void VisualShaper::Emit(Byte code, CodeString& out) {
  if (code == ' ') {
    if (emittedLetter_) ++pendingSpaces_;
    return;
  }
  out.append(pendingSpaces_, ' ');
  pendingSpaces_ = 0;
  out.push_back(CodeChar(code));
  emittedLetter_ = true;
}

// Shapes the code at held_[i] against its neighbours; past the end of the text a
// neighbour is 0 and is not written back.
void VisualShaper::Step(std::size_t i) {
  Byte dummyLeft = 0, dummyRight = 0;
  Byte& left = i > 0 ? reinterpret_cast<Byte&>(held_[i - 1]) : dummyLeft;
  Byte& current = reinterpret_cast<Byte&>(held_[i]);
  Byte& right = i + 1 < held_.size() ? reinterpret_cast<Byte&>(held_[i + 1]) : dummyRight;
  const Byte right2 = i + 2 < held_.size() ? CodeAt(held_, i + 2) : 0;
  ShapeLetter(tables_, left, current, right, right2);
}

void VisualShaper::Append(CodeView codes, CodeString& out) {
  const std::size_t start = held_.size();
  held_.resize(start + codes.size());
  for (std::size_t i = 0; i < codes.size(); ++i) held_[start + i] = CodeChar(Admit(CodeAt(codes, i)));

  // A step needs the two codes after its own.
  std::size_t i = next_;
  for (; i + 2 < held_.size(); ++i) Step(i);
  if (i == 0) return;
  // Everything before the last step's left neighbour is final.
  const std::size_t final = i - 1;
  for (std::size_t k = 0; k < final; ++k) Emit(CodeAt(held_, k), out);
  held_.erase(0, final);
  next_ = 1;
}

void VisualShaper::Finish(CodeString& out) {
  for (std::size_t i = next_; i < held_.size(); ++i) Step(i);
  for (char code : held_) Emit(static_cast<Byte>(code), out);
  held_.clear();
  next_ = 0;
  inSpan_ = false;
  emittedLetter_ = false;
  pendingSpaces_ = 0;
}

CodeString ReverseText(CodeView text) { return CodeString(text.rbegin(), text.rend()); }

CodeString ConvertText(CodeView text, CodePage variant) {
  LoadTables(variant);
  // The text is typed in reading order; visual order is its reverse.
  const CodeString visual = ReverseText(text);
  CodeString out;
  out.reserve(text.size());
  VisualShaper shaper(TableSetOf(variant));
  shaper.Append(visual, out);
  shaper.Finish(out);
  return out;
}

}  // namespace pelikar::encoding
