#include "search/engine/filter/FormatSize.h"

namespace search {

TReducedSize ReduceSize(int64_t size) {
  TReducedSize reduced{size, 0};
  while (reduced.Unit < 3 && reduced.Number != 0 && reduced.Number % 1024 == 0) {
    reduced.Number /= 1024;
    ++reduced.Unit;
  }
  return reduced;
}

std::string FormatSize(int64_t size) {
  const TReducedSize reduced = ReduceSize(size);
  return std::to_string(reduced.Number) + " " + kSizeUnits[reduced.Unit];
}

}  // namespace search
