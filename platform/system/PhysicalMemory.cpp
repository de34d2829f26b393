#include "platform/system/PhysicalMemory.h"

#include <unistd.h>

namespace platform::system {

int64_t PhysicalMemoryBytes() {
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long pageSize = sysconf(_SC_PAGESIZE);
  if (pages <= 0 || pageSize <= 0) return 0;
  return static_cast<int64_t>(pages) * pageSize;
}

}  // namespace platform::system
