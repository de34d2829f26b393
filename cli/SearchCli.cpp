// search-cli: runs one search on the command line and prints the results tree.

#include <atomic>
#include <memory>
#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

#include "cli/CliOptions.h"
#include "cli/RowWriter.h"
#include "search/engine/filter/FilterDescription.h"
#include "search/engine/results/ResultTexts.h"
#include "search/engine/run/SearchHost.h"
#include "search/engine/run/SearchRun.h"
#include "search/engine/run/SearchState.h"
#include "search/engine/TextRules.h"

namespace {

std::atomic<bool> interrupted{false};

// The first Ctrl+C cancels the search (the results so far are printed); a second one ends the
// program at once, as command-line users expect.
void OnInterrupt(int) {
  if (interrupted.exchange(true)) _exit(130);
}

// Cancel comes from Ctrl+C; the last status texts are kept for --status. Without sorting the
// rows are written as each file's results are complete and the tree keeps none of them, so
// memory does not grow with the number of results.
class TCliHost final : public search::TSearchHost, public search::TFileRowsSink {
 public:
  explicit TCliHost(cli::TRowWriter* streamTo) : stream_(streamTo) {}

  // A failed write ends the search too: its results could not be seen.
  bool CancelRequested() override {
    return interrupted.load(std::memory_order_relaxed) || (stream_ != nullptr && stream_->Failed());
  }
  void ShowStatus(const search::TStatusTexts& texts) override { status_ = texts; }
  const search::TStatusTexts& Status() const { return status_; }

  search::TFileRowsSink* RowsSink() override { return stream_ != nullptr ? this : nullptr; }
  void FileRows(const search::TTreeViewFile& file, const search::TFileScanResult& result) override {
    ++filesWritten_;
    stream_->WriteFile(file, result);
  }
  void ResultsAdded(search::TResultTree& results) override {
    if (stream_ == nullptr) return;
    for (const auto& node : results.TakeNodes()) Write(*node, *stream_);
  }

  // Writes the rows the tree still holds (all of them when nothing was streamed).
  void WriteRemaining(const search::TResultTree& results, cli::TRowWriter& writer) {
    for (const auto& node : results.TopLevel()) Write(*node, writer);
  }

  size_t FilesWritten() const { return filesWritten_; }
  // The first row written, or else the first row the tree holds.
  std::string FirstRow(const search::TResultTree& results) const {
    if (!firstRow_.empty() || results.Empty()) return firstRow_;
    return results.TopLevel().front()->Payload->GetDisplayText({});
  }

 private:
  void Write(const search::TResultNode& node, cli::TRowWriter& writer) {
    if (firstRow_.empty() && node.Payload) firstRow_ = node.Payload->GetDisplayText({});
    filesWritten_ += node.File() != nullptr;
    writer.WriteNode(node);
  }

  cli::TRowWriter* stream_;
  search::TStatusTexts status_;
  size_t filesWritten_ = 0;
  std::string firstRow_;
};

// The label text on the first line, then each clause of the hint on a line of its own.
void PrintFilterDescription(const search::TFileFilter& filter) {
  const search::TFilterDescription description = search::DescribeFilter(filter);
  std::string out = description.Label + "\n";
  for (const std::string& line : description.HintLines()) out += line + "\n";
  fputs(out.c_str(), stdout);
}

}  // namespace

int main(int argc, char** argv) {
  setlocale(LC_ALL, "");
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  std::string error;
  const auto options = cli::ParseCliOptions(arguments, error);
  if (!options) {
    fprintf(stderr, "search-cli: %s\n", error.c_str());
    return 2;
  }
  if (options->ShowHelp) {
    fputs(cli::kCliHelp, stdout);
    return 0;
  }
  if (options->ShowFilterDescription) {
    PrintFilterDescription(options->Criteria.Filter);
    return 0;
  }

  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  action.sa_flags = SA_RESTART;  // a Ctrl+C while the results are written does not break the write
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);

  // The state lives until the process ends; freeing a large tree would only cost time.
  static search::TSearchState& state = *std::make_unique<search::TSearchState>().release();
  search::TSearchCriteria criteria = options->Criteria;
  cli::TRowWriter writer(STDOUT_FILENO, isatty(STDOUT_FILENO) == 0, options->Display);
  const bool streamed = criteria.Sort.SortField == search::kSortNone && !options->NamesOnly;
  TCliHost host(streamed ? &writer : nullptr);
  const search::TSearchOutcome outcome = search::RunSearch(state, criteria, host);
  bool written;
  if (options->NamesOnly) {
    const std::string names = search::JoinLines(search::GetAllFileNames(state.Results));
    written = fwrite(names.data(), 1, names.size(), stdout) == names.size() && fflush(stdout) == 0;
  } else {
    host.WriteRemaining(state.Results, writer);
    written = writer.Flush();
  }
  if (!written) {
    fprintf(stderr, "search-cli: the results could not be written: %s\n", std::strerror(errno));
    return 2;
  }

  if (options->ShowStatus) {
    for (const std::string& panel : host.Status().Panels) {
      fprintf(stderr, "%s\n", search::Trim(panel).c_str());
    }
  }
  if (outcome == search::TSearchOutcome::NotRun) {
    const std::string notice = host.FirstRow(state.Results);
    fprintf(stderr, "search-cli: %s\n", notice.empty() ? "the search could not run" : notice.c_str());
    return 2;
  }
  const size_t files = options->NamesOnly ? state.Results.FileNodeCount() : host.FilesWritten();
  return files > 0 ? 0 : 1;
}
