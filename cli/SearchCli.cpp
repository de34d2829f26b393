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
#include "cli/RowText.h"
#include "search/engine/filter/FilterDescription.h"
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

// Cancel comes from Ctrl+C; the last status texts are kept for --status.
class TCliHost final : public search::TSearchHost {
 public:
  bool CancelRequested() override { return interrupted.load(std::memory_order_relaxed); }
  void ShowStatus(const search::TStatusTexts& texts) override { status_ = texts; }
  const search::TStatusTexts& Status() const { return status_; }

 private:
  search::TStatusTexts status_;
};

// Prints one row a line; rows for a pipe or a file are escaped so that each stays one line.
// False when writing failed (errno tells why).
bool PrintTree(const search::TResultTree& tree, const search::TDisplayOptions& display) {
  const bool escape = isatty(STDOUT_FILENO) == 0;
  std::string out;
  out.reserve(1 << 16);
  bool written = true;
  auto flush = [&] {
    if (written && !out.empty() && fwrite(out.data(), 1, out.size(), stdout) != out.size()) written = false;
    out.clear();
  };
  auto emit = [&](const std::string& text) {
    out += escape ? cli::EscapedRow(text) : text;
    out += '\n';
    if (out.size() >= (1 << 16)) flush();
  };
  for (const auto& node : tree.TopLevel()) {
    emit(node->Payload->GetDisplayText(display));
    for (const auto& line : node->Lines) emit(line->GetDisplayText(display));
  }
  flush();
  return written && fflush(stdout) == 0 && ferror(stdout) == 0;
}

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
  TCliHost host;
  const search::TSearchOutcome outcome = search::RunSearch(state, criteria, host);
  if (!PrintTree(state.Results, options->Display)) {
    fprintf(stderr, "search-cli: the results could not be written: %s\n", std::strerror(errno));
    return 2;
  }

  if (options->ShowStatus) {
    for (const std::string& panel : host.Status().Panels) {
      fprintf(stderr, "%s\n", search::Trim(panel).c_str());
    }
  }
  if (outcome == search::TSearchOutcome::NotRun) {
    const auto& nodes = state.Results.TopLevel();
    fprintf(stderr, "search-cli: %s\n",
            nodes.empty() ? "the search could not run" : nodes.front()->Payload->GetDisplayText({}).c_str());
    return 2;
  }
  return state.Results.FileNodeCount() > 0 ? 0 : 1;
}
