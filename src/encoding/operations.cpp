#include "encoding/operations.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "common/run_time_error.h"
#include "encoding/convert_text.h"
#include "encoding/tables.h"
#include "common/text_number.h"

namespace pelikar::encoding {
CodeString En_Ir_To_nivo(CodeView yourStr) { return ConvertText(yourStr, CodePage::Nivo); }

CodeString En_To_Ir(CodeView yourStr) { return ConvertText(yourStr, CodePage::Ir); }

CodeString NivoFarsiChar(std::int16_t position) {
  const int letter = std::clamp<int>(position, 1, 34);
  return CodeString(1, CodeChar(AlphabetMap[letter]));
}

CodeString Nivo_To_En(CodeView yourStr) {
  CodeString keys;
  keys.reserve(yourStr.size() + 2);
  keys.push_back('~');
  // Visual order back to reading order; control characters have no key.
  for (auto it = yourStr.rbegin(); it != yourStr.rend(); ++it) {
    const auto code = static_cast<Byte>(*it);
    if (code >= 128) {
      keys.push_back(CodeChar(NivoToKeyMap[code]));
    } else if (code >= 32) {
      keys.push_back(CodeChar(code));
    }
  }
  keys.push_back('~');
  return keys;
}

CodeString Reverse(CodeView yourStr) { return CodeString(yourStr.rbegin(), yourStr.rend()); }

CodeString StrToAscStr(CodeView yourStr) {
  const CodeView text = TrimSpaces(yourStr);
  CodeString codes;
  codes.reserve(text.size() * 3);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int code = CodeAt(text, i);
    codes.push_back(CodeChar('0' + code / 100));
    codes.push_back(CodeChar('0' + code / 10 % 10));
    codes.push_back(CodeChar('0' + code % 10));
  }
  return codes;
}

CodeString AscStrToStr(CodeView yourStr) {
  CodeString text;
  text.reserve(yourStr.size() / 3 + 1);
  for (std::size_t i = 0; i < yourStr.size(); i += 3) {
    const CodeView group = TrimSpaces(yourStr.substr(i, 3));
    const std::optional<double> number = ParseTextNumber(group);
    if (!number) throw RunTimeError(kTypeMismatch, "\"" + CodeString(yourStr.substr(i, 3)) + "\" is no number");
    // A character code is a whole number; fractions round half to even.
    const double code = std::nearbyint(*number);
    if (!(code >= 0 && code <= 255)) {
      throw RunTimeError(kInvalidProcedureCall, "no character has the code " + CodeString(group));
    }
    text.push_back(CodeChar(static_cast<unsigned>(code)));
  }
  return text;
}

}  // namespace pelikar::encoding
