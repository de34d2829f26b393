#include "platform/registry/HiveFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/registry/HiveText.h"

namespace platform::registry {
namespace {

enum class ReadOutcome { Ok, Failed, TooLarge };

// Reads the whole file, at most `limit` bytes; Failed with errno set on a read error.
ReadOutcome ReadAll(int fd, size_t limit, std::string& content) {
  content.clear();
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got == 0) return ReadOutcome::Ok;
    if (got < 0) {
      if (errno == EINTR) continue;
      return ReadOutcome::Failed;
    }
    if (content.size() + static_cast<size_t>(got) > limit) return ReadOutcome::TooLarge;
    content.append(buffer, static_cast<size_t>(got));
  }
}

bool WriteAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t done = ::write(fd, content.data(), content.size());
    if (done < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    content.remove_prefix(static_cast<size_t>(done));
  }
  return true;
}

std::string DateStamp() {
  const time_t now = ::time(nullptr);
  struct tm local {};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return text;
}

std::string TooLarge() { return "it is larger than " + std::to_string(kMaxHiveTextSize >> 20) + " MB"; }

// Why a file of these facts cannot be a hive file; empty when it can.
std::string UnfitFile(const struct stat& facts) {
  if (!S_ISREG(facts.st_mode)) return "it is not a regular file";
  if (static_cast<uint64_t>(facts.st_size) > kMaxHiveTextSize) return TooLarge();
  return {};
}

}  // namespace

FileIdentity FileIdentity::Of(const struct stat& facts) {
  return FileIdentity{static_cast<uint64_t>(facts.st_dev), static_cast<uint64_t>(facts.st_ino),
                      static_cast<int64_t>(facts.st_size), facts.st_mtim.tv_sec, facts.st_mtim.tv_nsec,
                      facts.st_ctim.tv_sec, facts.st_ctim.tv_nsec};
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
  if (!fd.IsOpen()) return Lock();
  while (::flock(fd.Get(), LOCK_EX) != 0) {
    if (errno != EINTR) return Lock();
  }
  return Lock(fd.Release());
}

HiveFile::Presence HiveFile::Look(FileIdentity& identity) const {
  struct stat facts {};
  if (::stat(path_.c_str(), &facts) != 0) return errno == ENOENT ? Presence::Missing : Presence::Unreadable;
  identity = FileIdentity::Of(facts);
  return Presence::Present;
}

HiveFile::ReadResult HiveFile::TryRead(Reading& reading) const {
  auto unreadable = [&] {
    reading.problem = std::strerror(errno);
    return ReadResult::Unreadable;
  };
  auto damaged = [&](std::string why) {
    reading.problem = std::move(why);
    return ReadResult::Damaged;
  };
  // The type is looked at before opening: opening a pipe would wait for a writer, and opening
  // some devices does something.
  struct stat facts {};
  if (::stat(path_.c_str(), &facts) != 0) return errno == ENOENT ? ReadResult::Missing : unreadable();
  if (std::string why = UnfitFile(facts); !why.empty()) return damaged(why);
  FileDescriptor fd(::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (!fd.IsOpen()) return errno == ENOENT ? ReadResult::Missing : unreadable();
  // It may have been replaced between the look and the opening.
  if (::fstat(fd.Get(), &facts) != 0) return unreadable();
  if (std::string why = UnfitFile(facts); !why.empty()) return damaged(why);
  std::string content;
  switch (ReadAll(fd.Get(), kMaxHiveTextSize, content)) {
    case ReadOutcome::Failed:
      return unreadable();
    case ReadOutcome::TooLarge:
      return damaged(TooLarge());
    case ReadOutcome::Ok:
      break;
  }
  std::string problem;
  std::optional<Hive> hive = ReadHiveText(root_, content, problem);
  if (!hive) return damaged(problem);
  reading.hive = std::move(*hive);
  reading.file = std::move(fd);
  reading.identity = FileIdentity::Of(facts);
  return ReadResult::Ok;
}

bool HiveFile::MoveAside(const std::string& problem) const {
  const std::string base = path_.string() + ".damaged-" + DateStamp();
  std::string aside = base;
  std::error_code error;
  for (int n = 2; std::filesystem::exists(std::filesystem::symlink_status(aside, error)); ++n) {
    aside = base + "-" + std::to_string(n);
  }
  if (::rename(path_.c_str(), aside.c_str()) == 0) {
    std::fprintf(stderr, "Search: the settings file %s is damaged (%s); it was moved to %s and defaults are used\n",
                 path_.c_str(), problem.c_str(), aside.c_str());
    return true;
  }
  std::fprintf(stderr, "Search: the settings file %s is damaged (%s) and could not be moved aside (%s); defaults are used\n",
               path_.c_str(), problem.c_str(), std::strerror(errno));
  return false;
}

HiveFile::Reading HiveFile::Load(bool locked) const {
  Reading reading(root_);
  ReadResult result = TryRead(reading);
  // Another process may have replaced the file meanwhile: look again under the lock before
  // moving anything.
  Lock lock;
  if (result == ReadResult::Damaged && !locked) {
    lock = Acquire();
    if (!lock.Held()) {
      reading.kind = Reading::Kind::Unreadable;
      reading.problem = "its lock could not be taken";
      return reading;
    }
    reading = Reading(root_);
    result = TryRead(reading);
  }
  switch (result) {
    case ReadResult::Ok:
      reading.kind = Reading::Kind::Read;
      break;
    case ReadResult::Missing:
      reading.kind = Reading::Kind::Missing;
      break;
    case ReadResult::Unreadable:
      reading.kind = Reading::Kind::Unreadable;
      break;
    case ReadResult::Damaged:
      // A damaged file that stays in place must not be written over either.
      reading.kind = MoveAside(reading.problem) ? Reading::Kind::Missing : Reading::Kind::Unreadable;
      break;
  }
  return reading;
}

bool HiveFile::Save(const Hive& hive, FileDescriptor& written, FileIdentity& identity) const {
  if (!FitsInHiveFile(hive)) return false;
  // A hive file that is a link (settings kept elsewhere) stays a link: its target is replaced.
  std::filesystem::path target = path_;
  std::error_code error;
  if (std::filesystem::is_symlink(path_, error)) {
    const std::filesystem::path link = std::filesystem::read_symlink(path_, error);
    if (!error) target = link.is_absolute() ? link : path_.parent_path() / link;
  }
  std::filesystem::path temporary = target;
  temporary += ".tmp";
  FileDescriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
  if (!fd.IsOpen()) return false;
  if (!WriteAll(fd.Get(), WriteHiveText(hive)) || ::fsync(fd.Get()) != 0 ||
      ::rename(temporary.c_str(), target.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  FileDescriptor folder(::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.IsOpen()) ::fsync(folder.Get());
  struct stat facts {};
  identity = ::fstat(fd.Get(), &facts) == 0 ? FileIdentity::Of(facts) : FileIdentity{};
  written = std::move(fd);
  return true;
}

}  // namespace platform::registry
