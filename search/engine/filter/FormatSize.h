#pragma once
// Sizes as the filter shows them: in the largest of Bytes, KB, MB and GB that holds them whole.

#include <cstdint>
#include <string>

namespace search {

// The unit words, by the number of times 1024 was divided out.
inline constexpr const char* kSizeUnits[4] = {"Bytes", "KB", "MB", "GB"};

struct TReducedSize {
  int64_t Number = 0;
  int Unit = 0;  // index into kSizeUnits
};

// Divides by 1024 while the size is not 0 and divides without remainder, at most three times.
TReducedSize ReduceSize(int64_t size);

// "%d %s" of the reduced number and its unit: 2048 gives "2 KB", 1536 "1536 Bytes".
std::string FormatSize(int64_t size);

}  // namespace search
