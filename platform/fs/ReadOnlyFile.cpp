#include "platform/fs/ReadOnlyFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/fs/PathAt.h"

namespace platform::fs {
namespace {

int TypeError(mode_t mode) {
  if (S_ISDIR(mode)) return EISDIR;
  return S_ISREG(mode) ? 0 : ReadOnlyFile::kNotRegularFile;
}

}  // namespace

ReadOnlyFile::~ReadOnlyFile() {
  if (descriptor_ >= 0) close(descriptor_);
}

int ReadOnlyFile::Open(const std::string& path, const FolderHandle* folder, bool listedAsRegular) {
  if (folder != nullptr) {
    const std::string name(FileNamePart(path));
    return OpenAt(folder->Descriptor(), name.c_str(), listedAsRegular);
  }
  const PathAt at(AT_FDCWD, path);
  if (at.Error() != 0) return at.Error();
  return OpenAt(at.Folder(), at.Name(), listedAsRegular);
}

int ReadOnlyFile::OpenAt(int folder, const char* name, bool listedAsRegular) {
  if (!listedAsRegular) {
    struct statx before {};
    if (statx(folder, name, AT_STATX_SYNC_AS_STAT, STATX_TYPE, &before) != 0) return errno;
    if (const int error = TypeError(before.stx_mode); error != 0) return error;
  }
  // O_NONBLOCK: should the file be swapped for a pipe after the check, opening it cannot block.
  descriptor_ = openat(folder, name, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (descriptor_ < 0) return errno;
  if (statx(descriptor_, "", AT_EMPTY_PATH | AT_STATX_SYNC_AS_STAT, STATX_BASIC_STATS | STATX_BTIME, &info_) != 0) {
    return errno;
  }
  return TypeError(info_.stx_mode);
}

int64_t ReadOnlyFile::Read(char* into, size_t size, int& error) {
  ssize_t count;
  do {
    count = read(descriptor_, into, size);
  } while (count < 0 && errno == EINTR);
  if (count < 0) error = errno;
  return count;
}

void ReadOnlyFile::WillReadSequentially() {
  if (descriptor_ >= 0) posix_fadvise(descriptor_, 0, 0, POSIX_FADV_SEQUENTIAL);
}

}  // namespace platform::fs
