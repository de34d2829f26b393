#pragma once
// Local day numbers (days since 30 December 1899, the time of day in the fraction) shown as
// text in the user's short date and long time format.

#include <string>

namespace search {

// The date in the locale's short form, then a blank and the time in its long form; the time
// is cut to the whole second (never rounded) and left out when it is exactly midnight.
std::string FormatDateTime(double dayNumber);
// The date in the locale's short form, a blank and the time in its long form, midnight too.
std::string FormatDateAndTime(double dayNumber);

}  // namespace search
