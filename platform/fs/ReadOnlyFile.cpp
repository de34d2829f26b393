#include "platform/fs/ReadOnlyFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
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
  if (firstRead_) {
    firstRead_ = false;
    if (const int64_t count = ReadCachedOnly(into, size); count > 0) return count;
  }
  ssize_t count;
  do {
    count = read(descriptor_, into, size);
  } while (count < 0 && errno == EINTR);
  if (count < 0) error = errno;
  return count;
}

// Gives what the page cache holds of the file's start without waiting; 0 when the caller
// must read as usual: nothing cached (the disk will be waited on), a file system that cannot
// tell, or a file whose size says nothing (it may give its content only to a plain read).
int64_t ReadOnlyFile::ReadCachedOnly(char* into, size_t size) {
  if (SizeHint() <= 0) return 0;
  iovec piece{into, size};
  ssize_t count;
  do {
    count = preadv2(descriptor_, &piece, 1, -1, RWF_NOWAIT);
  } while (count < 0 && errno == EINTR);
  if (count < 0 && errno == EAGAIN) waitedOnDisk_ = true;
  return count > 0 ? count : 0;
}

void ReadOnlyFile::WillReadSequentially() {
  if (descriptor_ >= 0) posix_fadvise(descriptor_, 0, 0, POSIX_FADV_SEQUENTIAL);
}

}  // namespace platform::fs
