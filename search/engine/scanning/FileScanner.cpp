#include "search/engine/scanning/FileScanner.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <utility>
#include <thread>

#include "search/engine/matching/CaseFolding.h"
#include "search/engine/matching/PlainStringTest.h"
#include "search/engine/scanning/ScanPipeline.h"
#include "search/engine/TextRules.h"

namespace search {
namespace {

class TContextControl final : public TScanControl {
 public:
  explicit TContextControl(TSearchContext& context) : context_(context) {}
  bool Cancelled() override { return context_.Cancelled(); }
  void Yield() override { context_.Yield(); }

 private:
  TSearchContext& context_;
};

std::string ErrorText(const TFileScanResult& result) {
  return result.ErrorCode != 0 ? SystemErrorText(result.ErrorCode) : result.ErrorMessage;
}

// The reason, then the first line left without a verdict and how many more there were.
std::string SkippedLinesText(const TFileScanResult& result) {
  const std::vector<int64_t>& lines = result.SkippedLines;
  std::string text = result.SkipReason + ": line " + std::to_string(lines.front());
  if (lines.size() == 1) return text + " was skipped";
  return text + " and " + std::to_string(lines.size() - 1) + " more were skipped";
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
  threads_ = EffectiveThreads(criteria);
  diskWaitThreads_ = DiskWaitThreads(criteria);
}

TFileScanner::~TFileScanner() = default;

void TFileScanner::SearchFiles(const TFileList& working) {
  if (OnThisThreadOnly()) {
    ScanOnThisThread(working);
  } else {
    ScanWithWorkers(working);
  }
}

void TFileScanner::ScanOnThisThread(const TFileList& working) {
  TScanBuffers buffers;
  TContextControl control(context_);
  for (size_t i = 0; i < working.Count(); ++i) {
    const TFileListEntry& entry = working.GetEntry(i);
    context_.SetPath(entry.FileName);
    TFileToScan file{entry.FileName, {}};
    if (i < prefetched_.size() && prefetched_[i].Path == entry.FileName) file.Hints = std::move(prefetched_[i].Hints);
    TFileScanResult result = ScanFile(file, settings_, buffers, control);
    if (!AddOutcome(entry, result)) break;
  }
}

void TFileScanner::Prefetch(const std::string& path, const TFoundFileHints& hints) {
  prefetched_.push_back({path, hints});
  if (OnThisThreadOnly()) return;
  if (!pipeline_) pipeline_ = std::make_unique<TScanPipeline>(settings_, threads_, diskWaitThreads_);
  if (prefetched_.size() >= 32) pipeline_->Add(std::exchange(prefetched_, {}));
}

// Workers scan the files; this thread adds their outcomes strictly in list order.
void TFileScanner::ScanWithWorkers(const TFileList& working) {
  const size_t count = working.Count();
  if (pipeline_) pipeline_->Add(std::exchange(prefetched_, {}));
  if (pipeline_ && !PipelineHoldsStartOf(working)) pipeline_.reset();
  if (!pipeline_) pipeline_ = std::make_unique<TScanPipeline>(settings_, threads_, diskWaitThreads_);
  std::vector<TFileToScan> rest;
  for (size_t i = pipeline_->Added(); i < count; ++i) rest.push_back({working.GetEntry(i).FileName, {}});
  pipeline_->Add(std::move(rest));

  auto idle = [this] {
    context_.YieldNow();
    if (context_.Cancelled()) pipeline_->Cancel();
  };
  TContextControl control(context_);
  for (size_t index = 0; index < count; ++index) {
    std::optional<TFileScanResult> result = pipeline_->TakeNext(idle, control);
    const TFileListEntry& entry = working.GetEntry(index);
    context_.SetPath(entry.FileName);
    if (!AddOutcome(entry, *result)) break;
  }
  pipeline_.reset();
}

bool TFileScanner::PipelineHoldsStartOf(const TFileList& working) const {
  const size_t added = pipeline_->Added();
  if (added > working.Count()) return false;
  for (size_t i = 0; i < added; ++i) {
    if (pipeline_->Path(i) != working.GetEntry(i).FileName) return false;
  }
  return true;
}

bool TFileScanner::AddOutcome(const TFileListEntry& entry, TFileScanResult& result) {
  if (Commit(entry.FileName, result)) matchedFiles_.AddEntry(entry);
  context_.Yield();
  return !context_.Cancelled();
}

void TFileScanner::AddFileNode(std::unique_ptr<TTreeViewFile> file, TFileScanResult& result) {
  TResultNode& node = context_.Results().AddFileNode(std::move(file));
  node.Lines.reserve(result.Lines.size());
  for (const TScannedLine& line : result.Lines) {
    TResultTree::AddLineNode(node, result.TakeText(line), line.Matched, line.Number);
  }
  if (criteria_.AutoExpand) {
    node.Expanded = true;
    context_.Host().ExpandNode(node);
  }
}

bool TFileScanner::Commit(const std::string& path, TFileScanResult& result) {
  if (!result.Opened && result.Cancelled) return false;  // never opened: Cancel came first
  if (!result.Opened) {
    context_.AddErrorNode("*** Error reading " + path + ": " + ErrorText(result) + " ***");
    return false;
  }
  TSearchHost& host = context_.Host();
  TBusyCounters& counters = context_.Counters();
  host.BeginResultsUpdate();
  bool listed = false;
  if (result.HasFileNode) {
    listed = true;
    const platform::fs::FileFacts& facts = result.Facts;
    auto file = std::make_unique<TTreeViewFile>(path, facts.size, facts.created, facts.modified, facts.accessed, 0);
    if (!matcher_.JudgesWholeFile()) file->Matches = static_cast<int32_t>(std::min<int64_t>(result.Matches, INT32_MAX));
    ++counters.Matched;
    counters.TotalMatches += result.Matches + (result.WholeFileMatch ? 1 : 0);
    if (TFileRowsSink* sink = host.RowsSink()) {
      sink->FileRows(*file, result);
    } else {
      AddFileNode(std::move(file), result);
    }
  }
  counters.Lines += result.LineCount;
  ++counters.Searched;
  if (!result.SkippedLines.empty()) {
    context_.Results().AddErrorNode("*** Error reading " + path + ": " + SkippedLinesText(result) + " ***");
  }
  if (result.Failed) {
    context_.Results().AddErrorNode("*** Error reading " + path + ": " + ErrorText(result) + " ***");
  }
  host.EndResultsUpdate();
  context_.ResultsAdded();
  return listed;
}

}  // namespace search
