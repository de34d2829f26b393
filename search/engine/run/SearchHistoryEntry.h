#pragma once
// One finished search as the history keeps it: its criteria, its lists and its results tree.
// The lists and the tree's lines share their storage with the search they were taken from.

#include <cstdint>
#include <string>

#include "search/engine/results/ResultSnapshot.h"
#include "search/engine/walk/FileList.h"

namespace search {

struct TSearchHistoryEntry {
  std::string Files;
  std::string ExcludeFiles;
  std::string ExcludeFolders;
  std::string StringA;
  std::string StringB;
  std::string Path;
  int MatchType = 0;
  TResultSnapshot ResultNodes;
  TFileList FoundFiles;
  TFileList MatchedFiles;
  bool CaseSensitive = false;
  bool RecurseSubdirectories = false;
  bool ShowMatches = false;
  bool MinimiseWhitespace = false;
  bool SearchWithinMatchedFiles = false;
  bool WholeWordOnly = false;
  bool RegularExpressions = false;
  int64_t TotalMatches = 0;
};

// Two entries are the same search when criteria, flags, lists and result nodes agree; the
// exclusions and the total take no part.
bool SameSearch(const TSearchHistoryEntry& a, const TSearchHistoryEntry& b);

}  // namespace search
