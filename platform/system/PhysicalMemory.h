#pragma once
// How much memory the machine has.

#include <cstdint>

namespace platform::system {

// The size of the physical memory in bytes; 0 when it cannot be told.
int64_t PhysicalMemoryBytes();

}  // namespace platform::system
