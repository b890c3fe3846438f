#pragma once
// Nivo text in visual order read back as the logical Persian a person sees in the
// control, through the Unicode bridge (which its own oracles check), so that tests can
// state phrases in Persian. Digits stay ASCII.
#include <string>

#include "unicode/bridge.h"

namespace pelikar::test {

inline std::string ReadNivo(CodeView visual) {
  unicode::BridgeOptions options;
  options.digits = unicode::Digits::Ascii;
  std::string text;
  unicode::CodesToUnicode(options).Line(visual, text);
  return text;
}

}  // namespace pelikar::test
