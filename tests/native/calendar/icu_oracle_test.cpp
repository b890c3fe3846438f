// Every day of the Shamsi years 1200 to 1500 against ICU's Persian calendar and a
// proleptic Gregorian calendar: both directions, the weekday, and the day after the
// last of every month rejected. ICU is an independent oracle here and nothing more.
#include <gtest/gtest.h>
#include <unicode/calendar.h>
#include <unicode/gregocal.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>

#include <array>
#include <cstdio>
#include <memory>
#include <string>

#include "calendar/calendar_texts.h"
#include "calendar/date_conversion.h"
#include "typed_names.h"

namespace pelikar::calendar {
namespace {

struct Fields {
  int year;
  int month;  // 1-12
  int day;
};

Fields FieldsOf(const icu::Calendar& calendar) {
  UErrorCode status = U_ZERO_ERROR;
  const Fields fields{calendar.get(UCAL_YEAR, status), calendar.get(UCAL_MONTH, status) + 1,
                      calendar.get(UCAL_DATE, status)};
  EXPECT_TRUE(U_SUCCESS(status));
  return fields;
}

std::string ShamsiText(int year, int month, int day) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d", year, month, day);
  return text;
}

std::string MiladiText(int year, int month, int day) { return ShamsiText(day, month, year).substr(2); }

// Both calendars at midnight in GMT, so that one instant is one day in each.
class IcuCalendars : public testing::Test {
 protected:
  void SetUp() override {
    UErrorCode status = U_ZERO_ERROR;
    persian_.reset(icu::Calendar::createInstance(icu::TimeZone::getGMT()->clone(),
                                                 icu::Locale("fa_IR@calendar=persian"), status));
    gregorian_ = std::make_unique<icu::GregorianCalendar>(icu::TimeZone::getGMT()->clone(), status);
    // ICU's Gregorian calendar turns Julian before October 1582 unless told otherwise.
    gregorian_->setGregorianChange(U_DATE_MIN, status);
    ASSERT_TRUE(U_SUCCESS(status)) << u_errorName(status);
    ASSERT_STREQ(persian_->getType(), "persian");
  }

  // The Gregorian date and weekday (Sunday = 1) of the Persian calendar's day.
  Fields GregorianDay(int* weekday) {
    UErrorCode status = U_ZERO_ERROR;
    gregorian_->setTime(persian_->getTime(status), status);
    *weekday = gregorian_->get(UCAL_DAY_OF_WEEK, status);
    EXPECT_TRUE(U_SUCCESS(status));
    return FieldsOf(*gregorian_);
  }

  std::unique_ptr<icu::Calendar> persian_;
  std::unique_ptr<icu::GregorianCalendar> gregorian_;
};

TEST_F(IcuCalendars, AgreeOnEveryDayOfTheShamsiYears1200To1500) {
  std::array<CodeString, 7> weekdayNames;
  for (int i = 0; i < 7; ++i) weekdayNames[i] = test::Nivo(test::kTypedWeekdays[i]);

  UErrorCode status = U_ZERO_ERROR;
  persian_->clear();
  persian_->set(1200, 0, 1);
  int failures = 0;
  auto expectEq = [&failures](const std::string& actual, const std::string& expected, const std::string& what) {
    if (actual != expected) ADD_FAILURE() << what << ": " << actual << " instead of " << expected, ++failures;
  };
  Fields lastShamsi{}, lastMiladi{};
  int days = 0;
  for (; failures < 10; ++days) {
    const Fields shamsi = FieldsOf(*persian_);
    int weekday = 0;
    const Fields miladi = GregorianDay(&weekday);
    // The day after the last of a month does not exist.
    if (days > 0 && shamsi.day == 1) {
      const std::string pastTheEnd = ShamsiText(lastShamsi.year, lastShamsi.month, lastShamsi.day + 1);
      expectEq(Shamsi_To_Miladi(pastTheEnd), "", pastTheEnd);
    }
    if (days > 0 && miladi.day == 1) {
      const std::string pastTheEnd = MiladiText(lastMiladi.year, lastMiladi.month, lastMiladi.day + 1);
      expectEq(Miladi_To_Shamsi(pastTheEnd), "", pastTheEnd);
    }
    if (shamsi.year > 1500) break;

    const std::string shamsiText = ShamsiText(shamsi.year, shamsi.month, shamsi.day);
    const std::string miladiText = MiladiText(miladi.year, miladi.month, miladi.day);
    expectEq(Shamsi_To_Miladi(shamsiText), miladiText, shamsiText);
    expectEq(Miladi_To_Shamsi(miladiText), miladi.year <= 2100 ? shamsiText : "", miladiText);
    expectEq(DayOfWeek(shamsiText), weekdayNames[weekday - 1], "weekday of " + shamsiText);

    lastShamsi = shamsi;
    lastMiladi = miladi;
    persian_->add(UCAL_DATE, 1, status);
    ASSERT_TRUE(U_SUCCESS(status));
  }
  EXPECT_EQ(days, 301 * 365 + 73);  // 73 leap years: 8 in every 33, 301 = 9 * 33 + 4
}

}  // namespace
}  // namespace pelikar::calendar
