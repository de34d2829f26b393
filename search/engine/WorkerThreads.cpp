#include "search/engine/WorkerThreads.h"

namespace search {

TWorkerThreads::TWorkerThreads(unsigned count, const std::function<void()>& work, std::function<void()> stop)
    : stop_(std::move(stop)) {
  try {
    threads_.reserve(count);
    for (unsigned i = 0; i < count; ++i) threads_.emplace_back(work);
  } catch (...) {
    StopAndJoin();
    throw;
  }
}

TWorkerThreads::~TWorkerThreads() { StopAndJoin(); }

void TWorkerThreads::StopAndJoin() {
  if (threads_.empty()) return;
  stop_();
  for (std::thread& thread : threads_) thread.join();
  threads_.clear();
}

}  // namespace search
