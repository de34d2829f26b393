#include "search/editor/text/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/fs/FileSystem.h"

namespace editor {
namespace {

TFileError Failure(const std::string& what, const std::string& path, int error) {
  return TFileError(what + " \"" + path + "\": " + platform::fs::ErrorMessage(error));
}

// Closes a descriptor when the scope is left.
class TDescriptor {
 public:
  explicit TDescriptor(int fd) : fd_(fd) {}
  ~TDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  TDescriptor(const TDescriptor&) = delete;
  TDescriptor& operator=(const TDescriptor&) = delete;
  int Get() const { return fd_; }
  // Closes now, reporting the error close gave (0 for none).
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

// The file a path stands for once every symbolic link is followed (the path itself when it
// is not a link or the link's target does not exist yet).
std::string LinkTarget(const std::string& path) {
  std::string current = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat facts {};
    if (::lstat(current.c_str(), &facts) != 0 || !S_ISLNK(facts.st_mode)) return current;
    std::vector<char> buffer(PATH_MAX + 1);
    const ssize_t length = ::readlink(current.c_str(), buffer.data(), buffer.size() - 1);
    if (length < 0) return current;
    const std::filesystem::path target(std::string(buffer.data(), static_cast<size_t>(length)));
    current = target.is_absolute() ? target.string()
                                   : (std::filesystem::path(current).parent_path() / target).lexically_normal().string();
  }
  return current;
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return static_cast<mode_t>(0666 & ~mask);
}

void WriteAll(int fd, std::string_view bytes, const std::string& path) {
  size_t written = 0;
  while (written < bytes.size()) {
    const size_t chunk = std::min<size_t>(bytes.size() - written, size_t{1} << 30);
    const ssize_t result = ::write(fd, bytes.data() + written, chunk);
    if (result < 0) {
      if (errno == EINTR) continue;
      throw Failure("Cannot write", path, errno);
    }
    written += static_cast<size_t>(result);
  }
}

}  // namespace

std::string ReadFileBytes(const std::string& path) {
  TDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.Get() < 0) throw Failure("Cannot open", path, errno);
  struct stat facts {};
  if (::fstat(file.Get(), &facts) != 0) throw Failure("Cannot read", path, errno);
  if (S_ISDIR(facts.st_mode)) throw Failure("Cannot read", path, EISDIR);
  std::string bytes;
  bytes.reserve(static_cast<size_t>(std::max<off_t>(facts.st_size, 0)));
  std::vector<char> buffer(size_t{1} << 20);
  for (;;) {
    const ssize_t result = ::read(file.Get(), buffer.data(), buffer.size());
    if (result < 0) {
      if (errno == EINTR) continue;
      throw Failure("Cannot read", path, errno);
    }
    if (result == 0) break;
    bytes.append(buffer.data(), static_cast<size_t>(result));
  }
  return bytes;
}

void SaveFileAtomically(const std::string& path, std::string_view bytes) {
  const std::string target = LinkTarget(path);
  const std::filesystem::path targetPath(target);
  const std::string folder = targetPath.has_parent_path() ? targetPath.parent_path().string() : ".";

  struct stat original {};
  const bool exists = ::stat(target.c_str(), &original) == 0;
  if (exists && S_ISDIR(original.st_mode)) throw Failure("Cannot save", path, EISDIR);

  std::string temporary = (std::filesystem::path(folder) / ("." + targetPath.filename().string() + ".XXXXXX")).string();
  TDescriptor file(::mkstemp(temporary.data()));
  if (file.Get() < 0) throw Failure("Cannot save", path, errno);
  bool renamed = false;
  struct TRemoveTemporary {
    const std::string& name;
    const bool& renamed;
    ~TRemoveTemporary() {
      if (!renamed) ::unlink(name.c_str());
    }
  } removeTemporary{temporary, renamed};

  if (exists && (original.st_uid != ::geteuid() || original.st_gid != ::getegid())) {
    // Keeps the owner where allowed (a user may only hand the file to one of his groups);
    // before the mode, since a change of owner clears the set-id bits.
    [[maybe_unused]] const int ignored = ::fchown(file.Get(), original.st_uid, original.st_gid);
  }
  const mode_t mode = exists ? static_cast<mode_t>(original.st_mode & 07777) : NewFileMode();
  if (::fchmod(file.Get(), mode) != 0) throw Failure("Cannot save", path, errno);
  WriteAll(file.Get(), bytes, path);
  if (::fsync(file.Get()) != 0) throw Failure("Cannot save", path, errno);
  if (const int error = file.Close(); error != 0) throw Failure("Cannot save", path, error);
  if (::rename(temporary.c_str(), target.c_str()) != 0) throw Failure("Cannot save", path, errno);
  renamed = true;

  TDescriptor folderHandle(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folderHandle.Get() >= 0) ::fsync(folderHandle.Get());
}

std::optional<TFileStamp> ReadFileStamp(const std::string& path) {
  struct stat facts {};
  if (path.empty() || ::stat(path.c_str(), &facts) != 0) return std::nullopt;
  return TFileStamp{static_cast<int64_t>(facts.st_mtim.tv_sec) * 1000000000 + facts.st_mtim.tv_nsec,
                    static_cast<int64_t>(facts.st_size)};
}

}  // namespace editor
