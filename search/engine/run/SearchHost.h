#pragma once
// What a running search needs from the window that started it: the only road from the engine
// to the user interface. The Qt window, search-cli and the tests implement it.

#include <cstdint>
#include <string>

#include "search/engine/run/RecentValues.h"
#include "search/engine/run/SearchCriteria.h"
#include "search/engine/run/SearchHistoryEntry.h"

namespace search {

struct TResultNode;
class TResultTree;
class TTreeViewFile;
struct TFileScanResult;

// Receives each matched file's rows as soon as the file is done: the file node and the scan's
// lines with their shown texts.
class TFileRowsSink {
 public:
  virtual ~TFileRowsSink() = default;
  virtual void FileRows(const TTreeViewFile& file, const TFileScanResult& result) = 0;
};

// The busy dialog's five counters.
struct TBusyCounters {
  int64_t Found = 0;
  int64_t Searched = 0;
  int64_t Lines = 0;
  int64_t Matched = 0;
  int64_t TotalMatches = 0;
  bool operator==(const TBusyCounters&) const = default;
};

// The four status-bar panels.
struct TStatusTexts {
  std::string Panels[4];
};

class TSearchHost {
 public:
  virtual ~TSearchHost() = default;

  // The main window is disabled while a search runs and enabled again however it ends.
  virtual void SetWindowEnabled(bool /*enabled*/) {}

  // The results tree: cleared at the start, changed only inside update brackets.
  virtual void ResultsCleared() {}
  virtual void BeginResultsUpdate() {}
  virtual void EndResultsUpdate() {}
  virtual void ExpandNode(TResultNode& /*node*/) {}
  virtual void ResultsSorted() {}
  // A host that writes rows as they come and keeps none (search-cli without sorting) gives a
  // sink: each matched file's rows go there instead of into the tree, and the nodes that still
  // go into the tree (notices) are taken out in ResultsAdded with TResultTree::TakeNodes.
  virtual TFileRowsSink* RowsSink() { return nullptr; }
  // After each file's nodes or a notice were added, outside the update brackets.
  virtual void ResultsAdded(TResultTree& /*results*/) {}

  virtual void ShowStatus(const TStatusTexts& /*texts*/) {}

  // The normalised criteria texts, the match type and the recent-value lists, to be shown in
  // the boxes and kept in the settings.
  virtual void CriteriaRemembered(const TSearchCriteria& /*criteria*/, int /*matchType*/,
                                  const TRecentValues& /*recent*/) {}

  // The busy dialog.
  virtual void ShowBusy() {}
  virtual void CloseBusy() {}
  virtual void BusyOperation(const std::string& /*text*/) {}
  virtual void BusyPath(const std::string& /*text*/) {}
  virtual void BusyCounters(const TBusyCounters& /*counters*/) {}

  // True once the user asked to cancel; polled often, so it must be cheap.
  virtual bool CancelRequested() { return false; }
  // Lets the window repaint and take input; called every few hundredths of a second.
  virtual void Yield() {}

  // The history: a host without one is spared the copies an entry holds.
  virtual bool KeepsHistory() const { return false; }
  virtual void AddHistoryEntry(TSearchHistoryEntry /*entry*/) {}
};

}  // namespace search
