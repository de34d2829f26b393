#include "platform/com/DropFiles.h"

namespace platform::com {

uint32_t DragQueryFileCount(HDROP drop) {
  return drop == nullptr ? 0 : static_cast<uint32_t>(drop->Names().size());
}

std::string DragQueryFileName(HDROP drop, uint32_t index) {
  if (drop == nullptr || index >= drop->Names().size()) return {};
  return drop->Names()[index];
}

}  // namespace platform::com
