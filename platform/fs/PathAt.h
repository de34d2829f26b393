#pragma once
// A path made usable with the *at system calls whatever its length: a folder descriptor and
// a name below it. Paths within the system's limit are used as they are; a longer one is
// resolved a few thousand bytes at a time, so that files deeper than the limit can be
// opened and examined like any other.

#include <string>

namespace platform::fs {

class PathAt {
 public:
  // `base` is an open folder the path is relative to (AT_FDCWD for the working folder).
  PathAt(int base, const std::string& path);
  ~PathAt();
  PathAt(const PathAt&) = delete;
  PathAt& operator=(const PathAt&) = delete;

  // 0 when the path could be resolved, else the system error code.
  int Error() const { return error_; }
  int Folder() const { return folder_; }
  const char* Name() const { return name_; }

 private:
  int folder_;
  int owned_ = -1;  // the descriptor this object opened, if any
  const char* name_;
  std::string rest_;
  int error_ = 0;
};

}  // namespace platform::fs
