#include "search/engine/run/RecentValues.h"

#include <algorithm>

#include "search/engine/TextRules.h"

namespace search {

void RememberRecentValue(std::vector<std::string>& list, const std::string& text) {
  std::erase_if(list, [&](const std::string& entry) { return SameTextIgnoringCase(entry, text); });
  list.insert(list.begin(), text);
  if (list.size() > kRecentValuesLimit) list.resize(kRecentValuesLimit);
}

}  // namespace search
