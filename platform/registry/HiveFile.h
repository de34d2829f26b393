#pragma once
// The file of one registry root: exclusive locking, reading with recovery from damage, and
// writing that a kill at any moment cannot leave half done.

#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/registry/FileDescriptor.h"
#include "platform/registry/Hive.h"

namespace platform::registry {

// Which file a hive was read from and how it stood then. A file that still agrees in every
// field has been neither replaced nor rewritten since.
struct FileIdentity {
  uint64_t device = 0;
  uint64_t inode = 0;
  int64_t size = 0;
  int64_t modifiedSeconds = 0;
  int64_t modifiedNanoseconds = 0;
  int64_t changedSeconds = 0;
  int64_t changedNanoseconds = 0;

  static FileIdentity Of(const struct stat& facts);
  bool operator==(const FileIdentity&) const = default;
};

class HiveFile {
 public:
  HiveFile(std::filesystem::path folder, Root root);

  const std::filesystem::path& Path() const { return path_; }
  Root GetRoot() const { return root_; }

  // An exclusive lock on the root (a lock file beside the hive file), held until destroyed.
  class Lock {
   public:
    Lock() = default;
    explicit Lock(int fd) : fd_(fd) {}
    bool Held() const { return fd_.IsOpen(); }

   private:
    FileDescriptor fd_;  // closing the descriptor releases the lock
  };

  // Creates the folder when needed and waits for the lock; not held when that fails.
  Lock Acquire() const;

  // What reading the file gave.
  struct Reading {
    enum class Kind {
      Read,        // the file was read: `hive`, `file` and `identity` describe it
      Missing,     // there is no file (or a damaged one was just moved aside): a fresh hive
      Unreadable,  // the file is there but could not be read just now: a fresh hive that must
                   // never be written over it; `problem` says why
    };
    explicit Reading(Root root) : hive(root) {}
    Kind kind = Kind::Missing;
    Hive hive;
    FileDescriptor file;
    FileIdentity identity;
    std::string problem;
  };

  // Reads the hive. Only content that is not a hive is damage: a file that does not parse, that
  // is not a regular file (a pipe, a device, a folder) or that is larger than
  // kMaxHiveTextSize. A damaged file is moved aside under a dated name with one line on
  // standard error (taking the lock for that unless `locked`) and gives Missing. A failure to
  // open or read (no descriptors left, no access, an I/O error) gives Unreadable and leaves the
  // file where it is.
  Reading Load(bool locked) const;

  enum class Presence { Missing, Present, Unreadable };
  // How the hive file stands now, without opening it; `identity` is set when Present.
  Presence Look(FileIdentity& identity) const;

  // Writes a temporary file, flushes it and renames it over the hive file. The caller holds
  // the lock. False when any step failed (also for a hive larger than a hive file may be); the
  // old file is then untouched. On success `written` holds the new file open and `identity`
  // describes it.
  bool Save(const Hive& hive, FileDescriptor& written, FileIdentity& identity) const;

 private:
  enum class ReadResult { Ok, Missing, Unreadable, Damaged };
  ReadResult TryRead(Reading& reading) const;
  bool MoveAside(const std::string& problem) const;

  std::filesystem::path folder_;
  Root root_;
  std::filesystem::path path_;
};

}  // namespace platform::registry
