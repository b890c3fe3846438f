// The date strings both ways, the calendar texts, SystemDate for any clock and
// SpellNum for any number.
#include <cstring>

#include <fuzzer/FuzzedDataProvider.h>

#include "calendar/calendar_texts.h"
#include "calendar/date_conversion.h"
#include "calendar/date_strings.h"
#include "fuzz_support.h"
#include "numbers/spell_number.h"

using namespace pelikar;
using namespace pelikar::calendar;
using pelikar::numbers::SpellNum;
using pelikar::fuzz::Require;

namespace {

// A Shamsi string and its Miladi date are one day: each converts back to the other,
// written in its standard form, wherever the calendar's range lets the other be read
// (a year below 1000 is written without padding and cannot be read back by position,
// and Shamsi years run a little past the last Miladi one).
void CheckRoundTrips(CodeView text) {
  if (const CodeString miladi = Shamsi_To_Miladi(text); !miladi.empty()) {
    const auto shamsi = ReadShamsiString(text);
    Require(shamsi.has_value(), "a Shamsi string converted that does not read");
    Require(!ReadMiladiString(miladi) || Miladi_To_Shamsi(miladi) == ShamsiString(*shamsi),
            "Shamsi round trip");
  }
  if (const CodeString shamsi = Miladi_To_Shamsi(text); !shamsi.empty()) {
    const auto miladi = ReadMiladiString(text);
    Require(miladi.has_value(), "a Miladi string converted that does not read");
    Require(!ReadShamsiString(shamsi) || Shamsi_To_Miladi(shamsi) == MiladiString(*miladi),
            "Miladi round trip");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  double number;
  const auto bits = input.ConsumeBytes<std::uint8_t>(sizeof number);
  if (bits.size() == sizeof number) {
    std::memcpy(&number, bits.data(), sizeof number);
    SpellNum(number);
  }
  const int year = input.ConsumeIntegral<int>();
  const int month = input.ConsumeIntegral<int>();
  const int day = input.ConsumeIntegral<int>();
  SystemDate([&] { return CivilDate{year, month, day}; });

  const std::string text = input.ConsumeRemainingBytesAsString();
  CheckRoundTrips(text);
  DayOfWeek(text);
  MonthOfYear(text);
  SpellDate(text);
  return 0;
}
