#include "platform/fs/FileSystem.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
  FileFacts facts;
  if (statx(folder, path, AT_STATX_SYNC_AS_STAT, STATX_BASIC_STATS | STATX_BTIME, &info) != 0) {
    return facts;
  }
  facts.size = static_cast<int64_t>(info.stx_size);
  facts.created = DayNumber(info, STATX_BTIME, info.stx_btime);
  facts.modified = DayNumber(info, STATX_MTIME, info.stx_mtime);
  facts.accessed = DayNumber(info, STATX_ATIME, info.stx_atime);
  facts.attributes = AttributesOf(info, name);
  return facts;
}

}  // namespace

double LocalDayNumber(int64_t seconds, int64_t nanoseconds) {
  const int64_t local = seconds + UtcOffsetSeconds(seconds);
  const int64_t wholeDays = local >= 0 ? local / kSecondsPerDay : (local - kSecondsPerDay + 1) / kSecondsPerDay;
  const int64_t secondOfDay = local - wholeDays * kSecondsPerDay;
  const double fraction = (static_cast<double>(secondOfDay) + static_cast<double>(nanoseconds) * 1e-9) /
                          static_cast<double>(kSecondsPerDay);
  return kUnixEpochDay + static_cast<double>(wholeDays) + fraction;
}

FileFacts QueryFile(const std::string& path) {
  return FactsAt(AT_FDCWD, path.c_str(), FileNamePart(path));
}

int32_t QueryAttributes(const std::string& path) { return QueryFile(path).attributes; }

struct FolderListing::Handle {
  DIR* dir = nullptr;
  ~Handle() {
    if (dir != nullptr) closedir(dir);
  }
};

FolderListing::FolderListing(const std::string& folder) : handle_(std::make_unique<Handle>()) {
  handle_->dir = opendir(folder.empty() ? "." : folder.c_str());
  if (handle_->dir == nullptr) openError_ = errno != 0 ? errno : EIO;
}

FolderListing::~FolderListing() = default;

bool FolderListing::Next(FolderEntry& entry) {
  if (handle_->dir == nullptr) return false;
  for (;;) {
    errno = 0;
    const dirent* item = readdir(handle_->dir);
    if (item == nullptr) {
      readError_ = errno;
      return false;
    }
    const char* name = item->d_name;
    if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
    entry.name.assign(name);
    unsigned char type = item->d_type;
    struct stat info {};
    if (type == DT_UNKNOWN && fstatat(dirfd(handle_->dir), name, &info, AT_SYMLINK_NOFOLLOW) == 0) {
      type = S_ISDIR(info.st_mode) ? DT_DIR : S_ISLNK(info.st_mode) ? DT_LNK : DT_REG;
    }
    entry.isDirectory = type == DT_DIR;
    entry.isFolderLink = type == DT_LNK && fstatat(dirfd(handle_->dir), name, &info, 0) == 0 &&
                         S_ISDIR(info.st_mode);
    return true;
  }
}

FileFacts FolderListing::Facts(const std::string& name) const {
  if (handle_->dir == nullptr) return {};
  return FactsAt(dirfd(handle_->dir), name.c_str(), name);
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
