#pragma once
// The file loop of a search: scans every file of the working list, on worker threads when
// there are several cores, and turns each file's outcome into result nodes in list order, so
// the results are the same whatever the number of threads.

#include <memory>

#include "search/engine/FileList.h"
#include "search/engine/FileScan.h"
#include "search/engine/LineMatcher.h"
#include "search/engine/SearchContext.h"
#include "search/engine/SearchCriteria.h"

namespace search {

class TFileScanner {
 public:
  // The two string tests come from the caller: plain strings or compiled expressions.
  TFileScanner(const TSearchCriteria& criteria, int matchType, std::unique_ptr<TStringTest> first,
               std::unique_ptr<TStringTest> second, TSearchContext& context, TFileList& matchedFiles);

  void SearchFiles(const TFileList& working);

 private:
  void ScanOnThisThread(const TFileList& working);
  void ScanWithWorkers(const TFileList& working, unsigned threads);
  // Adds the file's nodes and counts; true when the file matched.
  bool Commit(const std::string& path, TFileScanResult& result);

  const TSearchCriteria& criteria_;
  TLineMatcher matcher_;
  TScanSettings settings_;
  TSearchContext& context_;
  TFileList& matchedFiles_;
};

// The plain-string tests for String 1 and String 2 as the criteria ask (null for an empty string).
std::unique_ptr<TStringTest> MakePlainStringTest(const std::string& text, const TSearchCriteria& criteria);

}  // namespace search
