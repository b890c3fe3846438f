// The Unicode bridge both ways on any line, with any options: stored codes come out as
// well-formed UTF-8, and every character of a Unicode line is either expressed or
// reported at a column of its line.
#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz_support.h"
#include "unicode/bridge.h"
#include "unicode/utf8.h"

using namespace pelikar;
using namespace pelikar::unicode;
using pelikar::fuzz::Require;

namespace {

std::size_t CharactersIn(std::string_view utf8, bool& wellFormed) {
  std::size_t count = 0;
  wellFormed = true;
  for (std::size_t i = 0; i < utf8.size(); ++count) {
    char32_t c;
    if (!NextUtf8(utf8, i, c)) wellFormed = false;
  }
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  BridgeOptions options;
  options.page = input.ConsumeBool() ? encoding::CodePage::Ir : encoding::CodePage::Nivo;
  options.order = input.ConsumeBool() ? Order::Conversion : Order::Typed;
  options.digits = input.ConsumeBool() ? Digits::Ascii : Digits::Persian;
  const std::string line = input.ConsumeRemainingBytesAsString();

  std::string unicode;
  CodesToUnicode(options).Line(line, unicode);
  bool wellFormed;
  CharactersIn(unicode, wellFormed);
  Require(wellFormed, "to-unicode wrote malformed UTF-8");

  CodeString codes;
  std::vector<Unexpressed> unexpressed;
  UnicodeToCodes(options).Line(line, codes, unexpressed);
  const std::size_t characters = CharactersIn(line, wellFormed);
  for (const Unexpressed& missing : unexpressed) {
    Require(missing.column >= 1 && missing.column <= characters, "a column outside the line");
  }
  Require(unexpressed.empty() || codes.find(options.substitute) != CodeString::npos,
          "an unexpressed character left no substitute");
  return 0;
}
