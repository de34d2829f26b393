#include "search/engine/history/SearchHistory.h"

#include <stdexcept>
#include <tuple>

namespace search {

bool SameSearch(const TSearchHistoryEntry& a, const TSearchHistoryEntry& b) {
  const auto flags = [](const TSearchHistoryEntry& e) {
    return std::tuple(e.MatchType, e.CaseSensitive, e.RecurseSubdirectories, e.ShowMatches, e.MinimiseWhitespace,
                      e.SearchWithinMatchedFiles, e.WholeWordOnly, e.RegularExpressions);
  };
  return a.Path == b.Path && a.Files == b.Files && a.StringA == b.StringA && a.StringB == b.StringB &&
         flags(a) == flags(b) && a.FoundFiles == b.FoundFiles && a.MatchedFiles == b.MatchedFiles &&
         a.ResultNodes == b.ResultNodes;
}

TSearchHistory::TSearchHistory(int maxHistory) { SetMaxHistory(maxHistory); }

void TSearchHistory::SetMaxHistory(int maxHistory) {
  if (maxHistory == MaxHistory()) return;
  if (maxHistory <= 0) throw std::invalid_argument("MaxHistory must be greater than zero.");
  slots_.resize(static_cast<size_t>(maxHistory));
}

bool TSearchHistory::Add(TSearchHistoryEntry entry) {
  if (slots_.front() && SameSearch(*slots_.front(), entry)) return false;
  for (size_t slot = slots_.size() - 1; slot > 0; --slot) slots_[slot] = std::move(slots_[slot - 1]);
  slots_.front() = std::make_unique<TSearchHistoryEntry>(std::move(entry));
  if (OnChange) OnChange();
  return true;
}

int TSearchHistory::Count() const {
  int count = 0;
  while (count < MaxHistory() && slots_[static_cast<size_t>(count)]) ++count;
  return count;
}

}  // namespace search
