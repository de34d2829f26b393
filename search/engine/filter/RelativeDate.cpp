#include "search/engine/filter/RelativeDate.h"

#include <algorithm>
#include <cstdint>

#include "search/engine/TextRules.h"
#include "search/engine/filter/CalendarDate.h"

namespace search {
namespace {

std::string UnitWord(const std::string& unit) {
  std::string word = AsciiUpper(unit);
  if (!word.empty() && word.back() == 'S') word.pop_back();
  return word;
}

// The date at 00:00, its day limited to the month's length; before year 1 the smallest date-time.
double StartOfDate(TCalendarDate date) {
  if (date.Year < 1) return kMinDateTime;
  date.Day = std::min(date.Day, DaysInMonth(date.Year, date.Month));
  return DayNumberOfDate(date);
}

double SecondsBefore(int64_t seconds, const TMoment& now) {
  return MomentAt(now.UtcSeconds - seconds, now.Nanoseconds).Local;
}

double MonthsBefore(int amount, double now) {
  TCalendarDate date = DateOfDayNumber(now);
  date.Year -= amount / 12;
  date.Month -= amount % 12;
  while (date.Month <= 0) {
    date.Month += 12;
    date.Year -= 1;
  }
  return StartOfDate(date);
}

double YearsBefore(int amount, double now) {
  TCalendarDate date = DateOfDayNumber(now);
  date.Year -= amount;
  return StartOfDate(date);
}

}  // namespace

double RelativeDate(int amount, const std::string& unit, const TMoment& now) {
  amount = std::max(amount, 0);
  const std::string word = UnitWord(unit);
  if (word == "MINUTE") return SecondsBefore(int64_t{amount} * 60, now);
  if (word == "HOUR") return SecondsBefore(int64_t{amount} * 3600, now);
  if (word == "DAY") return now.Local - amount;
  if (word == "WEEK") return now.Local - 7.0 * amount;
  if (word == "MONTH") return MonthsBefore(amount, now.Local);
  if (word == "YEAR") return YearsBefore(amount, now.Local);
  return now.Local;
}

}  // namespace search
