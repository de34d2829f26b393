#pragma once
// The moment that lies a number of minutes, hours, days, weeks, months or years before now.

#include <string>

namespace search {

// The unit word is read without regard to case and with one trailing "s" dropped ("Years",
// "years" and "year" are the same). Minutes to weeks keep the time of day; months and years
// go back on the calendar to that date at 00:00, the day limited to the month's length. A
// negative amount counts as 0; a date before year 1 gives the smallest date-time. Any other
// word gives `now` unchanged.
double RelativeDate(int amount, const std::string& unit, double now);

}  // namespace search
