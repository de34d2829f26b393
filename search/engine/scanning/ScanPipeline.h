#pragma once
// Worker threads that scan files in the order they were added and hand the outcomes back in
// that same order. Files can be added while the workers already run, so scanning can start
// while the folders are still being walked. The thread that takes the outcomes scans too
// while it would otherwise wait, so `threads` threads in all do the work.

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "search/engine/scanning/FileScan.h"

namespace search {

class TScanPipeline {
 public:
  TScanPipeline(const TScanSettings& settings, unsigned threads);
  ~TScanPipeline();  // stops and joins the workers
  TScanPipeline(const TScanPipeline&) = delete;
  TScanPipeline& operator=(const TScanPipeline&) = delete;

  void Add(std::vector<std::string> paths);
  size_t Added() const;
  const std::string& Path(size_t index) const;

  // The outcome of the next file in order. Until it is ready this thread scans files no worker
  // has taken (with `control`), or waits, calling `idle` about every 20 ms. Returns nothing
  // when every added file has been taken.
  template <typename Idle>
  std::optional<TFileScanResult> TakeNext(Idle idle, TScanControl& control);

  // Makes the workers stop at the next line of the files they are on.
  void Cancel() { cancel_ = true; }

 private:
  void Work();
  // Scans the next file no one has taken, on this thread; false when there is none.
  bool ScanOneHere(std::unique_lock<std::mutex>& lock, TScanControl& control);
  TFileScanResult ScanSafely(const std::string& path, TScanBuffers& buffers, TScanControl& control) const;
  bool WaitForNext(std::unique_lock<std::mutex>& lock);

  const TScanSettings& settings_;
  mutable std::mutex mutex_;
  std::condition_variable workAvailable_;
  std::condition_variable resultReady_;
  std::deque<std::string> paths_;                    // every file added, in order
  std::deque<std::optional<TFileScanResult>> done_;  // outcomes from index `taken_` on
  size_t nextToScan_ = 0;
  size_t taken_ = 0;
  int idleWorkers_ = 0;
  bool takerWaiting_ = false;
  bool stopping_ = false;
  std::atomic<bool> cancel_{false};
  std::vector<std::jthread> workers_;
  TScanBuffers takerBuffers_;  // for the files the taking thread scans itself
};

template <typename Idle>
std::optional<TFileScanResult> TScanPipeline::TakeNext(Idle idle, TScanControl& control) {
  std::unique_lock lock(mutex_);
  if (taken_ >= paths_.size()) return std::nullopt;
  while (done_.empty() || !done_.front()) {
    if (control.Cancelled()) {
      cancel_ = true;  // the workers stop at their next line
    } else if (ScanOneHere(lock, control)) {
      continue;
    }
    takerWaiting_ = true;
    const bool woken = WaitForNext(lock);
    takerWaiting_ = false;
    if (!woken) {
      lock.unlock();
      idle();
      lock.lock();
    }
  }
  TFileScanResult result = std::move(*done_.front());
  done_.pop_front();
  ++taken_;
  return result;
}

}  // namespace search
