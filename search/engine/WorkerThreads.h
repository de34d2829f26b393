#pragma once
// The threads of a worker pool: started together, and stopped and joined together however
// the pool ends, also when starting one of them fails.

#include <functional>
#include <thread>
#include <vector>

namespace search {

class TWorkerThreads {
 public:
  // Starts `count` threads running `work`. `stop` must make every `work` return soon (set the
  // pool's stop flag and wake its threads); it runs before the threads are joined. When a
  // thread cannot be started, the ones already running are stopped and joined and the
  // failure is thrown on.
  TWorkerThreads(unsigned count, const std::function<void()>& work, std::function<void()> stop);
  ~TWorkerThreads();
  TWorkerThreads(const TWorkerThreads&) = delete;
  TWorkerThreads& operator=(const TWorkerThreads&) = delete;

  size_t Count() const { return threads_.size(); }

 private:
  void StopAndJoin();

  std::function<void()> stop_;
  std::vector<std::thread> threads_;
};

}  // namespace search
