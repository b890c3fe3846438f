#include "input/line_split.h"

#include <algorithm>

namespace pelikar::input {
namespace {

// Codes below 32 (carriage return, line feed, tab) end a line.
bool IsLineCode(char c) { return static_cast<Byte>(c) >= 32; }

}  // namespace

SplitText SplitLine(CodeView text, std::size_t caret) {
  caret = std::min(caret, text.size());
  std::size_t lineStart = caret;
  while (lineStart > 0 && IsLineCode(text[lineStart - 1])) --lineStart;
  std::size_t lineEnd = caret;
  while (lineEnd < text.size() && IsLineCode(text[lineEnd])) ++lineEnd;

  const CodeView leftPart = text.substr(lineStart, caret - lineStart);
  const CodeView rightPart = text.substr(caret, lineEnd - caret);
  CodeString split;
  split.reserve(text.size() + 2);
  split.append(text.substr(0, lineStart)).append(rightPart).append("\r\n").append(leftPart);
  const auto newCaret = static_cast<std::int32_t>(split.size());
  split.append(text.substr(lineEnd));
  return {std::move(split), newCaret};
}

}  // namespace pelikar::input
