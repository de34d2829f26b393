#pragma once
// Puts a remembered search back into the window's state: its lists, its total and its results
// tree, without reading any file but the facts of the listed files.

#include "search/engine/run/SearchHistoryEntry.h"
#include "search/engine/run/SearchState.h"

namespace search {

// The key of the last find is cleared, so the next search walks the folders again rather than
// reusing the restored found-file list under other criteria.
void RestoreHistoryEntry(TSearchState& state, const TSearchHistoryEntry& entry, bool autoExpand);

}  // namespace search
