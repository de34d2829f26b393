// Day numbers shown as dates and times: cut to the second, never rounded, in any time zone.

#include "search/engine/results/DateTimeText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <ctime>
#include <string>

#include "platform/fs/FileSystem.h"

using namespace search;

namespace {

// Sets the time zone for one scope.
class ScopedZone {
 public:
  explicit ScopedZone(const char* zone) {
    ::setenv("TZ", zone, 1);
    ::tzset();
  }
  ~ScopedZone() {
    ::unsetenv("TZ");
    ::tzset();
  }
};

// The Unix time of a local wall-clock time in a zone `offset` seconds east of UTC.
int64_t LocalInstant(int year, int month, int day, int hour, int minute, int second, int64_t offset) {
  struct tm fields {};
  fields.tm_year = year - 1900;
  fields.tm_mon = month - 1;
  fields.tm_mday = day;
  fields.tm_hour = hour;
  fields.tm_min = minute;
  fields.tm_sec = second;
  return static_cast<int64_t>(::timegm(&fields)) - offset;
}

}  // namespace

TEST(DateTimeText, TimesAreCutToTheSecondNeverRounded) {
  std::setlocale(LC_TIME, "C");
  const struct {
    const char* zone;
    int64_t offset;  // seconds east of UTC, without summer time in March
  } zones[] = {{"UTC", 0}, {"Asia/Kolkata", 19800}};
  const struct {
    int hour, minute, second;
    int64_t nanoseconds;
    const char* shown;
  } cases[] = {
      {23, 59, 59, 600'000'000, "03/04/20 23:59:59"},  // not the next day
      {0, 0, 0, 400'000'000, "03/04/20 00:00:00"},     // not midnight
      {12, 30, 0, 700'000'000, "03/04/20 12:30:00"},
      {12, 30, 0, 0, "03/04/20 12:30:00"},
      {0, 0, 0, 0, "03/04/20"},                        // exactly midnight: no time
      {0, 0, 1, 0, "03/04/20 00:00:01"},
      {23, 59, 59, 999'000'000, "03/04/20 23:59:59"},
  };
  for (const auto& zone : zones) {
    ScopedZone scoped(zone.zone);
    for (const auto& c : cases) {
      const int64_t instant = LocalInstant(2020, 3, 4, c.hour, c.minute, c.second, zone.offset);
      EXPECT_EQ(FormatDateTime(platform::fs::LocalDayNumber(instant, c.nanoseconds)), c.shown)
          << zone.zone << " " << c.shown;
    }
  }
}

TEST(DateTimeText, TheUnixEpochIsADate) {
  std::setlocale(LC_TIME, "C");
  ScopedZone utc("UTC");
  EXPECT_EQ(platform::fs::LocalDayNumber(0, 0), 25569.0);
  EXPECT_EQ(FormatDateTime(25569.0), "01/01/70");
}
