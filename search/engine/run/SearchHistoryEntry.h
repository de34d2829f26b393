#pragma once
// One finished search as the history keeps it: its criteria, its lists and its result texts.

#include <cstdint>
#include <string>
#include <vector>

#include "search/engine/walk/FileList.h"

namespace search {

struct TSearchHistoryEntry {
  std::string Path;
  std::string Files;
  int64_t TotalMatches = 0;
  bool RegularExpressions = false;
  bool SearchWithinMatchedFiles = false;
  bool WholeWordOnly = false;
  bool MinimiseWhitespace = false;
  bool ShowMatches = false;
  bool RecurseSubdirectories = false;
  bool CaseSensitive = false;
  TFileList MatchedFiles;
  TFileList FoundFiles;
  std::vector<std::string> ResultTexts;
  int MatchType = 0;
  std::string StringB;
  std::string StringA;
  std::string ExcludeFiles;
  std::string ExcludeFolders;
};

}  // namespace search
