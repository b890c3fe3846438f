#include "encoding/table_shaper.h"

#include "encoding/shaping.h"
#include "encoding/shaping_rules.h"

namespace pelikar::encoding {
namespace {

Byte JoinsOf(const TableSet& tables, Byte code) {
  const bool final = HasForm(tables, code, kFinal);
  const bool forward = HasForm(tables, code, kInitial) || HasForm(tables, code, kMedial);
  return static_cast<Byte>(final << 1 | forward);
}

ShapingTable Build(const TableSet& tables) {
  ShapingTable table{};
  for (int code = 0; code < 256; ++code) table.joins[code] = JoinsOf(tables, static_cast<Byte>(code));
  for (int code = 0; code < 256; ++code) {
    const Byte outside = code == '~' ? ' ' : tables.derived.typedOutsideSpan[code];
    const Byte inside = code == '~' ? ' ' : tables.derived.typedInsideSpan[code];
    table.typed[0][code] = static_cast<std::uint16_t>(outside | table.joins[outside] << 8);
    table.typed[1][code] = static_cast<std::uint16_t>(inside | table.joins[inside] << 8);
  }
  // A neighbour that joins, for each side; 0 stands for one that does not.
  Byte joinsToRight = 0, joinsForward = 0;
  for (int code = 255; code > 0; --code) {
    if (table.joins[code] & 2) joinsToRight = static_cast<Byte>(code);
    if (table.joins[code] & 1) joinsForward = static_cast<Byte>(code);
  }
  for (int side = 0; side < 4; ++side) {
    for (int code = 0; code < 256; ++code) {
      Byte h[3] = {side & 2 ? joinsToRight : Byte{0}, static_cast<Byte>(code), side & 1 ? joinsForward : Byte{0}};
      detail::ShapeText(tables, h, 3);
      table.shaped[side][code] = h[1];
    }
  }
  return table;
}

// Shapes the n codes that typeNext gives one by one (in visual order) into out.
template <class Typer>
void ShapeInto(const ShapingTable& table, std::size_t n, Typer typeNext, Byte* out) {
  std::uint16_t left = 0, code = typeNext();
  for (std::size_t i = 0; i + 1 < n; ++i) {
    const std::uint16_t right = typeNext();
    out[i] = table.Shape(left, code, right);
    left = code;
    code = right;
  }
  out[n - 1] = table.Shape(left, code, std::uint16_t{0});
}

}  // namespace

const ShapingTable& ShapingTableOf(CodePage codePage) {
  static const ShapingTable nivo = Build(NivoTableSet());
  static const ShapingTable ir = Build(IrTableSet());
  return codePage == CodePage::Ir ? ir : nivo;
}

void TypeAndShapeLines(const ShapingTable& table, CodeView lines, Byte* out) {
  if (lines.empty()) return;
  const auto* in = reinterpret_cast<const Byte*>(lines.data());
  unsigned inSpan = 0;
  ShapeInto(table, lines.size(), [&] {
    const Byte c = *in++;
    inSpan = (inSpan ^ (c == '~')) & (c != '\r');
    return table.typed[inSpan][c];
  }, out);
}

CodeString ConvertWithTable(const ShapingTable& table, CodeView readingOrder) {
  const std::size_t n = readingOrder.size();
  if (n == 0) return {};
  CodeString text(n, '\0');
  // Typed from the end of the text, as the step-by-step engine types it.
  const auto* in = reinterpret_cast<const Byte*>(readingOrder.data()) + n;
  unsigned inSpan = 0;
  ShapeInto(table, n, [&] {
    const Byte c = *--in;
    inSpan ^= c == '~';
    return table.typed[inSpan][c];
  }, reinterpret_cast<Byte*>(text.data()));
  const CodeView kept = TrimSpaces(text);
  if (kept.size() == n) return text;
  return CodeString(kept);
}

}  // namespace pelikar::encoding
