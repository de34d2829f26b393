#pragma once
// What the main window keeps between searches: the results, the found-file and matched-file
// lists with the key of the last find, the match type, the last total and the recent values.

#include <cstdint>
#include <string>

#include "search/engine/walk/FileFinder.h"
#include "search/engine/walk/FileList.h"
#include "search/engine/run/RecentValues.h"
#include "search/engine/results/ResultTree.h"
#include "search/engine/run/SearchHost.h"
#include "search/engine/regex/RegExpr.h"

namespace search {

struct TSearchState {
  TResultTree Results;
  TFileList FoundFiles;
  TFileList MatchedFiles;
  TFindKey LastFind;
  int MatchType = 0;
  int64_t TotalMatches = 0;
  TRecentValues Recent;
  // The expression matchers of String 1 and String 2, compiled by each search with
  // regular expressions on.
  TRegExpr RegExprA;
  TRegExpr RegExprB;

  // The four status-bar texts, panel 0 showing the given text.
  TStatusTexts StatusTexts(const std::string& panel0) const;
  // Searching within the matched files is offered only while there are some.
  bool CanSearchWithinMatchedFiles() const { return !MatchedFiles.Empty(); }
};

// The Path box rule: surrounding blanks and trailing separators go, then exactly one
// separator ends the text (a text of separators alone stays the root folder).
std::string NormalisePathText(const std::string& text);

}  // namespace search
