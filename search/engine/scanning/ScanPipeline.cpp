#include "search/engine/scanning/ScanPipeline.h"

#include <algorithm>

namespace search {
namespace {

class TFlagControl final : public TScanControl {
 public:
  explicit TFlagControl(const std::atomic<bool>& cancel) : cancel_(cancel) {}
  bool Cancelled() override { return cancel_.load(std::memory_order_relaxed); }

 private:
  const std::atomic<bool>& cancel_;
};

}  // namespace

TScanPipeline::TScanPipeline(const TScanSettings& settings, unsigned threads, unsigned diskWaitThreads)
    : settings_(settings),
      workerCount_(threads > 1 ? threads - 1 : 0),
      standbyCount_(diskWaitThreads),
      workers_(static_cast<unsigned>(workerCount_ + standbyCount_), [this] { Work(); }, [this] { Stop(); }) {}

TScanPipeline::~TScanPipeline() = default;

void TScanPipeline::Stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  cancel_ = true;
  workAvailable_.notify_all();
  diskWaitSeenChanged_.notify_all();
}

bool TScanPipeline::AwaitDiskWait() {
  std::unique_lock lock(mutex_);
  diskWaitSeenChanged_.wait(lock, [this] { return stopping_ || diskWaitSeen_; });
  return !stopping_;
}

void TScanPipeline::NoteOutcome(const TFileScanResult& result) {
  if (!result.WaitedOnDisk || diskWaitSeen_ || standbyCount_ == 0) return;
  diskWaitSeen_ = true;
  diskWaitSeenChanged_.notify_all();
}

bool TScanPipeline::ScanOneHere(std::unique_lock<std::mutex>& lock, TScanControl& control) {
  if (nextToScan_ >= paths_.size()) return false;
  const size_t index = nextToScan_++;
  TFileToScan& file = paths_[index];  // files are only ever appended: the entry stays put
  lock.unlock();
  TFileScanResult result = ScanFile(file, settings_, takerBuffers_, control);
  lock.lock();
  file.Hints.Folder.reset();  // the folder need not stay open for this file any longer
  NoteOutcome(result);
  const size_t slot = index - taken_;
  if (done_.size() <= slot) done_.resize(slot + 1);
  done_[slot] = std::move(result);
  return true;
}

void TScanPipeline::Add(std::vector<TFileToScan> files) {
  bool wake;
  {
    std::lock_guard lock(mutex_);
    for (TFileToScan& file : files) paths_.push_back(std::move(file));
    wake = idleWorkers_ > 0;
  }
  if (wake) workAvailable_.notify_all();
}

size_t TScanPipeline::Added() const {
  std::lock_guard lock(mutex_);
  return paths_.size();
}

const std::string& TScanPipeline::Path(size_t index) const {
  std::lock_guard lock(mutex_);
  return paths_.at(index).Path;
}

bool TScanPipeline::WaitForNext(std::unique_lock<std::mutex>& lock) {
  takerWaiting_ = true;
  const bool ready = resultReady_.wait_for(lock, std::chrono::milliseconds(20), [this] { return NextIsReady(); });
  takerWaiting_ = false;
  return ready;
}

// A worker takes a few files at a time and hands their outcomes back together, so that the
// threads meet at the lock once per batch rather than once per file. The batch's slots are
// made when it is taken, so that even a worker that fails leaves an outcome in each.
void TScanPipeline::Work() {
  if (workersStarted_++ >= workerCount_ && !AwaitDiskWait()) return;
  constexpr size_t kBatch = 8;
  TScanBuffers buffers;
  TFlagControl control(cancel_);
  std::vector<TFileToScan*> batch;
  std::vector<TFileScanResult> results;
  for (;;) {
    size_t first;
    size_t take;
    {
      std::unique_lock lock(mutex_);
      ++idleWorkers_;
      workAvailable_.wait(lock, [&] { return stopping_ || (!cancel_ && MayScanAhead()); });
      --idleWorkers_;
      if (stopping_) return;
      // Smaller batches near the end keep every worker busy to the last file.
      const size_t room = kLookahead > Ahead() ? kLookahead - Ahead() : 0;
      const size_t waiting = std::min(paths_.size() - nextToScan_, room);
      take = std::clamp<size_t>(waiting / (2 * ActiveWorkers() + 2), 1, kBatch);
      first = nextToScan_;
      const size_t slot = first - taken_;
      if (done_.size() < slot + take) done_.resize(slot + take);
      // Files are only ever appended, so the entries stay put once the lock is let go.
      batch.clear();
      for (size_t i = first; i < first + take; ++i) batch.push_back(&paths_[i]);
      nextToScan_ += take;
      windowFull_ = Ahead() >= kLookahead;
    }
    results.clear();
    try {
      for (const TFileToScan* file : batch) results.push_back(ScanFile(*file, settings_, buffers, control));
    } catch (...) {  // no room even for an outcome: the files left say so
    }
    bool awaited;
    {
      std::lock_guard lock(mutex_);
      const size_t slot = first - taken_;
      for (size_t i = 0; i < take; ++i) {
        batch[i]->Hints.Folder.reset();  // the folder need not stay open for this file any longer
        if (i < results.size()) {
          NoteOutcome(results[i]);
          done_[slot + i] = std::move(results[i]);
        } else {
          done_[slot + i].emplace();
          done_[slot + i]->Opened = true;
          done_[slot + i]->Failed = true;
          done_[slot + i]->ErrorMessage = "Out of memory";
        }
      }
      awaited = slot == 0 && takerWaiting_;
    }
    if (awaited) resultReady_.notify_one();
  }
}

}  // namespace search
