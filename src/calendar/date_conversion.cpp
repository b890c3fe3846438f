#include "calendar/date_conversion.h"

#include "calendar/calendar_days.h"
#include "calendar/date_strings.h"
#include "calendar/empty_on_failure.h"

namespace pelikar::calendar {

CodeString Shamsi_To_Miladi(CodeView shamsStr) {
  return EmptyOnFailure([shamsStr]() -> CodeString {
    const auto date = ReadShamsiString(shamsStr);
    if (!date) return {};
    return MiladiString(MiladiDateOf(DayNumberOf(*date)));
  });
}

CodeString Miladi_To_Shamsi(CodeView miladStr) {
  return EmptyOnFailure([miladStr]() -> CodeString {
    const auto date = ReadMiladiString(miladStr);
    if (!date) return {};
    return ShamsiString(ShamsiDateOf(DayNumberOf(*date)));
  });
}

}  // namespace pelikar::calendar
