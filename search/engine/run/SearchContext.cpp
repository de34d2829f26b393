#include "search/engine/run/SearchContext.h"

namespace search {
namespace {
constexpr auto kYieldInterval = std::chrono::milliseconds(25);
constexpr unsigned kCallsPerClockRead = 64;
}  // namespace

void TSearchContext::AddErrorNode(std::string text) {
  host_.BeginResultsUpdate();
  results_.AddErrorNode(std::move(text));
  host_.EndResultsUpdate();
  ResultsAdded();
}

void TSearchContext::SetPath(const std::string& text) {
  if (text == path_) return;
  path_ = text;
  host_.BusyPath(path_);
}

void TSearchContext::ShowCounters() {
  if (counters_ == shownCounters_) return;
  shownCounters_ = counters_;
  host_.BusyCounters(counters_);
}

bool TSearchContext::Cancelled() {
  if (!cancelled_) cancelled_ = host_.CancelRequested();
  return cancelled_;
}

void TSearchContext::Yield() {
  if (++callsSinceClock_ < kCallsPerClockRead) return;
  YieldNow();
}

void TSearchContext::YieldNow() {
  callsSinceClock_ = 0;
  const auto now = std::chrono::steady_clock::now();
  if (now - lastYield_ < kYieldInterval) return;
  lastYield_ = now;
  ShowCounters();
  host_.Yield();
}

}  // namespace search
