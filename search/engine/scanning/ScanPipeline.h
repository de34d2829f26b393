#pragma once
// Worker threads that scan files in the order they were added and hand the outcomes back in
// that same order. Files can be added while the workers already run, so scanning can start
// while the folders are still being walked. The thread that takes the outcomes scans too
// while it would otherwise wait, so `threads` threads in all do the work.
//
// When files must come from the disk rather than the page cache, the threads spend their time
// waiting on the device, and more reads in flight finish sooner. So `diskWaitThreads` more
// workers stand by, and join in once a file is found not to be in the page cache; a search
// over cached files never wakes them, and runs without their switching.

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "search/engine/WorkerThreads.h"
#include "search/engine/scanning/FileScan.h"

namespace search {

class TScanPipeline {
 public:
  TScanPipeline(const TScanSettings& settings, unsigned threads, unsigned diskWaitThreads = 0);
  ~TScanPipeline();  // stops and joins the workers
  TScanPipeline(const TScanPipeline&) = delete;
  TScanPipeline& operator=(const TScanPipeline&) = delete;

  void Add(std::vector<TFileToScan> files);
  size_t Added() const;
  const std::string& Path(size_t index) const;

  // The outcome of the next file in order. Until it is ready this thread scans files no worker
  // has taken (with `control`), or waits, calling `idle` about every 20 ms. Returns nothing
  // when every added file has been taken. Once `control` says Cancel, the workers take no
  // more files and the files still to come give cancelled outcomes without being opened.
  template <typename Idle>
  std::optional<TFileScanResult> TakeNext(Idle idle, TScanControl& control);

  // Makes the workers stop at the next line of the files they are on and take no more.
  void Cancel() { cancel_ = true; }

 private:
  void Work();
  void Stop();
  // A standby worker waits here until the disk is found to be waited on; false on stopping.
  bool AwaitDiskWait();
  // Notes a file that was not in the page cache: the standby workers join in. Under the lock.
  void NoteOutcome(const TFileScanResult& result);
  size_t ActiveWorkers() const { return diskWaitSeen_ ? workerCount_ + standbyCount_ : workerCount_; }
  // Scans the next file no one has taken, on this thread; false when there is none.
  bool ScanOneHere(std::unique_lock<std::mutex>& lock, TScanControl& control);
  bool NextIsReady() const { return !done_.empty() && done_.front().has_value(); }
  // Workers run at most this many files ahead of the taker, so that the outcomes waiting to be
  // taken (their lines above all) stay bounded however slowly they are taken. Once the window
  // is full they wait until half of it is free again, rather than waking for every file.
  static constexpr size_t kLookahead = 2048;
  size_t Ahead() const { return nextToScan_ - taken_; }
  bool MayScanAhead() const { return !windowFull_ && nextToScan_ < paths_.size(); }
  // Waits up to 20 ms for the next outcome; false when it is not there yet.
  bool WaitForNext(std::unique_lock<std::mutex>& lock);

  const TScanSettings& settings_;
  mutable std::mutex mutex_;
  std::condition_variable workAvailable_;
  std::condition_variable resultReady_;
  std::deque<TFileToScan> paths_;                    // every file added, in order
  std::deque<std::optional<TFileScanResult>> done_;  // outcomes from index `taken_` on
  size_t nextToScan_ = 0;
  size_t taken_ = 0;
  int idleWorkers_ = 0;
  bool takerWaiting_ = false;
  bool stopping_ = false;
  bool windowFull_ = false;  // the workers wait for room
  bool diskWaitSeen_ = false;
  std::condition_variable diskWaitSeenChanged_;
  std::atomic<unsigned> workersStarted_{0};
  std::atomic<bool> cancel_{false};
  TScanBuffers takerBuffers_;  // for the files the taking thread scans itself
  const size_t workerCount_;   // working from the start
  const size_t standbyCount_;  // working once the disk is waited on
  TWorkerThreads workers_;     // last: the threads stop before anything they use goes
};

template <typename Idle>
std::optional<TFileScanResult> TScanPipeline::TakeNext(Idle idle, TScanControl& control) {
  for (;;) {
    // Asked without the lock: the host's answer may take its time.
    if (control.Cancelled()) cancel_ = true;  // the workers stop at their next line
    std::unique_lock lock(mutex_);
    if (taken_ >= paths_.size()) return std::nullopt;
    if (NextIsReady()) {
      TFileScanResult result = std::move(*done_.front());
      done_.pop_front();
      ++taken_;
      const bool wake = windowFull_ && Ahead() <= kLookahead / 2;
      if (wake) windowFull_ = false;
      lock.unlock();
      if (wake) workAvailable_.notify_all();
      return result;
    }
    // Files no worker has taken are scanned here, also after Cancel (they end at once), so the
    // outcome always comes, with workers or without.
    if (ScanOneHere(lock, control)) continue;
    if (!WaitForNext(lock)) {
      lock.unlock();
      idle();
    }
  }
}

}  // namespace search
