#pragma once
// The state one running search shares between its stages: the results tree, the busy
// dialog's texts and counters, Cancel, and yielding to the window by elapsed time.

#include <chrono>
#include <string>

#include "search/engine/results/ResultTree.h"
#include "search/engine/run/SearchHost.h"

namespace search {

class TSearchContext {
 public:
  TSearchContext(TSearchHost& host, TResultTree& results) : host_(host), results_(results) {}

  TSearchHost& Host() { return host_; }
  TResultTree& Results() { return results_; }

  void AddErrorNode(std::string text);
  // Tells the host that nodes were added (see TSearchHost::ResultsAdded).
  void ResultsAdded() { host_.ResultsAdded(results_); }

  void SetOperation(const std::string& text) { host_.BusyOperation(text); }
  void SetPath(const std::string& text);
  const std::string& GetPath() const { return path_; }

  TBusyCounters& Counters() { return counters_; }
  // Shows the counters now if they changed since they were last shown.
  void ShowCounters();

  // Cancel, once seen, stays.
  bool Cancelled();
  // Cheap enough to call per entry or line: the window is asked to repaint only when some
  // hundredths of a second have passed.
  void Yield();
  // The same without waiting for enough calls: for loops that call it seldom.
  void YieldNow();

 private:
  TSearchHost& host_;
  TResultTree& results_;
  std::string path_;
  TBusyCounters counters_;
  TBusyCounters shownCounters_;
  bool cancelled_ = false;
  unsigned callsSinceClock_ = 0;
  std::chrono::steady_clock::time_point lastYield_ = std::chrono::steady_clock::now();
};

}  // namespace search
