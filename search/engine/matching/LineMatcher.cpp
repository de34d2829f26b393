#include "search/engine/matching/LineMatcher.h"

namespace search {

bool CombineVerdict(bool found1, bool found2, bool stringAEmpty, int matchType) {
  switch (matchType) {
    case kMatchAnd: return found1 && found2;
    case kMatchAndNot: return (found1 || stringAEmpty) && !found2;
    default: return found1 || found2;
  }
}

TLineMatcher::TLineMatcher(std::unique_ptr<TStringTest> first, std::unique_ptr<TStringTest> second,
                           int matchType, bool wholeFile)
    : first_(std::move(first)), second_(std::move(second)), matchType_(matchType), wholeFile_(wholeFile) {}

TLineMatcher::TFound TLineMatcher::TestLine(std::string_view prepared, TCancelProbe& probe) const {
  TFound found;
  found.first = first_ && first_->Test(prepared, probe);
  found.second = second_ && second_->Test(prepared, probe);
  return found;
}

}  // namespace search
