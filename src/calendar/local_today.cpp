// Today's date from the system clock. The one part of the calendar that asks the
// platform anything: the C run-time's local time, by the thread-safe call each
// platform has.
#include <ctime>

#include "calendar/calendar_texts.h"
#include "common/run_time_error.h"

namespace pelikar::calendar {

CivilDate LocalToday() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  const bool known = now != static_cast<std::time_t>(-1) && localtime_s(&local, &now) == 0;
#else
  const bool known = now != static_cast<std::time_t>(-1) && localtime_r(&now, &local) != nullptr;
#endif
  if (!known) throw RunTimeError(kInvalidProcedureCall, "the system clock gives no local date");
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

}  // namespace pelikar::calendar
