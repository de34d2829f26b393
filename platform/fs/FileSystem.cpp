#include "platform/fs/FileSystem.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/fs/PathAt.h"

namespace platform::fs {
namespace {

constexpr double kUnixEpochDay = 25569.0;  // 1 January 1970 as a day number
constexpr int64_t kSecondsPerDay = 86400;

// Offsets from UTC change only at quarter-hour boundaries, so one lookup serves a whole
// quarter hour; a small per-thread cache keeps localtime_r off the hot path of a walk.
long UtcOffsetSeconds(int64_t seconds) {
  struct Slot {
    int64_t quarter = INT64_MIN;
    long offset = 0;
  };
  thread_local std::array<Slot, 64> cache;
  const int64_t quarter = seconds >= 0 ? seconds / 900 : (seconds - 899) / 900;
  Slot& slot = cache[static_cast<size_t>(quarter) & 63];
  if (slot.quarter != quarter) {
    const time_t t = static_cast<time_t>(seconds);
    struct tm local {};
    slot.offset = localtime_r(&t, &local) ? local.tm_gmtoff : 0;
    slot.quarter = quarter;
  }
  return slot.offset;
}

// A time the file system gave as a day number; 0 (unavailable) only when it gave none. The
// Unix epoch itself is a real time: day 25569 in UTC.
double DayNumber(const struct statx& info, unsigned field, const struct statx_timestamp& stamp) {
  if ((info.stx_mask & field) == 0) return 0;
  return LocalDayNumber(stamp.tv_sec, stamp.tv_nsec);
}

int32_t AttributesOf(const struct statx& info, std::string_view name) {
  int32_t attributes = 0;
  const mode_t mode = info.stx_mode;
  if ((mode & S_IWUSR) == 0) attributes |= kReadOnly;
  if (!name.empty() && name.front() == '.') attributes |= kHidden;
  if (S_ISDIR(mode)) {
    attributes |= kDirectory;
  } else if (S_ISREG(mode)) {
    attributes |= kArchive;
  } else {
    attributes |= kSystem;
  }
  if ((info.stx_attributes_mask & STATX_ATTR_COMPRESSED) &&
      (info.stx_attributes & STATX_ATTR_COMPRESSED)) {
    attributes |= kCompressed;
  }
  return attributes;
}

FileFacts FactsAt(int folder, const char* path, std::string_view name) {
  struct statx info {};
  if (statx(folder, path, AT_STATX_SYNC_AS_STAT, STATX_BASIC_STATS | STATX_BTIME, &info) != 0) return {};
  return FactsOf(info, name);
}

}  // namespace

FileFacts FactsOf(const struct statx& info, std::string_view name) {
  FileFacts facts;
  facts.size = static_cast<int64_t>(info.stx_size);
  facts.created = DayNumber(info, STATX_BTIME, info.stx_btime);
  facts.modified = DayNumber(info, STATX_MTIME, info.stx_mtime);
  facts.accessed = DayNumber(info, STATX_ATIME, info.stx_atime);
  facts.attributes = AttributesOf(info, name);
  return facts;
}

double LocalDayNumber(int64_t seconds, int64_t nanoseconds) {
  const int64_t local = seconds + UtcOffsetSeconds(seconds);
  const int64_t wholeDays = local >= 0 ? local / kSecondsPerDay : (local - kSecondsPerDay + 1) / kSecondsPerDay;
  const int64_t secondOfDay = local - wholeDays * kSecondsPerDay;
  const double fraction = (static_cast<double>(secondOfDay) + static_cast<double>(nanoseconds) * 1e-9) /
                          static_cast<double>(kSecondsPerDay);
  return kUnixEpochDay + static_cast<double>(wholeDays) + fraction;
}

FileFacts QueryFile(const std::string& path) {
  const PathAt at(AT_FDCWD, path);
  if (at.Error() != 0) return {};
  return FactsAt(at.Folder(), at.Name(), FileNamePart(path));
}

int32_t QueryAttributes(const std::string& path) { return QueryFile(path).attributes; }

FolderListing::FolderListing(const std::string& folder) : FolderListing(FolderAnchor{nullptr, folder}) {}

FolderListing::FolderListing(const FolderAnchor& where) {
  const int base = where.base ? where.base->Descriptor() : AT_FDCWD;
  const std::string path = where.relative.empty() ? "." : where.relative;
  const PathAt at(base, path);
  if (at.Error() != 0) {
    openError_ = at.Error();
    return;
  }
  const int descriptor = openat(at.Folder(), at.Name(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) {
    openError_ = errno != 0 ? errno : EIO;
    return;
  }
  folder_ = std::make_shared<FolderHandle>(descriptor);
}

FolderListing::~FolderListing() = default;

// Reads the next batch of records; false at the end or on an error.
bool FolderListing::Fill() {
  constexpr size_t kBufferSize = 32 * 1024;
  buffer_.resize(kBufferSize);
  ssize_t count;
  do {
    count = getdents64(folder_->Descriptor(), buffer_.data(), buffer_.size());
  } while (count < 0 && errno == EINTR);
  if (count <= 0) {
    readError_ = count < 0 ? errno : 0;
    buffer_ = {};
    return false;
  }
  next_ = 0;
  filled_ = static_cast<size_t>(count);
  return true;
}

bool FolderListing::Next(FolderEntry& entry) {
  if (!folder_) return false;
  for (;;) {
    if (next_ >= filled_ && !Fill()) return false;
    const auto* record = reinterpret_cast<const dirent64*>(buffer_.data() + next_);
    next_ += record->d_reclen;
    const char* name = record->d_name;
    if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
    entry.name.assign(name);
    unsigned char type = record->d_type;
    const int descriptor = folder_->Descriptor();
    struct stat info {};
    if (type == DT_UNKNOWN && fstatat(descriptor, name, &info, AT_SYMLINK_NOFOLLOW) == 0) {
      type = S_ISDIR(info.st_mode) ? DT_DIR : S_ISLNK(info.st_mode) ? DT_LNK : S_ISREG(info.st_mode) ? DT_REG : DT_UNKNOWN;
    }
    entry.isRegular = type == DT_REG;
    entry.isDirectory = type == DT_DIR;
    entry.isFolderLink = type == DT_LNK && fstatat(descriptor, name, &info, 0) == 0 && S_ISDIR(info.st_mode);
    return true;
  }
}

FileFacts FolderListing::Facts(const std::string& name) const {
  if (!folder_) return {};
  return FactsAt(folder_->Descriptor(), name.c_str(), name);
}

int LastErrorCode() { return errno; }

std::string ErrorMessage(int code) {
  if (code == 0) return {};
  char buffer[512];
  const char* text = strerror_r(code, buffer, sizeof buffer);
  std::string message = text != nullptr ? text : "";
  if (!message.empty() && message.back() == '\n') message.pop_back();
  if (!message.empty() && message.back() == '\r') message.pop_back();
  return message;
}

bool EndsWithSeparator(std::string_view path) { return !path.empty() && path.back() == kSeparator; }

std::string WithTrailingSeparator(std::string path) {
  if (!path.empty() && !EndsWithSeparator(path)) path.push_back(kSeparator);
  return path;
}

std::string WithoutTrailingSeparators(std::string path) {
  while (EndsWithSeparator(path)) path.pop_back();
  return path;
}

std::string_view FileNamePart(std::string_view path) {
  const size_t last = path.rfind(kSeparator);
  return last == std::string_view::npos ? path : path.substr(last + 1);
}

}  // namespace platform::fs
