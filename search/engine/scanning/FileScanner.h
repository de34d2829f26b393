#pragma once
// The file loop of a search: scans every file of the working list, on worker threads when
// there are several cores, and turns each file's outcome into result nodes in list order, so
// the results are the same whatever the number of threads.

#include <memory>
#include <string>
#include <vector>

#include "search/engine/walk/FileList.h"
#include "search/engine/scanning/FileScan.h"
#include "search/engine/matching/LineMatcher.h"
#include "search/engine/run/SearchContext.h"
#include "search/engine/run/SearchCriteria.h"

namespace search {

class TScanPipeline;

class TFileScanner {
 public:
  // The two string tests come from the caller: plain strings or compiled expressions.
  TFileScanner(const TSearchCriteria& criteria, int matchType, std::unique_ptr<TStringTest> first,
               std::unique_ptr<TStringTest> second, TSearchContext& context, TFileList& matchedFiles);

  ~TFileScanner();

  // Starts scanning a file before the working list is known (while the folders are walked);
  // SearchFiles uses the outcome when the working list begins with the same files.
  void Prefetch(const std::string& path, const TFoundFileHints& hints);
  void SearchFiles(const TFileList& working);

 private:
  void ScanOnThisThread(const TFileList& working);
  void ScanWithWorkers(const TFileList& working);
  bool PipelineHoldsStartOf(const TFileList& working) const;
  // Adds a file's outcome in list order; false when Cancel says to stop after it.
  bool AddOutcome(const TFileListEntry& entry, TFileScanResult& result);
  // Adds the file's nodes (or hands its rows to the host's sink) and counts; true when the
  // file matched.
  bool Commit(const std::string& path, TFileScanResult& result);
  void AddFileNode(std::unique_ptr<TTreeViewFile> file, TFileScanResult& result);

  const TSearchCriteria& criteria_;
  TLineMatcher matcher_;
  TScanSettings settings_;
  TSearchContext& context_;
  TFileList& matchedFiles_;
  unsigned threads_ = 1;
  unsigned diskWaitThreads_ = 0;
  bool OnThisThreadOnly() const { return threads_ + diskWaitThreads_ <= 1; }
  std::unique_ptr<TScanPipeline> pipeline_;
  // Found files not yet handed to the pipeline; with one thread, every found file, so that
  // their scan can use what the walk learnt of them.
  std::vector<TFileToScan> prefetched_;
};

// The plain-string tests for String 1 and String 2 as the criteria ask (null for an empty string).
std::unique_ptr<TStringTest> MakePlainStringTest(const std::string& text, const TSearchCriteria& criteria);

}  // namespace search
