#pragma once
// The public conversion operations of the control, on code strings.
#include <cstdint>

#include "common/code_string.h"

namespace pelikar::encoding {

CodeString En_Ir_To_nivo(CodeView yourStr);
CodeString En_To_Ir(CodeView yourStr);
// The Position-th letter of the alphabet (clamped to 1-34) as a one-code Nivo string.
CodeString NivoFarsiChar(std::int16_t position);
// Nivo text back to keyboard-typed text in reading order, inside one tilde span.
CodeString Nivo_To_En(CodeView yourStr);
CodeString Reverse(CodeView yourStr);
// "abc" -> "097098099"; spaces at both ends are ignored.
CodeString StrToAscStr(CodeView yourStr);
// Groups of three characters back to codes; raises 13 for a group that is no number
// and 5 for a number outside 0-255.
CodeString AscStrToStr(CodeView yourStr);

}  // namespace pelikar::encoding
