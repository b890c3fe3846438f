#include "encoding/visual_shaper.h"

#include "encoding/shaping_rules.h"

namespace pelikar::encoding {

// Writes the first `count` held codes, which are final, dropping the spaces at both
// ends of the text.
void VisualShaper::Emit(std::size_t count, CodeString& out) {
  const char* first = held_.data();
  const char* end = first + count;
  if (!wroteNonSpace_) {
    while (first < end && *first == ' ') ++first;
  }
  const char* last = end;
  while (last > first && last[-1] == ' ') --last;
  if (last == first) {
    pendingSpaces_ += end - first;
    return;
  }
  out.append(pendingSpaces_, ' ');
  out.append(first, last);
  pendingSpaces_ = end - last;
  wroteNonSpace_ = true;
}

void VisualShaper::Append(CodeView codes, CodeString& out) {
  const std::size_t start = held_.size();
  held_.resize(start + codes.size());
  auto* h = reinterpret_cast<Byte*>(held_.data());
  for (std::size_t i = 0; i < codes.size(); ++i) h[start + i] = typer_.Type(CodeAt(codes, i));
  const std::size_t i = detail::ShapeSteps(tables_, h, next_, held_.size());
  if (i == 0) return;
  // Everything before the next step's left neighbour is final.
  Emit(i - 1, out);
  held_.erase(0, i - 1);
  next_ = 1;
}

void VisualShaper::Finish(CodeString& out) {
  detail::ShapeLastSteps(tables_, reinterpret_cast<Byte*>(held_.data()), next_, held_.size());
  Emit(held_.size(), out);
  held_.clear();
  next_ = 0;
  typer_.Reset();
  wroteNonSpace_ = false;
  pendingSpaces_ = 0;
}

CodeString ShapeWholeText(const TableSet& tables, CodeView readingOrder) {
  const std::size_t n = readingOrder.size();
  CodeString text(n, '\0');
  auto* h = reinterpret_cast<Byte*>(text.data());
  SpanTyper typer(tables);
  for (std::size_t i = 0; i < n; ++i) h[i] = typer.Type(CodeAt(readingOrder, n - 1 - i));
  detail::ShapeText(tables, h, n);
  const CodeView kept = TrimSpaces(text);
  if (kept.empty()) return {};
  const std::size_t first = kept.data() - text.data();
  text.erase(first + kept.size());
  text.erase(0, first);
  return text;
}

}  // namespace pelikar::encoding
