#pragma once
// A regular file opened for reading only, others allowed to read and write it meanwhile.
// Anything else (a device, a pipe, a socket) is refused before it is opened, since opening
// one can block, release a waiting writer or have effects of its own.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include <sys/stat.h>

#include "platform/fs/FileSystem.h"
#include "platform/fs/FolderHandle.h"

namespace platform::fs {

class ReadOnlyFile {
 public:
  ReadOnlyFile() = default;
  ~ReadOnlyFile();
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  // Opens the file (links followed): 0, the system error code, or kNotRegularFile. Given its
  // folder, open, the file is opened relative to it (one path step for the system). A file its
  // folder listed as a regular file is opened without asking its type first; the type is
  // checked again on the open file either way, for a file swapped meanwhile.
  int Open(const std::string& path, const FolderHandle* folder = nullptr, bool listedAsRegular = false);
  static constexpr int kNotRegularFile = -1;

  // The size when opened: a hint only, as some files say 0 and have content.
  int64_t SizeHint() const { return static_cast<int64_t>(info_.stx_size); }
  // Size, times and attributes as found when the file was opened.
  FileFacts Facts(std::string_view name) const { return FactsOf(info_, name); }

  // Reads up to `size` bytes: the count, 0 at the end of the file, -1 on an error (the code
  // in `error`).
  int64_t Read(char* into, size_t size, int& error);
  // Whether the first read had to wait for the disk: the file was not in the page cache.
  bool WaitedOnDisk() const { return waitedOnDisk_; }

  // Tells the system the file will be read from start to end, so it reads ahead.
  void WillReadSequentially();

 private:
  int OpenAt(int folder, const char* name, bool listedAsRegular);

  // The first read asks for cached data only, to learn whether the disk is waited on.
  int64_t ReadCachedOnly(char* into, size_t size);

  int descriptor_ = -1;
  struct statx info_ {};
  bool firstRead_ = true;
  bool waitedOnDisk_ = false;
};

}  // namespace platform::fs
