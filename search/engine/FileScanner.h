#pragma once
// Reads each file of the working list and turns its matching lines into result nodes.

#include "search/engine/FileList.h"
#include "search/engine/SearchContext.h"
#include "search/engine/SearchCriteria.h"

namespace search {

class TFileScanner {
 public:
  TFileScanner(const TSearchCriteria& criteria, int matchType, TSearchContext& context,
               TFileList& matchedFiles)
      : criteria_(criteria), matchType_(matchType), context_(context), matchedFiles_(matchedFiles) {}

  void SearchFiles(const TFileList& working);

 private:
  const TSearchCriteria& criteria_;
  int matchType_;
  TSearchContext& context_;
  TFileList& matchedFiles_;
};

}  // namespace search
