#pragma once
// The file-system services the engine needs: folder listing, file facts, error texts and
// path rules. Plain C++; one implementation per platform.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fs/FolderHandle.h"

struct statx;

namespace platform::fs {

inline constexpr char kSeparator = '/';

// Attribute bits as the search reports them.
enum Attribute : int32_t {
  kReadOnly = 1,
  kHidden = 2,
  kSystem = 4,
  kDirectory = 16,
  kArchive = 32,
  kCompressed = 2048,
};

// What can be learnt about one file. Unavailable values: size -1, times 0, attributes -1.
struct FileFacts {
  int64_t size = -1;
  double created = 0;   // local day numbers (days since 30 December 1899)
  double modified = 0;
  double accessed = 0;
  int32_t attributes = -1;
};

// Reads the facts of the file at the path (links followed). Never throws.
FileFacts QueryFile(const std::string& path);

// The facts of a file already examined with statx (basic facts and birth time); the name
// tells whether it is hidden.
FileFacts FactsOf(const struct statx& info, std::string_view name);

// Attributes alone; -1 when they cannot be read.
int32_t QueryAttributes(const std::string& path);

// One entry of a folder listing.
struct FolderEntry {
  std::string name;            // without folder
  bool isRegular = false;      // a regular file (not a link, a device or a pipe)
  bool isDirectory = false;    // a real folder
  bool isFolderLink = false;   // a link to a folder: neither a file nor entered, so no loops
};

// Lists one folder, entry by entry, in the order the system gives them ("." and ".." left out).
class FolderListing {
 public:
  explicit FolderListing(const std::string& folder);
  // The folder at the anchor, opened relative to the anchor's open folder.
  explicit FolderListing(const FolderAnchor& where);
  ~FolderListing();
  FolderListing(const FolderListing&) = delete;
  FolderListing& operator=(const FolderListing&) = delete;

  // 0 when the folder could be opened, else the system error code.
  int OpenError() const { return openError_; }
  // Fetches the next entry; false at the end of the listing or on an error (see ReadError).
  bool Next(FolderEntry& entry);
  // The error that ended the listing early, 0 for a normal end.
  int ReadError() const { return readError_; }
  // Facts of an entry of this folder, read relative to the open folder.
  FileFacts Facts(const std::string& name) const;
  // The open folder, to open what lies below it after the listing is gone; null when the
  // folder could not be opened.
  std::shared_ptr<const FolderHandle> Handle() const { return folder_; }

 private:
  bool Fill();

  std::shared_ptr<const FolderHandle> folder_;
  std::vector<char> buffer_;
  size_t next_ = 0;  // the next record in the buffer
  size_t filled_ = 0;
  int openError_ = 0;
  int readError_ = 0;
};

// The last system error code of this thread.
int LastErrorCode();
// The system's message for an error code; empty for 0.
std::string ErrorMessage(int code);

// Converts seconds and nanoseconds since the Unix epoch to a local day number.
double LocalDayNumber(int64_t seconds, int64_t nanoseconds);

// Path rules.
bool EndsWithSeparator(std::string_view path);
std::string WithTrailingSeparator(std::string path);
std::string WithoutTrailingSeparators(std::string path);
// The text after the last separator.
std::string_view FileNamePart(std::string_view path);

}  // namespace platform::fs
