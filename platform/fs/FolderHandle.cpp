#include "platform/fs/FolderHandle.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>

namespace platform::fs {

FolderHandle::~FolderHandle() {
  if (descriptor_ >= 0) close(descriptor_);
}

size_t FolderHandleBudget() {
  static const size_t budget = [] {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return size_t{1024};
    return std::clamp<size_t>(static_cast<size_t>(limit.rlim_cur) / 4, 16, 4096);
  }();
  return budget;
}

FolderAnchor FolderAnchor::Below(const std::string& name) const {
  std::string path = relative;
  if (!path.empty() && path.back() != '/') path.push_back('/');
  return {base, path + name};
}

}  // namespace platform::fs
