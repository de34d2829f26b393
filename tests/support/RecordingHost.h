#pragma once
// A search host for tests: records what the run reports and cancels on request.

#include <functional>
#include <string>
#include <vector>

#include "search/engine/run/SearchHost.h"

class RecordingHost : public search::TSearchHost {
 public:
  void SetWindowEnabled(bool enabled) override { windowEnabled = enabled; }
  void BeginResultsUpdate() override { ++bracketDepth; }
  void EndResultsUpdate() override { --bracketDepth; }
  void ShowStatus(const search::TStatusTexts& texts) override { statuses.push_back(texts); }
  void CriteriaRemembered(const search::TSearchCriteria& criteria, int type,
                          const search::TRecentValues& values) override {
    rememberedPath = criteria.Path;
    matchType = type;
    recent = values;
  }
  void ShowBusy() override { ++busyShown; }
  void CloseBusy() override { ++busyClosed; }
  void BusyOperation(const std::string& text) override { operations.push_back(text); }
  void BusyPath(const std::string& text) override { paths.push_back(text); }
  void BusyCounters(const search::TBusyCounters& value) override { counters = value; }
  bool CancelRequested() override {
    ++cancelPolls;
    return cancelWhen && cancelWhen(*this);
  }
  bool KeepsHistory() const override { return true; }
  void AddHistoryEntry(search::TSearchHistoryEntry entry) override { history.push_back(std::move(entry)); }

  // Panel texts of the last status shown.
  const search::TStatusTexts& LastStatus() const { return statuses.back(); }

  bool windowEnabled = true;
  int bracketDepth = 0;
  int busyShown = 0;
  int busyClosed = 0;
  int cancelPolls = 0;
  int matchType = -1;
  std::string rememberedPath;
  search::TRecentValues recent;
  std::vector<search::TStatusTexts> statuses;
  std::vector<std::string> operations;
  std::vector<std::string> paths;
  search::TBusyCounters counters;
  std::vector<search::TSearchHistoryEntry> history;
  std::function<bool(RecordingHost&)> cancelWhen;
};
