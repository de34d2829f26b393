#pragma once
// The moment that lies a number of minutes, hours, days, weeks, months or years before now.

#include <string>

#include "search/engine/filter/CalendarDate.h"

namespace search {

// The unit word is read without regard to case and with one trailing "s" dropped ("Years",
// "years" and "year" are the same). Minutes and hours count real time, so a change of the
// clocks in between does not stretch or shrink the span; days and weeks keep the time of day;
// months and years go back on the calendar to that date at 00:00, the day limited to the
// month's length. A negative amount counts as 0; a date before year 1 gives the smallest
// date-time. Any other word gives now unchanged. The result is a local day number.
double RelativeDate(int amount, const std::string& unit, const TMoment& now);

}  // namespace search
