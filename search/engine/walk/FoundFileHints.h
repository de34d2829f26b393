#pragma once
// What the walk learnt of a found file that spares work when the file is opened.

#include <memory>

#include "platform/fs/FolderHandle.h"

namespace search {

struct TFoundFileHints {
  // The file's folder, kept open so that the file is opened with one path step; null when the
  // walk could keep no more folders open.
  std::shared_ptr<const platform::fs::FolderHandle> Folder;
  // The folder listed it as a regular file, so its type need not be asked before opening.
  bool ListedAsRegular = false;
};

}  // namespace search
