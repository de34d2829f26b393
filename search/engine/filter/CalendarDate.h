#pragma once
// Calendar dates and local day numbers (days since 30 December 1899, the time of day in the
// fraction), on the proleptic Gregorian calendar.

#include <cstdint>

namespace search {

// The smallest and largest date-times: 1 January 100, 00:00 and 31 December 9999, 23:59:59.136.
inline constexpr double kMinDateTime = -657434.0;
inline constexpr double kMaxDateTime = 2958465.99999;

struct TCalendarDate {
  int Year = 1899;
  int Month = 12;  // 1..12
  int Day = 30;    // 1..31
  bool operator==(const TCalendarDate&) const = default;
};

bool IsLeapYear(int year);
// The length of the month in that year, leap years counted.
int DaysInMonth(int year, int month);
// The day number of the date at 00:00.
double DayNumberOfDate(const TCalendarDate& date);
// The date on which the moment lies (its whole day, counted downwards for earlier moments).
TCalendarDate DateOfDayNumber(double dayNumber);
// A moment both as the local day number and as the time since the Unix epoch, so that spans of
// minutes and hours can be counted in real time across a change of the clocks.
struct TMoment {
  double Local = 0;
  int64_t UtcSeconds = 0;
  int64_t Nanoseconds = 0;
};

TMoment MomentAt(int64_t utcSeconds, int64_t nanoseconds = 0);
TMoment CurrentMoment();

}  // namespace search
