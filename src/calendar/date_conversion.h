#pragma once
// Conversion of date strings between the Persian solar calendar (Shamsi, yyyy/mm/dd)
// and the Gregorian calendar (Miladi, dd/mm/yyyy). Fields are taken by position; a
// rejected input gives the empty string, never an error.
#include "common/code_string.h"

namespace pelikar::calendar {

CodeString Shamsi_To_Miladi(CodeView shamsStr);
CodeString Miladi_To_Shamsi(CodeView miladStr);

}  // namespace pelikar::calendar
