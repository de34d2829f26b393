#include "platform/registry/HiveFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/fs/ReplaceFile.h"
#include "platform/registry/HiveText.h"

namespace platform::registry {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return fd_; }
  int Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

// Reads the whole file; false with errno set on failure.
bool ReadAll(int fd, std::string& content) {
  content.clear();
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got == 0) return true;
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    content.append(buffer, static_cast<size_t>(got));
  }
}

std::string DateStamp() {
  const time_t now = ::time(nullptr);
  struct tm local {};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return text;
}

}  // namespace

HiveFile::Lock::~Lock() {
  if (fd_ >= 0) ::close(fd_);  // closing the descriptor releases the lock
}

HiveFile::Lock& HiveFile::Lock::operator=(Lock&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

HiveFile::HiveFile(std::filesystem::path folder, Root root)
    : folder_(std::move(folder)), root_(root), path_(folder_ / (std::string(RootName(root)) + ".reg")) {}

HiveFile::Lock HiveFile::Acquire() const {
  std::error_code error;
  if (std::filesystem::create_directories(folder_, error)) {
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_all, error);  // settings are private
  }
  std::filesystem::path lockPath = path_;
  lockPath += ".lock";
  FileDescriptor fd(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
  if (fd.Get() < 0) return Lock();
  while (::flock(fd.Get(), LOCK_EX) != 0) {
    if (errno != EINTR) return Lock();
  }
  return Lock(fd.Release());
}

HiveFile::ReadResult HiveFile::TryRead(std::optional<Hive>& hive, std::string& problem) const {
  FileDescriptor fd(::open(path_.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.Get() < 0 && errno == ENOENT) return ReadResult::Missing;
  std::string content;
  if (fd.Get() < 0 || !ReadAll(fd.Get(), content)) {
    problem = std::strerror(errno);
    return ReadResult::Damaged;
  }
  hive = ReadHiveText(root_, content, problem);
  return hive ? ReadResult::Ok : ReadResult::Damaged;
}

void HiveFile::MoveAside(const std::string& problem) const {
  const std::string base = path_.string() + ".damaged-" + DateStamp();
  std::string aside = base;
  for (int n = 2; std::filesystem::exists(aside); ++n) aside = base + "-" + std::to_string(n);
  if (::rename(path_.c_str(), aside.c_str()) == 0) {
    std::fprintf(stderr, "Search: the settings file %s is damaged (%s); it was moved to %s and defaults are used\n",
                 path_.c_str(), problem.c_str(), aside.c_str());
  } else {
    std::fprintf(stderr, "Search: the settings file %s is damaged (%s) and could not be moved aside (%s); defaults are used\n",
                 path_.c_str(), problem.c_str(), std::strerror(errno));
  }
}

Hive HiveFile::Load(bool locked) const {
  std::optional<Hive> hive;
  std::string problem;
  if (TryRead(hive, problem) != ReadResult::Damaged) return hive ? std::move(*hive) : Hive(root_);
  // Another process may have replaced the file meanwhile: look again under the lock before
  // moving anything.
  Lock lock;
  if (!locked) {
    lock = Acquire();
    if (!lock.Held()) return Hive(root_);
    hive.reset();
    if (TryRead(hive, problem) != ReadResult::Damaged) return hive ? std::move(*hive) : Hive(root_);
  }
  MoveAside(problem);
  return Hive(root_);
}

// A hive file that is a link (settings kept elsewhere) stays a link: its target is replaced.
bool HiveFile::Save(const Hive& hive) const {
  return platform::fs::ReplaceFileContents(path_.string(), WriteHiveText(hive), 0600) == 0;
}

}  // namespace platform::registry
