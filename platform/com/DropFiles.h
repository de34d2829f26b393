#pragma once
// The list of dropped or selected file names that a CF_HDROP medium carries, and the
// DragQueryFile reads of it. Names are kept whole, whatever their length.

#include <cstdint>
#include <string>
#include <vector>

namespace platform::com {

class DropFiles {
 public:
  DropFiles() = default;
  explicit DropFiles(std::vector<std::string> names) : names_(std::move(names)) {}
  const std::vector<std::string>& Names() const { return names_; }

 private:
  std::vector<std::string> names_;
};

using HDROP = const DropFiles*;

// The number of names; 0 for a null list.
uint32_t DragQueryFileCount(HDROP drop);
// The name at `index`; empty for a null list or an index past the end.
std::string DragQueryFileName(HDROP drop, uint32_t index);

}  // namespace platform::com
