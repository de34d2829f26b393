#include "search/engine/filter/CalendarDate.h"

#include <chrono>
#include <cmath>

#include "platform/fs/FileSystem.h"

namespace search {
namespace {

// 30 December 1899 counted from 1 January 1970.
constexpr int64_t kEpochOffsetDays = -25569;

// Days since 1 January 1970 of a civil date (Howard Hinnant's days_from_civil).
int64_t DaysFromCivil(int64_t year, int month, int day) {
  year -= month <= 2;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

TCalendarDate CivilFromDays(int64_t days) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t dayOfEra = days - era * 146097;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
  const int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  const int64_t year = yearOfEra + era * 400 + (month <= 2);
  return {static_cast<int>(year), month, day};
}

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kLengths[month - 1];
}

double DayNumberOfDate(const TCalendarDate& date) {
  return static_cast<double>(DaysFromCivil(date.Year, date.Month, date.Day) - kEpochOffsetDays);
}

TCalendarDate DateOfDayNumber(double dayNumber) {
  return CivilFromDays(static_cast<int64_t>(std::floor(dayNumber)) + kEpochOffsetDays);
}

TMoment MomentAt(int64_t utcSeconds, int64_t nanoseconds) {
  return {platform::fs::LocalDayNumber(utcSeconds, nanoseconds), utcSeconds, nanoseconds};
}

TMoment CurrentMoment() {
  using namespace std::chrono;
  const auto sinceEpoch = system_clock::now().time_since_epoch();
  const auto secondsPart = duration_cast<seconds>(sinceEpoch);
  return MomentAt(secondsPart.count(), duration_cast<nanoseconds>(sinceEpoch - secondsPart).count());
}

}  // namespace search
