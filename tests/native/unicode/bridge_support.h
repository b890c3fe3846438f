#pragma once
// Small helpers for the bridge's tests: whole lines through either direction.
#include <string>
#include <vector>

#include "unicode/bridge.h"
#include "unicode/utf8.h"

namespace pelikar::unicode::test {

inline std::string ToUnicodeText(CodeView codes, const BridgeOptions& options) {
  CodesToUnicode bridge(options);
  std::string out;
  bridge.Line(codes, out);
  return out;
}

inline CodeString FromUnicodeText(std::string_view text, const BridgeOptions& options,
                                  std::vector<Unexpressed>* unexpressed = nullptr) {
  UnicodeToCodes bridge(options);
  CodeString out;
  std::vector<Unexpressed> missed;
  bridge.Line(text, out, missed);
  if (unexpressed != nullptr) *unexpressed = missed;
  return out;
}

inline std::u32string Decoded(std::string_view text) {
  std::u32string out;
  for (std::size_t i = 0; i < text.size();) {
    char32_t c = 0;
    NextUtf8(text, i, c);
    out.push_back(c);
  }
  return out;
}

inline std::string Encoded(std::u32string_view text) {
  std::string out;
  for (char32_t c : text) AppendUtf8(out, c);
  return out;
}

inline BridgeOptions On(encoding::CodePage page, Order order = Order::Typed, Digits digits = Digits::Persian) {
  BridgeOptions options;
  options.page = page;
  options.order = order;
  options.digits = digits;
  return options;
}

}  // namespace pelikar::unicode::test
