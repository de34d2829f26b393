#include "search/engine/results/FileNameOrder.h"

#include <algorithm>
#include <cstring>

#include "search/engine/matching/CaseFolding.h"

namespace search {

void SortFileNames(std::vector<std::string>& names) {
  const bool utf8 = LocaleIsUtf8();
  struct TKeyed {
    std::string folded;
    std::string name;
  };
  std::vector<TKeyed> keyed;
  keyed.reserve(names.size());
  for (std::string& name : names) keyed.push_back({FoldCase(name, utf8), std::move(name)});
  std::sort(keyed.begin(), keyed.end(), [](const TKeyed& a, const TKeyed& b) {
    const int order = std::strcoll(a.folded.c_str(), b.folded.c_str());
    if (order != 0) return order < 0;
    return a.name < b.name;
  });
  names.clear();
  for (TKeyed& entry : keyed) {
    if (names.empty() || names.back() != entry.name) names.push_back(std::move(entry.name));
  }
}

}  // namespace search
