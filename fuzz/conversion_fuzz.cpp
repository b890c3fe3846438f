// The conversion engine and every conversion member, both code pages, on any bytes.
#include <algorithm>
#include <cstdint>

#include "common/run_time_error.h"
#include "encoding/convert_text.h"
#include "encoding/operations.h"
#include "fuzz_support.h"

using namespace pelikar;
using namespace pelikar::encoding;
using pelikar::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const CodeView text = fuzz::CodesOf(data, size);

  // Shaping replaces codes one for one and drops the tildes that open and close
  // spans, so a converted text is never longer than the typed one.
  for (const CodePage page : {CodePage::Nivo, CodePage::Ir}) {
    Require(ConvertText(text, page).size() <= text.size(), "ConvertText grew the text");
  }
  Require(En_Ir_To_nivo(text).size() <= text.size(), "En_Ir_To_nivo grew the text");
  Require(En_To_Ir(text).size() <= text.size(), "En_To_Ir grew the text");
  Nivo_To_En(text);

  Require(Reverse(Reverse(text)) == text, "Reverse is not its own inverse");
  const std::size_t first = std::min(text.find_first_not_of(' '), text.size());
  const CodeView trimmed = text.substr(first, text.find_last_not_of(' ') + 1 - first);
  const CodeString digits = StrToAscStr(text);
  Require(digits.size() == 3 * trimmed.size(), "StrToAscStr is not three digits a code");
  Require(AscStrToStr(digits) == trimmed, "AscStrToStr does not undo StrToAscStr");
  try {
    AscStrToStr(text);  // anything at all: a number, or a run-time error 13 or 5
  } catch (const RunTimeError& error) {
    Require(error.number() == 13 || error.number() == 5, "AscStrToStr raised another error");
  }
  if (size >= 2) {
    const auto position = static_cast<std::int16_t>(data[0] | data[1] << 8);
    Require(NivoFarsiChar(position).size() == 1, "NivoFarsiChar is not one code");
  }
  return 0;
}
