#include "search/engine/filter/RelativeDate.h"

#include <algorithm>

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

double RelativeDate(int amount, const std::string& unit, double now) {
  amount = std::max(amount, 0);
  const std::string word = UnitWord(unit);
  if (word == "MINUTE") return now - amount / 1440.0;
  if (word == "HOUR") return now - amount / 24.0;
  if (word == "DAY") return now - amount;
  if (word == "WEEK") return now - 7.0 * amount;
  if (word == "MONTH") return MonthsBefore(amount, now);
  if (word == "YEAR") return YearsBefore(amount, now);
  return now;
}

}  // namespace search
