#include "search/engine/regex/RegExprThreadCache.h"

#include <algorithm>
#include <vector>

namespace search {

namespace {

constexpr std::size_t kMaxAutomataPerThread = 8;

struct TEntry {
  std::weak_ptr<const TRegExprProgram> program;
  std::unique_ptr<TRegExprDfa> dfa;
};

// Same object: the weak pointer keeps its control block alive, so the test cannot be fooled by
// a new program at a recycled address.
bool SameProgram(const std::weak_ptr<const TRegExprProgram>& held,
                 const std::shared_ptr<const TRegExprProgram>& program) {
  return !held.owner_before(program) && !program.owner_before(held);
}

}  // namespace

TRegExprDfa& ThreadRegExprDfa(const std::shared_ptr<const TRegExprProgram>& program) {
  thread_local std::vector<TEntry> entries;  // most recently used first
  if (!entries.empty() && SameProgram(entries.front().program, program)) {
    return *entries.front().dfa;
  }
  const auto found = std::find_if(entries.begin(), entries.end(), [&](const TEntry& entry) {
    return SameProgram(entry.program, program);
  });
  if (found != entries.end()) {
    std::rotate(entries.begin(), found, found + 1);
    return *entries.front().dfa;
  }
  std::erase_if(entries, [](const TEntry& entry) { return entry.program.expired(); });
  if (entries.size() >= kMaxAutomataPerThread) entries.pop_back();
  entries.insert(entries.begin(), TEntry{program, std::make_unique<TRegExprDfa>(*program)});
  return *entries.front().dfa;
}

}  // namespace search
