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
  for (int code = 0; code < 256; ++code) {
    const Byte c = static_cast<Byte>(code);
    table.typed[0][c] = tables.derived.typedOutsideSpan[c];
    table.typed[1][c] = tables.derived.typedInsideSpan[c];
    table.joins[c] = JoinsOf(tables, c);
  }
  table.typed[0]['~'] = table.typed[1]['~'] = ' ';
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

}  // namespace

const ShapingTable& ShapingTableOf(CodePage codePage) {
  static const ShapingTable nivo = Build(NivoTableSet());
  static const ShapingTable ir = Build(IrTableSet());
  return codePage == CodePage::Ir ? ir : nivo;
}

void ShapeTyped(const ShapingTable& table, Byte* h, std::size_t n) {
  if (n == 0) return;
  Byte left = 0, code = h[0];
  for (std::size_t i = 0; i + 1 < n; ++i) {
    const Byte right = h[i + 1];
    h[i] = table.Shape(left, code, right);
    left = code;
    code = right;
  }
  h[n - 1] = table.Shape(left, code, 0);
}

CodeString ConvertWithTable(const ShapingTable& table, CodeView readingOrder) {
  const std::size_t n = readingOrder.size();
  if (n == 0) return {};
  const auto* in = reinterpret_cast<const Byte*>(readingOrder.data());
  CodeString text(n, '\0');
  auto* out = reinterpret_cast<Byte*>(text.data());
  // Typed from the end of the text, as the step-by-step engine types it.
  unsigned inSpan = 0;
  std::size_t j = n - 1;
  auto typeNext = [&] {
    const Byte c = in[j--];
    inSpan ^= c == '~';
    return table.typed[inSpan][c];
  };
  Byte left = 0, code = typeNext();
  for (std::size_t i = 0; i + 1 < n; ++i) {
    const Byte right = typeNext();
    out[i] = table.Shape(left, code, right);
    left = code;
    code = right;
  }
  out[n - 1] = table.Shape(left, code, 0);
  const CodeView kept = TrimSpaces(text);
  if (kept.size() == n) return text;
  return CodeString(kept);
}

}  // namespace pelikar::encoding
