#pragma once
// Every caption, hint and message of the advanced file filter dialog, in one place.

namespace filtertexts {

inline constexpr const char* kCaption = "Advanced File Filter";

inline constexpr const char* kSize = "Filter on size";
inline constexpr const char* kCreated = "Filter on created date";
inline constexpr const char* kModified = "Filter on last modified date";
inline constexpr const char* kAccessed = "Filter on last accessed date";
inline constexpr const char* kAttributes = "Filter on attributes";

inline constexpr const char* kFrom = "from";
inline constexpr const char* kTo = "to";
inline constexpr const char* kWithin = "within last";
inline constexpr const char* kRelative = "Relative";
inline constexpr const char* kAbsolute = "Absolute";

inline constexpr const char* kSizeUnits[] = {"Bytes", "KB", "MB", "GB"};
inline constexpr const char* kDateUnits[] = {"minutes", "hours", "days", "weeks", "months", "years"};

inline constexpr const char* kArchive = " Archive ";
inline constexpr const char* kReadOnly = " Read Only ";
inline constexpr const char* kSystem = " System ";
inline constexpr const char* kHidden = " Hidden ";
inline constexpr const char* kCompressed = " Compressed ";
inline constexpr const char* kSet = "Set";
inline constexpr const char* kNotSet = "Not set";
inline constexpr const char* kEither = "Either";

inline constexpr const char* kOk = "OK";
inline constexpr const char* kCancel = "Cancel";
inline constexpr const char* kReset = "&Reset";

// Hints.
inline constexpr const char* kSizeHint = "Keep only the files whose size lies in the range.";
inline constexpr const char* kCreatedHint =
    "Keep only the files created in the range. The creation date is not recorded by every file system: "
    "a file without one passes no creation range.";
inline constexpr const char* kModifiedHint = "Keep only the files last modified in the range.";
inline constexpr const char* kAccessedHint =
    "Keep only the files last accessed in the range. Most systems note a read of an unchanged file at most once a "
    "day.";
inline constexpr const char* kAttributesHint = "Keep only the files whose attributes pass every test.";
inline constexpr const char* kArchiveHint = "Every regular file has the archive attribute.";
inline constexpr const char* kReadOnlyHint = "Read only: the owner may not write the file.";
inline constexpr const char* kSystemHint = "System: neither a regular file nor a folder (a device, socket or pipe).";
inline constexpr const char* kHiddenHint = "Hidden: the file name starts with \".\".";
inline constexpr const char* kCompressedHint = "Compressed by the file system, where it can compress.";
inline constexpr const char* kResetHint = "Clear every entry of the dialog.";

// Why OK is disabled.
inline constexpr const char* kSizeNotANumber = "Sizes must be whole numbers.";
inline constexpr const char* kSizeReversed = "The size range ends before it starts.";
inline constexpr const char* kSizeNoRoom = "The largest size must be above 0.";
inline constexpr const char* kAmountNotANumber = "The %1 range needs a whole number of units.";
inline constexpr const char* kDatesReversed = "The %1 range ends before it starts.";
inline constexpr const char* kCreatedName = "created";
inline constexpr const char* kModifiedName = "last modified";
inline constexpr const char* kAccessedName = "last accessed";

}  // namespace filtertexts
