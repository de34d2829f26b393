#include "platform/fs/ReplaceFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::fs {
namespace {

// The file a link points to; the path itself otherwise.
std::string ResolvedTarget(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char resolved[PATH_MAX];
  return ::realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

mode_t ModeFor(const std::string& target, mode_t newFileMode) {
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0) return info.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return newFileMode & ~mask;
}

int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return ::fsync(fd) == 0 ? 0 : errno;
}

}  // namespace

int ReplaceFileContents(const std::string& path, std::string_view bytes, unsigned newFileMode) {
  const std::string target = ResolvedTarget(path);
  const size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  std::string temporary = folder + (folder.back() == '/' ? "" : "/") + "." + name + ".XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return errno;
  int error = ::fchmod(fd, ModeFor(target, static_cast<mode_t>(newFileMode))) == 0 ? 0 : errno;
  if (error == 0) error = WriteAll(fd, bytes);
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    return error;
  }
  // The rename itself is made to last too.
  const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd >= 0) {
    ::fsync(folderFd);
    ::close(folderFd);
  }
  return 0;
}

}  // namespace platform::fs
