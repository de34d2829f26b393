#pragma once
// The parsed hive of one root, kept between operations and read again only when its file
// changed on disk.

#include <filesystem>
#include <optional>

#include "platform/registry/HiveFile.h"

namespace platform::registry {

class HiveCache {
 public:
  HiveCache(std::filesystem::path folder, Root root) : file_(std::move(folder), root) {}

  const HiveFile& File() const { return file_; }

  // The hive as its file holds it now. The file is read again only when it changed since this
  // cache last read or wrote it (device, inode, size, modification or change time differ).
  // Null when the file is there but cannot be read just now: that is reported once on
  // standard error, and the caller uses defaults for this one operation and writes nothing
  // on their strength. `locked`: the caller holds the root's lock.
  Hive* Current(bool locked);

  // Writes the hive that Current gave, which the caller (holding the lock) has changed. False
  // when the write failed; the file is then read afresh next time.
  bool Save();

  // Drops what is held, so that the next Current reads the file.
  void Forget();

 private:
  bool StillCurrent() const;

  HiveFile file_;
  std::optional<Hive> hive_;
  bool fromFile_ = false;   // the hive was read from (or written to) a file, described by identity_
  FileIdentity identity_;
  FileDescriptor held_;     // that file kept open, so that no later file can take its inode number
  bool unreadableReported_ = false;
};

}  // namespace platform::registry
