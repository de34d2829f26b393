#include "platform/fs/PathAt.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <unistd.h>

namespace platform::fs {
namespace {

// Paths are cut into pieces this long at most, well inside the system's limit.
constexpr size_t kPieceLength = PATH_MAX / 2;

}  // namespace

// A path within the limit is used as it is: `path` must outlive this object.
PathAt::PathAt(int base, const std::string& path) : folder_(base), name_(path.c_str()) {
  if (path.size() < PATH_MAX) return;
  size_t start = 0;
  // Each step opens the folder at the end of the next piece below the previous one.
  while (path.size() - start >= kPieceLength) {
    const size_t cut = path.rfind('/', start + kPieceLength);
    if (cut == std::string::npos || cut <= start) {  // a name longer than any allowed
      error_ = ENAMETOOLONG;
      return;
    }
    const std::string piece = path.substr(start, cut - start + 1);
    const int next = openat(folder_, piece.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (next < 0) {
      error_ = errno;
      return;
    }
    if (owned_ >= 0) close(owned_);
    owned_ = folder_ = next;
    start = cut + 1;
  }
  rest_ = path.substr(start);
  if (rest_.empty()) rest_ = ".";
  name_ = rest_.c_str();
}

PathAt::~PathAt() {
  if (owned_ >= 0) close(owned_);
}

}  // namespace platform::fs
