#pragma once
// Runs an action when the scope is left, however it is left.

#include <utility>

namespace search {

template <typename Action>
class TScopeExit {
 public:
  explicit TScopeExit(Action action) : action_(std::move(action)) {}
  ~TScopeExit() { action_(); }
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;

 private:
  Action action_;
};

}  // namespace search
