#include "search/engine/FileScanner.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include "search/engine/CaseFolding.h"
#include "search/engine/PlainStringTest.h"
#include "search/engine/ScopeExit.h"
#include "search/engine/TextRules.h"

namespace search {
namespace {

// How far the workers may run ahead of the file whose results are being added.
constexpr size_t kLookAhead = 256;

class TContextControl final : public TScanControl {
 public:
  explicit TContextControl(TSearchContext& context) : context_(context) {}
  bool Cancelled() override { return context_.Cancelled(); }
  void Yield() override { context_.Yield(); }

 private:
  TSearchContext& context_;
};

class TFlagControl final : public TScanControl {
 public:
  explicit TFlagControl(const std::atomic<bool>& cancel) : cancel_(cancel) {}
  bool Cancelled() override { return cancel_.load(std::memory_order_relaxed); }

 private:
  const std::atomic<bool>& cancel_;
};

std::string ErrorText(const TFileScanResult& result) {
  return result.ErrorCode != 0 ? SystemErrorText(result.ErrorCode) : result.ErrorMessage;
}

}  // namespace

std::unique_ptr<TStringTest> MakePlainStringTest(const std::string& text, const TSearchCriteria& criteria) {
  if (text.empty()) return nullptr;
  return std::make_unique<TPlainStringTest>(text, criteria.CaseSensitive, criteria.WholeWordOnly,
                                            LocaleIsUtf8());
}

TFileScanner::TFileScanner(const TSearchCriteria& criteria, int matchType,
                           std::unique_ptr<TStringTest> first, std::unique_ptr<TStringTest> second,
                           TSearchContext& context, TFileList& matchedFiles)
    : criteria_(criteria),
      matcher_(std::move(first), std::move(second), matchType, criteria.MatchProximity),
      context_(context),
      matchedFiles_(matchedFiles) {
  settings_.Matcher = &matcher_;
  settings_.Before = criteria.NumberOfLinesToShowBeforeMatch;
  settings_.After = criteria.NumberOfLinesToShowAfterMatch;
  settings_.IncludeBlankLines = criteria.IncludeBlankLines;
  // Show matched lines is disabled while whole-file mode judges And or And Not; minimising
  // needs it.
  settings_.ShowMatches = criteria.ShowMatches && !matcher_.JudgesWholeFile();
  settings_.MinimiseWhitespace = criteria.MinimiseWhitespace && settings_.ShowMatches;
  settings_.MatchProximity = criteria.MatchProximity;
}

void TFileScanner::SearchFiles(const TFileList& working) {
  unsigned threads = criteria_.ScanThreads > 0 ? static_cast<unsigned>(criteria_.ScanThreads)
                                               : std::max(1u, std::thread::hardware_concurrency());
  if (working.Count() < 2) threads = 1;
  if (threads == 1) {
    ScanOnThisThread(working);
  } else {
    ScanWithWorkers(working, threads);
  }
}

void TFileScanner::ScanOnThisThread(const TFileList& working) {
  TScanBuffers buffers;
  TContextControl control(context_);
  for (size_t i = 0; i < working.Count(); ++i) {
    const TFileListEntry& entry = working.GetEntry(i);
    context_.SetPath(entry.FileName);
    TFileScanResult result = ScanFile(entry.FileName, settings_, buffers, control);
    if (Commit(entry.FileName, result)) matchedFiles_.AddEntry(entry);
    context_.Yield();
    if (context_.Cancelled()) break;
  }
}

// Workers scan files up to kLookAhead ahead of the file whose results are added next; the
// calling thread adds results strictly in list order, waking only when the next one is ready.
void TFileScanner::ScanWithWorkers(const TFileList& working, unsigned threads) {
  const size_t count = working.Count();
  std::mutex mutex;
  std::condition_variable workAvailable;
  std::condition_variable resultReady;
  std::vector<std::optional<TFileScanResult>> slots(kLookAhead);
  size_t nextToScan = 0;
  size_t nextToCommit = 0;
  int idleWorkers = 0;
  bool stopping = false;
  std::atomic<bool> cancel{false};

  auto worker = [&] {
    TScanBuffers buffers;
    TFlagControl control(cancel);
    for (;;) {
      size_t index;
      {
        std::unique_lock lock(mutex);
        ++idleWorkers;
        workAvailable.wait(lock, [&] {
          return stopping || (nextToScan < count && nextToScan < nextToCommit + kLookAhead);
        });
        --idleWorkers;
        if (stopping) return;
        index = nextToScan++;
      }
      TFileScanResult result;
      try {
        result = ScanFile(working.GetEntry(index).FileName, settings_, buffers, control);
      } catch (...) {
        result = TFileScanResult{};
        result.Opened = true;
        result.Failed = true;
        result.ErrorMessage = "Out of memory";
      }
      bool awaited;
      {
        std::lock_guard lock(mutex);
        slots[index % kLookAhead] = std::move(result);
        awaited = index == nextToCommit;
      }
      if (awaited) resultReady.notify_one();
    }
  };

  std::vector<std::jthread> pool;
  // However the loop ends, the workers are told to stop before they are joined.
  TScopeExit stopWorkers([&] {
    {
      std::lock_guard lock(mutex);
      stopping = true;
    }
    cancel = true;
    workAvailable.notify_all();
  });
  for (unsigned i = 0; i < threads; ++i) pool.emplace_back(worker);

  std::vector<TFileScanResult> ready;
  bool wakeWorkers = false;
  size_t index = 0;
  while (index < count) {
    {
      std::unique_lock lock(mutex);
      // Wait for the next file's outcome, keeping the window alive and listening for Cancel.
      while (!slots[index % kLookAhead]) {
        if (resultReady.wait_for(lock, std::chrono::milliseconds(20)) == std::cv_status::timeout) {
          lock.unlock();
          context_.YieldNow();
          if (context_.Cancelled()) cancel = true;
          lock.lock();
        }
      }
      // Take every result that is ready in order.
      for (size_t next = index; next < count && slots[next % kLookAhead]; ++next) {
        ready.push_back(std::move(*slots[next % kLookAhead]));
        slots[next % kLookAhead].reset();
      }
      nextToCommit = index + ready.size();
      wakeWorkers = idleWorkers > 0;
    }
    if (wakeWorkers) workAvailable.notify_all();
    for (TFileScanResult& result : ready) {
      const TFileListEntry& entry = working.GetEntry(index++);
      context_.SetPath(entry.FileName);
      if (Commit(entry.FileName, result)) matchedFiles_.AddEntry(entry);
      context_.Yield();
      if (context_.Cancelled()) return;
    }
    ready.clear();
  }
}

bool TFileScanner::Commit(const std::string& path, TFileScanResult& result) {
  if (!result.Opened) {
    context_.AddErrorNode("*** Error reading " + path + ": " + ErrorText(result) + " ***");
    return false;
  }
  TSearchHost& host = context_.Host();
  TBusyCounters& counters = context_.Counters();
  host.BeginResultsUpdate();
  TResultNode* node = nullptr;
  if (result.HasFileNode) {
    const platform::fs::FileFacts& facts = result.Facts;
    node = &context_.Results().AddFileNode(std::make_unique<TTreeViewFile>(
        path, facts.size, facts.created, facts.modified, facts.accessed, 0));
    ++counters.Matched;
    node->Lines.reserve(result.Lines.size());
    for (TScannedLine& line : result.Lines) {
      TResultTree::AddLineNode(*node, std::move(line.Text), line.Matched, line.Number);
    }
    if (!matcher_.JudgesWholeFile()) node->File()->Matches = result.Matches;
    counters.TotalMatches += result.Matches + (result.WholeFileMatch ? 1 : 0);
    if (criteria_.AutoExpand) {
      node->Expanded = true;
      host.ExpandNode(*node);
    }
  }
  counters.Lines += result.LineCount;
  ++counters.Searched;
  if (result.Failed) {
    context_.Results().AddErrorNode("*** Error reading " + path + ": " + ErrorText(result) + " ***");
  }
  host.EndResultsUpdate();
  return node != nullptr;
}

}  // namespace search
