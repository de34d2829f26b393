#pragma once
// Everything one search depends on, as the main window's boxes and the settings hold it.

#include <string>

#include "search/engine/filter/FileFilter.h"
#include "search/engine/results/TreeViewObject.h"

namespace search {

enum TMatchType : int { kMatchOr = 0, kMatchAnd = 1, kMatchAndNot = 2 };

// Which of the three match radio buttons is checked.
enum class TMatchButton { Or, And, AndNot };

// The match type from the radio buttons and the two strings: And Not applies even with
// String 1 empty, And needs both strings.
int GetMatchType(TMatchButton button, const std::string& stringA, const std::string& stringB);

// How the results are ordered when a search ends.
enum TSortField : int {
  kSortPath = 0,
  kSortName = 1,
  kSortMatches = 2,
  kSortCreated = 3,
  kSortModified = 4,
  kSortAccessed = 5,
  kSortSize = 6,
  kSortNone = -1,  // the order the files were found in (search-cli's --sort none)
};

struct TSortOptions {
  int SortField = kSortPath;
  bool SortAscending = true;
};

struct TSearchCriteria {
  // The criteria boxes, as typed.
  std::string Path;
  std::string Files;
  std::string ExcludeFiles;
  std::string ExcludeFolders;
  std::string StringA;
  std::string StringB;
  TMatchButton MatchButton = TMatchButton::Or;

  // The option boxes, as checked.
  bool CaseSensitive = false;
  bool WholeWordOnly = false;
  bool RegularExpressions = false;
  bool MinimiseWhitespace = true;
  bool RecurseSubdirectories = false;
  bool ShowMatches = true;
  bool SearchWithinMatchedFiles = false;

  // Settings.
  bool MatchProximity = false;
  int NumberOfLinesToShowBeforeMatch = 2;
  int NumberOfLinesToShowAfterMatch = 2;
  bool IncludeBlankLines = false;
  bool AutoExpand = false;
  bool ShowsResultsAsFound = true;
  TSortOptions Sort;
  // Narrows the found files; never applied when searching within the matched files.
  TFileFilter Filter;
  // Worker threads for reading files; 0 picks the number of cores, 1 reads on the calling thread.
  int ScanThreads = 0;
};

// More threads than this only cost memory and start-up time: at most 8 per core, 64 in all.
inline constexpr unsigned kMaxScanThreadsPerCore = 8;
inline constexpr unsigned kMaxScanThreadsInAll = 64;
unsigned MaxScanThreads();

// The number of threads a search uses: ScanThreads (at most MaxScanThreads), or the number of
// cores when it is 0.
unsigned EffectiveThreads(const TSearchCriteria& criteria);
// With the default count, the threads that stand by to read while the others wait on the disk
// (files not in the page cache), up to MaxScanThreads in all; none for a count asked for.
unsigned DiskWaitThreads(const TSearchCriteria& criteria);

}  // namespace search
