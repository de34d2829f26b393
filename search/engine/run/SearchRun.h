#pragma once
// The Search command: one complete search from the criteria to the sorted results, reporting
// through the host and keeping what the next search needs in the state.

#include "search/engine/run/SearchCriteria.h"
#include "search/engine/run/SearchHost.h"
#include "search/engine/run/SearchState.h"

namespace search {

enum class TSearchOutcome {
  NotRun,     // the expressions did not compile: one notice, nothing else happened
  Finished,
  Cancelled,
};

// Runs one search. The criteria's Path and Files texts come back as the boxes should now
// show them (the Path normalised, an empty Files box as "*.*").
TSearchOutcome RunSearch(TSearchState& state, TSearchCriteria& criteria, TSearchHost& host);

}  // namespace search
