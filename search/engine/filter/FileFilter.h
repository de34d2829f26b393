#pragma once
// TFileFilter: the advanced file filter, narrowing the found-file list by size, by creation,
// last-modified and last-access date and by attributes. Its fields are named like the
// settings that hold them.

#include <array>
#include <cstdint>
#include <string>

#include "search/engine/filter/CalendarDate.h"
#include "search/engine/walk/FileList.h"

namespace search {

// An attribute test: either, must be set, must not be set.
enum TAttributeState : uint8_t { kAttributeEither = 0, kAttributeSet = 1, kAttributeNotSet = 2 };

struct TFileFilter {
  bool FilterUseSize = false;
  int64_t FilterMinSize = 0;          // 0: no lower bound
  int64_t FilterMaxSize = INT64_MAX;  // the largest value: no upper bound

  bool FilterUseCreatedDT = false;
  bool FilterCreatedDTRelative = true;
  int32_t FilterCreatedDTRelativeAmount = 1;
  std::string FilterCreatedDTRelativeUnits = "Years";
  double FilterMinCreatedDT = kMinDateTime;  // the smallest date-time: no lower bound
  double FilterMaxCreatedDT = kMaxDateTime;  // the largest date-time: no upper bound

  bool FilterUseModifiedDT = false;
  bool FilterModifiedDTRelative = true;
  int32_t FilterModifiedDTRelativeAmount = 1;
  std::string FilterModifiedDTRelativeUnits = "Years";
  double FilterMinModifiedDT = kMinDateTime;
  double FilterMaxModifiedDT = kMaxDateTime;

  bool FilterUseAccessedDT = false;
  bool FilterAccessedDTRelative = true;
  int32_t FilterAccessedDTRelativeAmount = 1;
  std::string FilterAccessedDTRelativeUnits = "Years";
  double FilterMinAccessedDT = kMinDateTime;
  double FilterMaxAccessedDT = kMaxDateTime;

  bool FilterUseAttribute = false;
  uint8_t FilterAttributeArchive = kAttributeEither;
  uint8_t FilterAttributeReadOnly = kAttributeEither;
  uint8_t FilterAttributeSystem = kAttributeEither;
  uint8_t FilterAttributeHidden = kAttributeEither;
  uint8_t FilterAttributeCompressed = kAttributeEither;

  // One of the three date parts, seen through its fields.
  struct TDatePart {
    const char* Name;  // "created", "modified", "accessed"
    double TFileListEntry::*Time;
    bool Use;
    bool Relative;
    int32_t RelativeAmount;
    const std::string& RelativeUnits;
    double Min;
    double Max;
  };
  // Created, modified and accessed, in that order.
  std::array<TDatePart, 3> DateParts() const;

  // The same three parts, to be changed.
  struct TDatePartFields {
    bool& Use;
    bool& Relative;
    int32_t& RelativeAmount;
    std::string& RelativeUnits;
    double& Min;
    double& Max;
  };
  std::array<TDatePartFields, 3> DatePartFields();

  // True when any part of the filter is switched on.
  bool Active() const;

  // Empties the target and appends every source entry that passes, in source order. Relative
  // date ranges reach back from `now`.
  void FilterFiles(const TFileList& source, TFileList& target, const TMoment& now) const;
  void FilterFiles(const TFileList& source, TFileList& target) const { FilterFiles(source, target, CurrentMoment()); }

  bool operator==(const TFileFilter&) const = default;
};

}  // namespace search
