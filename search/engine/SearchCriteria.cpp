#include "search/engine/SearchCriteria.h"

namespace search {

int GetMatchType(TMatchButton button, const std::string& stringA, const std::string& stringB) {
  if (button == TMatchButton::AndNot) return kMatchAndNot;
  if (stringA.empty() || stringB.empty()) return kMatchOr;
  return button == TMatchButton::And ? kMatchAnd : kMatchOr;
}

}  // namespace search
