#include "encoding/table_shaper.h"

#include <array>

#include "encoding/shaping.h"
#include "encoding/shaping_rules.h"
#include "encoding/vector_shaper.h"

namespace pelikar::encoding {
namespace {

Byte JoinsOf(const TableSet& tables, Byte code) {
  const bool final = HasForm(tables, code, kFinal);
  const bool forward = HasForm(tables, code, kInitial) || HasForm(tables, code, kMedial);
  return static_cast<Byte>(final << 1 | forward);
}

// Sorts the codes into classes by what shaping adds to them and how they join.
void ClassifyForVectors(ShapingTable& table) {
  std::array<Byte, 5> kinds[32];
  int count = 0;
  table.vectorClasses = true;
  for (int code = 0; code < 256; ++code) {
    std::array<Byte, 5> kind{table.joins[code]};
    for (int side = 0; side < 4; ++side) kind[side + 1] = static_cast<Byte>(table.shaped[side][code] - code);
    int id = 0;
    while (id < count && kinds[id] != kind) ++id;
    if (id == 32) {
      table.vectorClasses = false;
      return;
    }
    if (id == count) kinds[count++] = kind;
    table.info[code] = static_cast<Byte>(table.joins[code] | id << 2);
    for (int side = 0; side < 4; ++side) table.delta[id | side << 5] = kind[side + 1];
  }
  for (int inSpan = 0; inSpan < 2; ++inSpan) {
    for (int code = 0; code < 128; ++code) {
      table.typedLow[inSpan][code] = static_cast<Byte>(table.typed[inSpan][code]);
      table.infoLow[inSpan][code] = table.info[table.typedLow[inSpan][code]];
    }
  }
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
  ClassifyForVectors(table);
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

CodeString Trimmed(CodeString text) {
  const CodeView kept = TrimSpaces(text);
  return kept.size() == text.size() ? std::move(text) : CodeString(kept);
}

}  // namespace

const ShapingTable& ShapingTableOf(CodePage codePage) {
  static const ShapingTable nivo = Build(NivoTableSet());
  static const ShapingTable ir = Build(IrTableSet());
  return codePage == CodePage::Ir ? ir : nivo;
}

// Below this many codes the vector path costs more than it saves.
constexpr std::size_t kVectorsFrom = 64;

void TypeAndShapeLines(const ShapingTable& table, CodeView lines, Byte* out) {
  if (lines.empty()) return;
  const auto* in = reinterpret_cast<const Byte*>(lines.data());
  if (lines.size() >= kVectorsFrom && detail::HasVectorPath(table)) {
    return detail::ConvertWithVectors(table, in, lines.size(), false, out);
  }
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
  if (n >= kVectorsFrom && detail::HasVectorPath(table)) {
    detail::ConvertWithVectors(table, reinterpret_cast<const Byte*>(readingOrder.data()), n, true,
                               reinterpret_cast<Byte*>(text.data()));
    return Trimmed(std::move(text));
  }
  // Typed from the end of the text, as the step-by-step engine types it.
  const auto* in = reinterpret_cast<const Byte*>(readingOrder.data()) + n;
  unsigned inSpan = 0;
  ShapeInto(table, n, [&] {
    const Byte c = *--in;
    inSpan ^= c == '~';
    return table.typed[inSpan][c];
  }, reinterpret_cast<Byte*>(text.data()));
  return Trimmed(std::move(text));
}

}  // namespace pelikar::encoding
