#pragma once
// The texts of one History menu item: its caption with the accelerator of its slot, and its
// hint.

#include <string>

#include "search/engine/run/SearchHistoryEntry.h"

namespace search {

// &0. "one" and not "two" (3 matches): an "&" inside the strings is doubled, so that it
// shows as itself rather than marking an accelerator.
std::string HistoryCaption(const TSearchHistoryEntry& entry, int slot);

// The entry's path immediately followed by its file masks.
std::string HistoryHint(const TSearchHistoryEntry& entry);

}  // namespace search
