#include "search/engine/filter/FileFilter.h"

#include "platform/fs/FileSystem.h"
#include "search/engine/filter/RelativeDate.h"

namespace search {
namespace {

// The bounds of one date part as this search applies them.
struct TDateRange {
  double TFileListEntry::*Time;
  double Lower;
  double Upper;
};

// A relative range runs up to 31 December 9999, 00:00.
constexpr double kRelativeUpperBound = 2958465.0;

bool AttributeHolds(uint8_t state, int32_t attributes, int32_t bit) {
  switch (state) {
    case kAttributeSet: return (attributes & bit) != 0;
    case kAttributeNotSet: return (attributes & bit) == 0;
    default: return true;
  }
}

// Attributes that could not be read (-1) have every bit set.
bool AttributesHold(const TFileFilter& filter, int32_t attributes) {
  namespace fs = platform::fs;
  return AttributeHolds(filter.FilterAttributeArchive, attributes, fs::kArchive) &&
         AttributeHolds(filter.FilterAttributeReadOnly, attributes, fs::kReadOnly) &&
         AttributeHolds(filter.FilterAttributeSystem, attributes, fs::kSystem) &&
         AttributeHolds(filter.FilterAttributeHidden, attributes, fs::kHidden) &&
         AttributeHolds(filter.FilterAttributeCompressed, attributes, fs::kCompressed);
}

// An unavailable time (0) lies in no range: a creation time the file system does not record
// says nothing about when the file was made.
bool InRange(const TDateRange& range, const TFileListEntry& entry) {
  const double time = entry.*range.Time;
  return time != 0 && range.Lower <= time && time <= range.Upper;
}

}  // namespace

std::array<TFileFilter::TDatePart, 3> TFileFilter::DateParts() const {
  return {{
      {"created", &TFileListEntry::Created, FilterUseCreatedDT, FilterCreatedDTRelative,
       FilterCreatedDTRelativeAmount, FilterCreatedDTRelativeUnits, FilterMinCreatedDT, FilterMaxCreatedDT},
      {"modified", &TFileListEntry::Modified, FilterUseModifiedDT, FilterModifiedDTRelative,
       FilterModifiedDTRelativeAmount, FilterModifiedDTRelativeUnits, FilterMinModifiedDT, FilterMaxModifiedDT},
      {"accessed", &TFileListEntry::Accessed, FilterUseAccessedDT, FilterAccessedDTRelative,
       FilterAccessedDTRelativeAmount, FilterAccessedDTRelativeUnits, FilterMinAccessedDT, FilterMaxAccessedDT},
  }};
}

std::array<TFileFilter::TDatePartFields, 3> TFileFilter::DatePartFields() {
  return {{
      {FilterUseCreatedDT, FilterCreatedDTRelative, FilterCreatedDTRelativeAmount, FilterCreatedDTRelativeUnits,
       FilterMinCreatedDT, FilterMaxCreatedDT},
      {FilterUseModifiedDT, FilterModifiedDTRelative, FilterModifiedDTRelativeAmount, FilterModifiedDTRelativeUnits,
       FilterMinModifiedDT, FilterMaxModifiedDT},
      {FilterUseAccessedDT, FilterAccessedDTRelative, FilterAccessedDTRelativeAmount, FilterAccessedDTRelativeUnits,
       FilterMinAccessedDT, FilterMaxAccessedDT},
  }};
}

bool TFileFilter::Active() const {
  return FilterUseSize || FilterUseCreatedDT || FilterUseModifiedDT || FilterUseAccessedDT || FilterUseAttribute;
}

void TFileFilter::FilterFiles(const TFileList& source, TFileList& target, const TMoment& now) const {
  target.Clear();
  std::vector<TDateRange> ranges;
  for (const TDatePart& part : DateParts()) {
    if (!part.Use) continue;
    if (part.Relative) {
      ranges.push_back({part.Time, RelativeDate(part.RelativeAmount, part.RelativeUnits, now), kRelativeUpperBound});
    } else {
      ranges.push_back({part.Time, part.Min, part.Max});
    }
  }
  for (size_t i = 0; i < source.Count(); ++i) {
    const TFileListEntry& entry = source.GetEntry(i);
    if (FilterUseSize && !(FilterMinSize <= entry.Size && entry.Size <= FilterMaxSize)) continue;
    bool passes = true;
    for (const TDateRange& range : ranges) passes = passes && InRange(range, entry);
    if (!passes) continue;
    if (FilterUseAttribute && !AttributesHold(*this, entry.Attributes)) continue;
    target.AddEntry(entry);
  }
}

}  // namespace search
