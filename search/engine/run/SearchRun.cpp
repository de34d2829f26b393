#include "search/engine/run/SearchRun.h"

#include "search/engine/walk/FileFinder.h"
#include "search/engine/scanning/FileScanner.h"
#include "search/engine/matching/RegExprTest.h"
#include "search/engine/results/ResultSorting.h"
#include "search/engine/ScopeExit.h"
#include "search/engine/run/SearchContext.h"
#include "search/engine/TextRules.h"

namespace search {
namespace {

class TSearchRun {
 public:
  TSearchRun(TSearchState& state, TSearchCriteria& criteria, TSearchHost& host)
      : state_(state), criteria_(criteria), host_(host), context_(host, state.Results) {}

  TSearchOutcome Run();

 private:
  bool CompileExpressions();
  void ReadCriteriaTexts();
  void RememberCriteria();
  void FindFiles(const TFindKey& key);
  void FilterFiles(TFileList& working);
  void SearchFiles(const TFileList& working);
  TFileScanner& Scanner();
  std::unique_ptr<TStringTest> StringTest(const std::string& text, const TRegExpr& expression) const;
  TSearchOutcome Finish();
  void UpdateStatus(const std::string& text) { host_.ShowStatus(state_.StatusTexts(text)); }
  void CloseBusy() {
    if (busyShown_) host_.CloseBusy();
    busyShown_ = false;
  }
  void AddHistoryEntry();

  TSearchState& state_;
  TSearchCriteria& criteria_;
  TSearchHost& host_;
  TSearchContext context_;
  std::string path_;
  std::string files_;
  bool busyShown_ = false;
  std::unique_ptr<TFileScanner> scanner_;
};

TSearchOutcome TSearchRun::Run() {
  host_.SetWindowEnabled(false);
  TScopeExit enableWindow([this] { host_.SetWindowEnabled(true); });

  state_.Results.Clear();
  host_.ResultsCleared();
  const bool holdRepaint = !criteria_.ShowsResultsAsFound;
  if (holdRepaint) host_.BeginResultsUpdate();
  TScopeExit closeBracket([&] {
    if (holdRepaint) host_.EndResultsUpdate();
  });

  if (!CompileExpressions()) return TSearchOutcome::NotRun;
  state_.MatchType = GetMatchType(criteria_.MatchButton, criteria_.StringA, criteria_.StringB);
  criteria_.Path = NormalisePathText(criteria_.Path);
  ReadCriteriaTexts();

  host_.ShowBusy();
  busyShown_ = true;
  TScopeExit closeBusy([this] { CloseBusy(); });
  context_.SetOperation("");
  context_.SetPath("");
  RememberCriteria();

  const bool withinMatched = criteria_.SearchWithinMatchedFiles && state_.CanSearchWithinMatchedFiles();
  if (!withinMatched) {
    // The current texts are compared trimmed, but the key keeps the boxes' texts as typed,
    // so a box with surrounding blanks always finds again.
    const TFindKey current{path_, files_, criteria_.ExcludeFiles, criteria_.ExcludeFolders,
                           criteria_.RecurseSubdirectories};
    if (!(current == state_.LastFind)) {
      FindFiles({criteria_.Path, criteria_.Files, criteria_.ExcludeFiles, criteria_.ExcludeFolders,
                 criteria_.RecurseSubdirectories});
    }
  }

  if (state_.FoundFiles.Empty()) {
    if (!context_.Cancelled()) context_.AddErrorNode("*** No Files Found ***");
    return Finish();
  }
  UpdateStatus("Searching files...");
  context_.SetOperation("Searching...");
  context_.SetPath("");

  TFileList working;
  if (context_.Cancelled()) {
    return Finish();
  }
  if (criteria_.StringA.empty() && criteria_.StringB.empty()) {
    // A search by name only: every file that passes the filter is listed, none is read.
    state_.FoundFiles.ReadMissingFacts();
    FilterFiles(working);
    state_.MatchedFiles = working;
    host_.BeginResultsUpdate();
    state_.Results.AddFileNodes(working);
    host_.EndResultsUpdate();
    context_.ResultsAdded();
    return Finish();
  }
  if (withinMatched) {
    working = state_.MatchedFiles;
  } else {
    FilterFiles(working);
  }
  context_.Counters().Found = static_cast<int64_t>(working.Count());
  state_.MatchedFiles.Clear();
  SearchFiles(working);
  if (!context_.Cancelled() && !state_.Results.HasHadNodes() && context_.Counters().Matched == 0) {
    context_.AddErrorNode("*** No Matches Found ***");
  }
  return Finish();
}

// Regular expressions are compiled before anything else; a failure ends the run with one
// notice and nothing else changed.
bool TSearchRun::CompileExpressions() {
  if (!criteria_.RegularExpressions) return true;
  // The main window keeps r off and i the opposite of Case sensitive; the rest stay at their defaults.
  for (TRegExpr* expression : {&state_.RegExprA, &state_.RegExprB}) {
    expression->ModifierR = false;
    expression->ModifierI = !criteria_.CaseSensitive;
  }
  const std::optional<std::string> error =
      search::CompileExpressions(state_.RegExprA, criteria_.StringA, state_.RegExprB, criteria_.StringB);
  if (!error) return true;
  context_.AddErrorNode(*error);
  return false;
}

void TSearchRun::ReadCriteriaTexts() {
  path_ = Trim(criteria_.Path);
  files_ = Trim(criteria_.Files);
  if (files_.empty()) {
    files_ = "*.*";
    criteria_.Files = files_;
  }
}

void TSearchRun::RememberCriteria() {
  criteria_.Path = NormalisePathText(criteria_.Path);
  TRecentValues& recent = state_.Recent;
  RememberRecentValue(recent.Path, criteria_.Path);
  RememberRecentValue(recent.Files, criteria_.Files);
  RememberRecentValue(recent.ExcludeFolders, criteria_.ExcludeFolders);
  RememberRecentValue(recent.ExcludeFiles, criteria_.ExcludeFiles);
  RememberRecentValue(recent.StringA, criteria_.StringA);
  RememberRecentValue(recent.StringB, criteria_.StringB);
  host_.CriteriaRemembered(criteria_, state_.MatchType, recent);
}

void TSearchRun::FindFiles(const TFindKey& key) {
  state_.LastFind = key;
  state_.FoundFiles.Clear();
  state_.MatchedFiles.Clear();
  if (PathHasExcludedFolder(key.ExcludeFolders, key.Path)) {
    context_.AddErrorNode("*** Excluded folder in search path: " + key.Path + " ***");
    return;
  }
  UpdateStatus("Finding files...");
  context_.SetOperation("Finding files...");
  // The facts serve the listing by name and the filter; a search of contents without a filter
  // needs neither.
  const bool byNameOnly = criteria_.StringA.empty() && criteria_.StringB.empty();
  const bool needsFacts = byNameOnly || criteria_.Filter.Active();
  TFileFinder finder(state_.LastFind, state_.FoundFiles, context_, needsFacts, EffectiveThreads(criteria_));
  // Without a filter every found file is searched, so its scan can start at once.
  if (!needsFacts) {
    finder.OnFileFound([this](const std::string& path, const TFoundFileHints& hints) { Scanner().Prefetch(path, hints); });
  }
  if (!finder.FindFiles([this] { UpdateStatus(""); })) {
    // A cancelled find is never reused: the next search finds again.
    scanner_.reset();
    state_.LastFind = TFindKey{};
    state_.LastFind.RecurseSubdirectories = key.RecurseSubdirectories;
    state_.FoundFiles.Clear();
  }
}

// The found files that pass the filter become the working list. A found-file list made for a
// search without a filter lacks the facts the filter tests, so they are read first.
void TSearchRun::FilterFiles(TFileList& working) {
  if (!criteria_.Filter.Active()) {
    working = state_.FoundFiles;
    return;
  }
  state_.FoundFiles.ReadMissingFacts();
  criteria_.Filter.FilterFiles(state_.FoundFiles, working);
}

// The test of one string: its compiled expression, or the plain string; none when it is empty.
std::unique_ptr<TStringTest> TSearchRun::StringTest(const std::string& text, const TRegExpr& expression) const {
  if (text.empty()) return nullptr;
  if (criteria_.RegularExpressions) return std::make_unique<TRegExprTest>(expression);
  return MakePlainStringTest(text, criteria_);
}

TFileScanner& TSearchRun::Scanner() {
  if (!scanner_) {
    scanner_ = std::make_unique<TFileScanner>(criteria_, state_.MatchType,
                                              StringTest(criteria_.StringA, state_.RegExprA),
                                              StringTest(criteria_.StringB, state_.RegExprB), context_,
                                              state_.MatchedFiles);
  }
  return *scanner_;
}

void TSearchRun::SearchFiles(const TFileList& working) { Scanner().SearchFiles(working); }

TSearchOutcome TSearchRun::Finish() {
  const bool cancelled = context_.Cancelled();
  if (cancelled) context_.AddErrorNode("*** Search Cancelled ***");
  context_.ShowCounters();
  state_.TotalMatches = context_.Counters().TotalMatches;
  UpdateStatus(cancelled ? "Search cancelled" : "Finished");
  CloseBusy();
  SortResults(state_.Results, criteria_.Sort);
  // The history keeps the tree as it is shown, so a restored search looks as it did.
  if (host_.KeepsHistory()) AddHistoryEntry();
  host_.ResultsSorted();
  return cancelled ? TSearchOutcome::Cancelled : TSearchOutcome::Finished;
}

void TSearchRun::AddHistoryEntry() {
  TSearchHistoryEntry entry;
  entry.ResultNodes = TResultSnapshot::Of(state_.Results);
  entry.Path = path_;
  entry.Files = files_;
  entry.TotalMatches = state_.TotalMatches;
  entry.RegularExpressions = criteria_.RegularExpressions;
  entry.SearchWithinMatchedFiles = criteria_.SearchWithinMatchedFiles;
  entry.WholeWordOnly = criteria_.WholeWordOnly;
  entry.MinimiseWhitespace = criteria_.MinimiseWhitespace;
  entry.ShowMatches = criteria_.ShowMatches;
  entry.RecurseSubdirectories = criteria_.RecurseSubdirectories;
  entry.CaseSensitive = criteria_.CaseSensitive;
  entry.MatchedFiles = state_.MatchedFiles;
  entry.FoundFiles = state_.FoundFiles;
  entry.MatchType = state_.MatchType;
  entry.StringB = criteria_.StringB;
  entry.StringA = criteria_.StringA;
  entry.ExcludeFiles = criteria_.ExcludeFiles;
  entry.ExcludeFolders = criteria_.ExcludeFolders;
  host_.AddHistoryEntry(std::move(entry));
}

}  // namespace

TSearchOutcome RunSearch(TSearchState& state, TSearchCriteria& criteria, TSearchHost& host) {
  return TSearchRun(state, criteria, host).Run();
}

}  // namespace search
