#pragma once
// An open folder kept so that what lies below it can be opened relative to it: one path step
// for the system instead of the whole path, and no limit on how deep a tree may go.

#include <cstddef>
#include <memory>
#include <string>

namespace platform::fs {

class FolderHandle {
 public:
  explicit FolderHandle(int descriptor) : descriptor_(descriptor) {}
  ~FolderHandle();
  FolderHandle(const FolderHandle&) = delete;
  FolderHandle& operator=(const FolderHandle&) = delete;

  int Descriptor() const { return descriptor_; }

 private:
  int descriptor_;
};

// Where a folder is: below an open folder (none: the working folder, or the root for an
// absolute path) at a relative path.
struct FolderAnchor {
  std::shared_ptr<const FolderHandle> base;
  std::string relative;

  // The anchor of a folder below this one.
  FolderAnchor Below(const std::string& name) const;
};

// How many folders a walk may keep open at once: a share of the process's descriptors that
// leaves plenty for the files being read.
size_t FolderHandleBudget();

}  // namespace platform::fs
