#include "search/engine/run/SearchCriteria.h"

#include <algorithm>
#include <thread>

namespace search {

int GetMatchType(TMatchButton button, const std::string& stringA, const std::string& stringB) {
  if (button == TMatchButton::AndNot) return kMatchAndNot;
  if (stringA.empty() || stringB.empty()) return kMatchOr;
  return button == TMatchButton::And ? kMatchAnd : kMatchOr;
}

unsigned MaxScanThreads() {
  return std::min(kMaxScanThreadsInAll, kMaxScanThreadsPerCore * std::max(1u, std::thread::hardware_concurrency()));
}

unsigned EffectiveThreads(const TSearchCriteria& criteria) {
  if (criteria.ScanThreads > 0) return std::min(static_cast<unsigned>(criteria.ScanThreads), MaxScanThreads());
  return std::max(1u, std::thread::hardware_concurrency());
}

unsigned DiskWaitThreads(const TSearchCriteria& criteria) {
  if (criteria.ScanThreads > 0) return 0;
  const unsigned busy = EffectiveThreads(criteria);
  return MaxScanThreads() > busy ? MaxScanThreads() - busy : 0;
}

}  // namespace search
