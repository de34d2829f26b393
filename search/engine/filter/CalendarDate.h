#pragma once
// Calendar dates and local day numbers (days since 30 December 1899, the time of day in the
// fraction), on the proleptic Gregorian calendar.

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
// The current local date and time as a day number.
double CurrentDayNumber();

}  // namespace search
