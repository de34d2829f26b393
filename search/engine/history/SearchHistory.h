#pragma once
// The last searches, newest first, kept in memory for the History menu. An entry equal to the
// newest one is not added again.

#include <functional>
#include <memory>
#include <vector>

#include "search/engine/run/SearchHistoryEntry.h"

namespace search {

class TSearchHistory {
 public:
  static constexpr int kDefaultMaxHistory = 10;

  explicit TSearchHistory(int maxHistory = kDefaultMaxHistory);

  int MaxHistory() const { return static_cast<int>(slots_.size()); }
  // Resizes the row of slots; fails with std::invalid_argument for 0 or less.
  void SetMaxHistory(int maxHistory);

  // Adds the entry in slot 0, pushing the oldest out; returns false (and changes nothing) when
  // it equals the newest entry.
  bool Add(TSearchHistoryEntry entry);

  // The number of filled slots before the first empty one.
  int Count() const;
  const TSearchHistoryEntry& At(int slot) const { return *slots_.at(static_cast<size_t>(slot)); }

  // Raised after each change.
  std::function<void()> OnChange;

 private:
  std::vector<std::unique_ptr<TSearchHistoryEntry>> slots_;
};

}  // namespace search
