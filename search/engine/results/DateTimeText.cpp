#include "search/engine/results/DateTimeText.h"

#include <cmath>
#include <ctime>

namespace search {
namespace {

constexpr double kUnixEpochDay = 25569.0;

std::string Format(const char* pattern, const struct tm& fields) {
  char buffer[128];
  const size_t length = strftime(buffer, sizeof buffer, pattern, &fields);
  return std::string(buffer, length);
}

std::string Format(double dayNumber, bool timeAtMidnight) {
  if (!std::isfinite(dayNumber) || std::fabs(dayNumber) > 3e6) return {};
  // The day number is already local time, so it is broken down without any zone shift.
  const auto seconds = static_cast<time_t>(std::llround((dayNumber - kUnixEpochDay) * 86400.0));
  struct tm fields {};
  if (gmtime_r(&seconds, &fields) == nullptr) return {};
  std::string text = Format("%x", fields);
  if (timeAtMidnight || fields.tm_hour != 0 || fields.tm_min != 0 || fields.tm_sec != 0) {
    text += ' ';
    text += Format("%X", fields);
  }
  return text;
}

}  // namespace

std::string FormatDateTime(double dayNumber) { return Format(dayNumber, false); }

std::string FormatDateAndTime(double dayNumber) { return Format(dayNumber, true); }

}  // namespace search
