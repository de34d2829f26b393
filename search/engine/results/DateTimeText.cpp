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
  // The day number is already local time, so it is broken down without any zone shift. The
  // time is cut to the second, never rounded (23:59:59.6 is still the same day); the
  // allowance of a few units of the day number's last digit keeps a whole second whose day
  // number came out a hair below it.
  const double allowance = (std::nextafter(dayNumber, INFINITY) - dayNumber) * 86400.0 * 4;
  const double exact = (dayNumber - kUnixEpochDay) * 86400.0;
  const auto seconds = static_cast<time_t>(std::floor(exact + allowance));
  struct tm fields {};
  if (gmtime_r(&seconds, &fields) == nullptr) return {};
  std::string text = Format("%x", fields);
  // Only exactly midnight leaves the time out; 00:00:00.4 shows its time.
  const bool midnight = fields.tm_hour == 0 && fields.tm_min == 0 && fields.tm_sec == 0 &&
                        std::fabs(exact - static_cast<double>(seconds)) < allowance;
  if (timeAtMidnight || !midnight) {
    text += ' ';
    text += Format("%X", fields);
  }
  return text;
}

}  // namespace

std::string FormatDateTime(double dayNumber) { return Format(dayNumber, false); }

std::string FormatDateAndTime(double dayNumber) { return Format(dayNumber, true); }

}  // namespace search
