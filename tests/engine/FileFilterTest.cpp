// The advanced file filter: sizes, relative and absolute date ranges, attribute tests, the
// calendar arithmetic behind relative months and years, and the description texts.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <optional>

#include "platform/fs/FileSystem.h"
#include "search/engine/filter/CalendarDate.h"
#include "search/engine/filter/FileFilter.h"
#include "search/engine/filter/FilterDescription.h"
#include "search/engine/filter/FormatSize.h"
#include "search/engine/filter/RelativeDate.h"

using namespace search;

namespace {

constexpr double kHour = 1.0 / 24;
constexpr double kSecond = 1.0 / 86400;

double At(int year, int month, int day, double hours = 0) { return DayNumberOfDate({year, month, day}) + hours * kHour; }

TFileListEntry Entry(int64_t size, double created, double modified, double accessed, int32_t attributes) {
  return {"/f", size, created, modified, accessed, attributes};
}

// A moment given by its local day number; spans of minutes and hours are not asked of it.
TMoment Local(double dayNumber) { return {dayNumber, 0, 0}; }

bool Passes(const TFileFilter& filter, const TFileListEntry& entry, double now) {
  TFileList source, target;
  source.AddEntry(entry);
  filter.FilterFiles(source, target, Local(now));
  return target.Count() == 1;
}

// Runs a test in one time zone, restoring the previous one afterwards.
class TZone {
 public:
  explicit TZone(const char* zone) {
    if (const char* old = std::getenv("TZ")) old_ = old;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~TZone() {
    if (old_) {
      setenv("TZ", old_->c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }

 private:
  std::optional<std::string> old_;
};

constexpr int64_t kUnixEpochDay = 25569;

// The moment whose UTC date and time are given.
TMoment Utc(int year, int month, int day, double hours) {
  const double utcDay = DayNumberOfDate({year, month, day}) + hours / 24;
  return MomentAt(static_cast<int64_t>(std::llround((utcDay - kUnixEpochDay) * 86400)));
}

}  // namespace

TEST(FormatSize, ReducesToTheLargestWholeUnit) {
  const std::pair<int64_t, const char*> cases[] = {
      {0, "0 Bytes"},          {1, "1 Bytes"},          {1536, "1536 Bytes"},
      {1024, "1 KB"},          {2048, "2 KB"},          {3 * 1024 * 1024, "3 MB"},
      {1073741824, "1 GB"},    {2048LL << 30, "2048 GB"}, {(1LL << 40) + 1024, "1073741825 KB"},
      {INT64_MAX, "9223372036854775807 Bytes"},
  };
  for (const auto& [size, text] : cases) EXPECT_EQ(FormatSize(size), text) << size;
  EXPECT_EQ(ReduceSize(3072).Number, 3);
  EXPECT_EQ(ReduceSize(3072).Unit, 1);
}

TEST(CalendarDate, DayNumbersAndDatesAgree) {
  EXPECT_EQ(DayNumberOfDate({1899, 12, 30}), 0);
  EXPECT_EQ(DayNumberOfDate({100, 1, 1}), kMinDateTime);
  EXPECT_EQ(DayNumberOfDate({9999, 12, 31}), 2958465);
  EXPECT_EQ(DateOfDayNumber(-0.25), (TCalendarDate{1899, 12, 29}));
  EXPECT_EQ(DateOfDayNumber(kMaxDateTime), (TCalendarDate{9999, 12, 31}));
  for (const TCalendarDate date : {TCalendarDate{2024, 2, 29}, TCalendarDate{1, 1, 1}, TCalendarDate{1900, 3, 1},
                                   TCalendarDate{2000, 12, 31}, TCalendarDate{-5, 6, 15}}) {
    EXPECT_EQ(DateOfDayNumber(DayNumberOfDate(date) + 0.75), date) << date.Year;
  }
  EXPECT_EQ(DaysInMonth(2024, 2), 29);
  EXPECT_EQ(DaysInMonth(1900, 2), 28);
  EXPECT_EQ(DaysInMonth(2000, 2), 29);
}

TEST(RelativeDate, EachUnitReachesBackFromNow) {
  const TZone utc("UTC");
  const TMoment moment = Utc(2024, 3, 31, 14.5);
  const double now = moment.Local;
  ASSERT_DOUBLE_EQ(now, At(2024, 3, 31, 14.5));
  struct Case {
    int amount;
    const char* unit;
    double expected;
  } cases[] = {
      {90, "minutes", now - 90.0 / 1440},
      {5, "hours", now - 5 * kHour},
      {3, "days", now - 3},
      {2, "weeks", now - 14},
      {1, "months", At(2024, 2, 29)},   // 31 March back to the end of February, a leap year
      {13, "months", At(2023, 2, 28)},  // ... and a common one
      {3, "months", At(2023, 12, 31)},
      {0, "months", At(2024, 3, 31)},   // today at 00:00
      {1, "Years", At(2023, 3, 31)},
      {1, "years", At(2023, 3, 31)},
      {2, "YEAR", At(2022, 3, 31)},
      {1, "fortnights", now},  // not a unit: the range starts now
      {-4, "days", now},       // a negative amount counts as none
      {2023, "years", At(1, 3, 31)},
      // Reaching back before year 1 gives the smallest date-time, never an invalid date.
      {2024, "years", kMinDateTime},
      {99999, "years", kMinDateTime},
      {24300, "months", kMinDateTime},
      {99999, "months", kMinDateTime},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(RelativeDate(c.amount, c.unit, moment), c.expected, 1e-9) << c.amount << " " << c.unit;
  }
  EXPECT_DOUBLE_EQ(RelativeDate(5, "months", Local(At(2024, 3, 15, 9))), At(2023, 10, 15));
  EXPECT_DOUBLE_EQ(RelativeDate(1, "years", Local(At(2024, 2, 29, 9))), At(2023, 2, 28));
  EXPECT_DOUBLE_EQ(RelativeDate(4, "years", Local(At(2024, 2, 29, 9))), At(2020, 2, 29));
  EXPECT_DOUBLE_EQ(RelativeDate(24267, "months", Local(At(2024, 3, 15))), At(1, 12, 15));
}

// At 03:45 summer time, just after the clocks went from 02:00 to 03:00, the last two hours
// began at 00:45 winter time; the last day began at 03:45 the day before.
TEST(RelativeDate, MinutesAndHoursCountRealTimeAcrossAChangeOfTheClocks) {
  const TZone berlin("Europe/Berlin");
  const TMoment now = Utc(2024, 3, 31, 1.75);
  ASSERT_DOUBLE_EQ(now.Local, At(2024, 3, 31, 3.75));
  EXPECT_NEAR(RelativeDate(2, "hours", now), At(2024, 3, 31, 0.75), 1e-9);
  EXPECT_NEAR(RelativeDate(120, "minutes", now), At(2024, 3, 31, 0.75), 1e-9);
  EXPECT_NEAR(RelativeDate(1, "days", now), At(2024, 3, 30, 3.75), 1e-9);
}

TEST(FileFilter, SizeRangesIncludeTheirBounds) {
  const double now = At(2024, 6, 1, 12);
  struct Case {
    int64_t min, max, size;
    bool passes;
  } cases[] = {
      {1024, 1024, 1023, false}, {1024, 1024, 1024, true}, {1024, 1024, 1025, false},
      {0, INT64_MAX, 0, true},   {0, INT64_MAX, INT64_MAX, true},
      {0, INT64_MAX, -1, false},  // unavailable
      {0, 10, -1, false},        {10240, INT64_MAX, 10239, false}, {10240, INT64_MAX, 1 << 30, true},
  };
  for (const Case& c : cases) {
    TFileFilter filter;
    filter.FilterUseSize = true;
    filter.FilterMinSize = c.min;
    filter.FilterMaxSize = c.max;
    EXPECT_EQ(Passes(filter, Entry(c.size, now, now, now, 32), now), c.passes) << c.min << ".." << c.max << " " << c.size;
  }
  TFileFilter unused;
  unused.FilterMinSize = 5;
  EXPECT_TRUE(Passes(unused, Entry(1, 0, 0, 0, -1), now)) << "a part whose flag is off tests nothing";
}

TEST(FileFilter, DateRangesRelativeAndAbsolute) {
  const double now = At(2024, 6, 1, 12);
  const double from = At(2024, 5, 1);
  const double to = At(2024, 5, 31, 24) - kSecond;
  struct Case {
    const char* what;
    bool relative;
    int amount;
    const char* unit;
    double min, max, time;
    bool passes;
  } cases[] = {
      {"23 hours ago", true, 1, "days", 0, 0, now - 23 * kHour, true},
      {"25 hours ago", true, 1, "days", 0, 0, now - 25 * kHour, false},
      {"in the future", true, 1, "days", 0, 0, now + 1, true},
      {"past the relative end", true, 1, "days", 0, 0, 2958465.5, false},
      {"unavailable, relative", true, 200, "years", 0, 0, 0, false},
      {"unknown unit, a second ago", true, 1, "eons", 0, 0, now - kSecond, false},
      {"unknown unit, a second ahead", true, 1, "eons", 0, 0, now + kSecond, true},
      {"lower bound", false, 0, "", from, to, from, true},
      {"upper bound", false, 0, "", from, to, to, true},
      {"before the lower bound", false, 0, "", from, to, from - kSecond, false},
      {"after the upper bound", false, 0, "", from, to, to + kSecond, false},
      {"no bounds", false, 0, "", kMinDateTime, kMaxDateTime, At(1950, 1, 1), true},
      {"no bounds, unavailable", false, 0, "", kMinDateTime, kMaxDateTime, 0, false},
  };
  for (const Case& c : cases) {
    for (size_t part = 0; part < 3; ++part) {
      TFileFilter filter;
      const TFileFilter::TDatePartFields fields = filter.DatePartFields()[part];
      fields.Use = true;
      fields.Relative = c.relative;
      fields.RelativeAmount = c.amount;
      fields.RelativeUnits = c.unit;
      fields.Min = c.min;
      fields.Max = c.max;
      TFileListEntry entry = Entry(1, now, now, now, 32);
      entry.*filter.DateParts()[part].Time = c.time;
      EXPECT_EQ(Passes(filter, entry, now), c.passes) << c.what << ", date part " << part;
    }
  }
}

TEST(FileFilter, RelativeMonthsStartAtMidnightOfTheLimitedDay) {
  TFileFilter filter;
  filter.FilterUseModifiedDT = true;
  filter.FilterModifiedDTRelativeAmount = 1;
  filter.FilterModifiedDTRelativeUnits = "months";
  const double now = At(2023, 3, 31, 10);
  EXPECT_TRUE(Passes(filter, Entry(1, now, At(2023, 2, 28), now, 32), now));
  EXPECT_FALSE(Passes(filter, Entry(1, now, At(2023, 2, 28) - kSecond, now, 32), now));
}

TEST(FileFilter, AttributeTriStates) {
  namespace fs = platform::fs;
  const double now = At(2024, 6, 1);
  TFileFilter hiddenWritable;
  hiddenWritable.FilterUseAttribute = true;
  hiddenWritable.FilterAttributeHidden = kAttributeSet;
  hiddenWritable.FilterAttributeReadOnly = kAttributeNotSet;
  TFileFilter archivedUncompressedNotSystem;
  archivedUncompressedNotSystem.FilterUseAttribute = true;
  archivedUncompressedNotSystem.FilterAttributeArchive = kAttributeSet;
  archivedUncompressedNotSystem.FilterAttributeCompressed = kAttributeNotSet;
  archivedUncompressedNotSystem.FilterAttributeSystem = kAttributeNotSet;
  TFileFilter mustBeSetOnly;
  mustBeSetOnly.FilterUseAttribute = true;
  mustBeSetOnly.FilterAttributeHidden = kAttributeSet;
  mustBeSetOnly.FilterAttributeCompressed = kAttributeSet;
  struct Case {
    const TFileFilter& filter;
    int32_t attributes;
    bool passes;
  } cases[] = {
      {hiddenWritable, fs::kHidden | fs::kArchive, true},
      {hiddenWritable, fs::kHidden | fs::kReadOnly, false},
      {hiddenWritable, fs::kArchive, false},
      {hiddenWritable, -1, false},  // unavailable: every bit counts as set
      {archivedUncompressedNotSystem, fs::kArchive | fs::kHidden | fs::kReadOnly, true},
      {archivedUncompressedNotSystem, fs::kArchive | fs::kCompressed, false},
      {archivedUncompressedNotSystem, fs::kSystem, false},
      {mustBeSetOnly, -1, true},
      {mustBeSetOnly, fs::kHidden, false},
      {mustBeSetOnly, fs::kHidden | fs::kCompressed, true},
  };
  for (const Case& c : cases) EXPECT_EQ(Passes(c.filter, Entry(1, now, now, now, c.attributes), now), c.passes) << c.attributes;
}

TEST(FileFilter, KeepsSourceOrderAndEmptiesTheTarget) {
  TFileFilter filter;
  filter.FilterUseSize = true;
  filter.FilterMinSize = 2;
  TFileList source, target;
  for (int64_t size : {5, 1, 3, 2}) source.AddEntry({"/f" + std::to_string(size), size, 1, 1, 1, 32});
  target.AddEntry({"/stale", 9, 1, 1, 1, 32});
  filter.FilterFiles(source, target, Local(1));
  ASSERT_EQ(target.Count(), 3u);
  EXPECT_EQ(target.GetEntry(0), source.GetEntry(0));
  EXPECT_EQ(target.GetEntry(1).FileName, "/f3");
  EXPECT_EQ(target.GetEntry(2).FileName, "/f2");
}

TEST(FilterDescription, LabelAndHintForEachPart) {
  // Dates are written in the C locale's short date and long time here.
  const double may1 = At(2024, 5, 1);
  const double may31 = At(2024, 5, 31, 24) - kSecond;
  struct Case {
    const char* what;
    std::function<void(TFileFilter&)> set;
    const char* label;
    const char* hint;
  } cases[] = {
      {"nothing on", [](TFileFilter&) {}, "none", ""},
      {"size, lower bound only", [](TFileFilter& f) { f.FilterUseSize = true; f.FilterMinSize = 10240; },
       "size", "size larger than 10 KB;"},
      {"size, upper bound only", [](TFileFilter& f) { f.FilterUseSize = true; f.FilterMaxSize = 1 << 20; },
       "size", "size smaller than 1 MB;"},
      {"size, both bounds",
       [](TFileFilter& f) { f.FilterUseSize = true; f.FilterMinSize = 1536; f.FilterMaxSize = 2LL << 30; },
       "size", "size between 1536 Bytes and 2 GB;"},
      {"size, no bound", [](TFileFilter& f) { f.FilterUseSize = true; }, "none", ""},
      {"modified, relative defaults", [](TFileFilter& f) { f.FilterUseModifiedDT = true; },
       "modified", "within previous 1 Years;"},
      {"created, both bounds",
       [&](TFileFilter& f) {
         f.FilterUseCreatedDT = true;
         f.FilterCreatedDTRelative = false;
         f.FilterMinCreatedDT = may1;
         f.FilterMaxCreatedDT = may31;
       },
       "created", "created between 05/01/24 00:00:00 and 05/31/24 23:59:59;"},
      {"accessed, lower bound only",
       [&](TFileFilter& f) {
         f.FilterUseAccessedDT = true;
         f.FilterAccessedDTRelative = false;
         f.FilterMinAccessedDT = may1;
       },
       "accessed", "accessed after 05/01/24 00:00:00;"},
      {"modified, upper bound only",
       [&](TFileFilter& f) {
         f.FilterUseModifiedDT = true;
         f.FilterModifiedDTRelative = false;
         f.FilterMaxModifiedDT = may31;
       },
       "modified", "modified before 05/31/24 23:59:59;"},
      {"accessed, no bound",
       [](TFileFilter& f) { f.FilterUseAccessedDT = true; f.FilterAccessedDTRelative = false; }, "accessed", ""},
      {"attributes, either everywhere", [](TFileFilter& f) { f.FilterUseAttribute = true; }, "attribute",
       "attribute"},
      {"attributes in the order A, C, R, S, H",
       [](TFileFilter& f) {
         f.FilterUseAttribute = true;
         f.FilterAttributeHidden = kAttributeSet;
         f.FilterAttributeArchive = kAttributeNotSet;
         f.FilterAttributeReadOnly = kAttributeSet;
         f.FilterAttributeCompressed = kAttributeSet;
       },
       "attribute", "attribute -A+C+R+H"},
      {"every part, one clause a line",
       [&](TFileFilter& f) {
         f.FilterUseSize = true;
         f.FilterMaxSize = 2048;
         f.FilterUseCreatedDT = true;
         f.FilterCreatedDTRelativeAmount = 3;
         f.FilterCreatedDTRelativeUnits = "days";
         f.FilterUseModifiedDT = true;
         f.FilterModifiedDTRelative = false;
         f.FilterMinModifiedDT = may1;
         f.FilterUseAccessedDT = true;
         f.FilterUseAttribute = true;
         f.FilterAttributeSystem = kAttributeNotSet;
       },
       "size, created, modified, accessed, attribute",
       "size smaller than 2 KB;\nwithin previous 3 days;\nmodified after 05/01/24 00:00:00;\n"
       "within previous 1 Years;\nattribute -S"},
  };
  for (const Case& c : cases) {
    TFileFilter filter;
    c.set(filter);
    const TFilterDescription description = DescribeFilter(filter);
    EXPECT_EQ(description.Label, c.label) << c.what;
    EXPECT_EQ(description.Hint, c.hint) << c.what;
  }
  TFileFilter two;
  two.FilterUseSize = true;
  two.FilterMinSize = 1;
  two.FilterUseAttribute = true;
  EXPECT_EQ(DescribeFilter(two).HintLines(), (std::vector<std::string>{"size larger than 1 Bytes;", "attribute"}));
  EXPECT_TRUE(DescribeFilter(TFileFilter{}).HintLines().empty());
}
