// Date conversion against ICU's Persian calendar in the same process: the calendar
// fields both ways, and the date strings both ways against ICU's calendars with its
// date formatters (parse one calendar's string, format the other's). Every day of the
// Shamsi years 1300 to 1499 is converted once per iteration; x_icu is ICU's time over
// ours in processor time (the goal is 10 or more).
#include <benchmark/benchmark.h>
#include <unicode/calendar.h>
#include <unicode/gregocal.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

#include <ctime>
#include <cstdio>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "calendar/calendar_days.h"
#include "calendar/date_conversion.h"

namespace {

using namespace pelikar::calendar;

struct Day {
  ShamsiDate shamsi;
  MiladiDate miladi;
  std::string shamsiText, miladiText;
};

const std::vector<Day>& Days() {
  static const std::vector<Day> days = [] {
    std::vector<Day> all;
    for (DayNumber d = DayNumberOf(ShamsiDate{1300, 1, 1}); d < DayNumberOf(ShamsiDate{1500, 1, 1}); ++d) {
      const ShamsiDate s = ShamsiDateOf(d);
      const MiladiDate m = MiladiDateOf(d);
      char shamsiText[16], miladiText[16];
      std::snprintf(shamsiText, sizeof shamsiText, "%04d/%02d/%02d", s.year, s.month, s.day);
      std::snprintf(miladiText, sizeof miladiText, "%02d/%02d/%04d", m.day, m.month, m.year);
      all.push_back({s, m, shamsiText, miladiText});
    }
    return all;
  }();
  return days;
}

// ICU's two calendars at midnight GMT, Gregorian without its Julian change, and a
// formatter for each calendar's date strings.
struct Icu {
  Icu() {
    UErrorCode status = U_ZERO_ERROR;
    persian.reset(icu::Calendar::createInstance(icu::TimeZone::getGMT()->clone(),
                                                icu::Locale("en@calendar=persian"), status));
    gregorian = std::make_unique<icu::GregorianCalendar>(icu::TimeZone::getGMT()->clone(), status);
    gregorian->setGregorianChange(U_DATE_MIN, status);
    shamsiFormat = std::make_unique<icu::SimpleDateFormat>(u"yyyy/MM/dd", icu::Locale("en"), status);
    shamsiFormat->adoptCalendar(persian->clone());
    miladiFormat = std::make_unique<icu::SimpleDateFormat>(u"dd/MM/yyyy", icu::Locale("en"), status);
    miladiFormat->adoptCalendar(gregorian->clone());
    if (U_FAILURE(status)) throw std::runtime_error(u_errorName(status));
  }
  std::unique_ptr<icu::Calendar> persian;
  std::unique_ptr<icu::GregorianCalendar> gregorian;
  std::unique_ptr<icu::SimpleDateFormat> shamsiFormat, miladiFormat;

  // One calendar's fields set, the other's read through the shared instant.
  template <class Date>
  Date Fields(icu::Calendar& from, icu::Calendar& to, int year, int month, int day) {
    UErrorCode status = U_ZERO_ERROR;
    from.clear();
    from.set(year, month - 1, day);
    to.setTime(from.getTime(status), status);
    return {to.get(UCAL_YEAR, status), to.get(UCAL_MONTH, status) + 1, to.get(UCAL_DATE, status)};
  }
  std::string Text(icu::SimpleDateFormat& from, icu::SimpleDateFormat& to, const std::string& text) {
    UErrorCode status = U_ZERO_ERROR;
    const UDate instant = from.parse(icu::UnicodeString::fromUTF8(text), status);
    icu::UnicodeString formatted;
    std::string out;
    return to.format(instant, formatted).toUTF8String(out);
  }
};

// Seconds per iteration of each ICU benchmark, by name, for the ratios.
std::map<std::string, double> icuSeconds;

template <class Work>
void Run(benchmark::State& state, const std::string& name, bool icu, Work work) {
  const auto& days = Days();
  // Processor time: the ratio stays fair on a machine busy with other work.
  const std::clock_t start = std::clock();
  for (auto _ : state) {
    for (const Day& day : days) work(day);
  }
  const double seconds =
      static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC / static_cast<double>(state.iterations());
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * days.size()));
  if (icu) {
    icuSeconds[name] = seconds;
  } else if (icuSeconds.count(name)) {
    state.counters["x_icu"] = icuSeconds[name] / seconds;
  }
}

void BM_ShamsiToMiladiFields_Icu(benchmark::State& state) {
  Icu icu;
  Run(state, "s2m fields", true, [&](const Day& d) {
    benchmark::DoNotOptimize(icu.Fields<MiladiDate>(*icu.persian, *icu.gregorian, d.shamsi.year, d.shamsi.month, d.shamsi.day));
  });
}
void BM_ShamsiToMiladiFields(benchmark::State& state) {
  Run(state, "s2m fields", false, [](const Day& d) { benchmark::DoNotOptimize(MiladiDateOf(DayNumberOf(d.shamsi))); });
}
void BM_MiladiToShamsiFields_Icu(benchmark::State& state) {
  Icu icu;
  Run(state, "m2s fields", true, [&](const Day& d) {
    benchmark::DoNotOptimize(icu.Fields<ShamsiDate>(*icu.gregorian, *icu.persian, d.miladi.year, d.miladi.month, d.miladi.day));
  });
}
void BM_MiladiToShamsiFields(benchmark::State& state) {
  Run(state, "m2s fields", false, [](const Day& d) { benchmark::DoNotOptimize(ShamsiDateOf(DayNumberOf(d.miladi))); });
}
// ICU's strings are checked against ours once, so that both do the same work.
bool SameTexts(Icu& icu, benchmark::State& state) {
  for (const Day& d : Days()) {
    if (icu.Text(*icu.shamsiFormat, *icu.miladiFormat, d.shamsiText) != d.miladiText ||
        icu.Text(*icu.miladiFormat, *icu.shamsiFormat, d.miladiText) != d.shamsiText) {
      state.SkipWithError(("ICU differs on " + d.shamsiText).c_str());
      return false;
    }
  }
  return true;
}

void BM_Shamsi_To_Miladi_Icu(benchmark::State& state) {
  Icu icu;
  if (!SameTexts(icu, state)) return;
  Run(state, "s2m text", true, [&](const Day& d) {
    benchmark::DoNotOptimize(icu.Text(*icu.shamsiFormat, *icu.miladiFormat, d.shamsiText));
  });
}
void BM_Shamsi_To_Miladi(benchmark::State& state) {
  Run(state, "s2m text", false, [](const Day& d) { benchmark::DoNotOptimize(Shamsi_To_Miladi(d.shamsiText)); });
}
void BM_Miladi_To_Shamsi_Icu(benchmark::State& state) {
  Icu icu;
  Run(state, "m2s text", true, [&](const Day& d) {
    benchmark::DoNotOptimize(icu.Text(*icu.miladiFormat, *icu.shamsiFormat, d.miladiText));
  });
}
void BM_Miladi_To_Shamsi(benchmark::State& state) {
  Run(state, "m2s text", false, [](const Day& d) { benchmark::DoNotOptimize(Miladi_To_Shamsi(d.miladiText)); });
}

BENCHMARK(BM_ShamsiToMiladiFields_Icu)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShamsiToMiladiFields)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MiladiToShamsiFields_Icu)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MiladiToShamsiFields)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Shamsi_To_Miladi_Icu)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Shamsi_To_Miladi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Miladi_To_Shamsi_Icu)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Miladi_To_Shamsi)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
