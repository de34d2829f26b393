#include "search/engine/history/RestoreHistoryEntry.h"

namespace search {

void RestoreHistoryEntry(TSearchState& state, const TSearchHistoryEntry& entry, bool autoExpand) {
  state.FoundFiles = entry.FoundFiles;
  state.MatchedFiles = entry.MatchedFiles;
  state.LastFind = TFindKey{};
  state.TotalMatches = entry.TotalMatches;
  state.MatchType = entry.MatchType;
  entry.ResultNodes.RestoreInto(state.Results, autoExpand);
}

}  // namespace search
