#pragma once
// The file of one registry root: exclusive locking, reading with recovery from damage, and
// writing that a kill at any moment cannot leave half done.

#include <filesystem>
#include <optional>

#include "platform/registry/Hive.h"

namespace platform::registry {

class HiveFile {
 public:
  HiveFile(std::filesystem::path folder, Root root);

  const std::filesystem::path& Path() const { return path_; }

  // An exclusive lock on the root (a lock file beside the hive file), held until destroyed.
  class Lock {
   public:
    Lock() = default;
    explicit Lock(int fd) : fd_(fd) {}
    ~Lock();
    Lock(Lock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    Lock& operator=(Lock&& other) noexcept;
    bool Held() const { return fd_ >= 0; }

   private:
    int fd_ = -1;
  };

  // Creates the folder when needed and waits for the lock; not held when that fails.
  Lock Acquire() const;

  // Reads the hive. A missing file gives a fresh hive. A damaged or unreadable file gives a
  // fresh hive too; it is moved aside under a dated name with one line on standard error
  // (taking the lock for that unless `locked`).
  Hive Load(bool locked) const;

  // Writes a temporary file, flushes it and renames it over the hive file. The caller holds
  // the lock. False when any step failed; the old file is then untouched.
  bool Save(const Hive& hive) const;

 private:
  enum class ReadResult { Ok, Missing, Damaged };
  ReadResult TryRead(std::optional<Hive>& hive, std::string& problem) const;
  void MoveAside(const std::string& problem) const;

  std::filesystem::path folder_;
  Root root_;
  std::filesystem::path path_;
};

}  // namespace platform::registry
