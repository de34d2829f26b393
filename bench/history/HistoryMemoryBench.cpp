// Memory of the search history: ten searches of 100,000 line nodes each, kept as the history
// keeps them (lines shared with the tree they came from) and, side by side, as full copies of
// every node's save text. Prints the heap in use after each step and the ratio.

#include <malloc.h>

#include <cstdio>
#include <string>
#include <vector>

#include "search/engine/history/SearchHistory.h"
#include "search/engine/results/ResultSnapshot.h"
#include "search/engine/results/ResultTree.h"

namespace {

constexpr int kSearches = 10;
constexpr int kFiles = 1000;
constexpr int kLinesPerFile = 100;

size_t HeapInUse() { return mallinfo2().uordblks; }

// One search's results: 1,000 files of 100 lines, texts like those of a source tree.
void FillTree(search::TResultTree& tree, int search) {
  tree.Clear();
  for (int file = 0; file < kFiles; ++file) {
    auto& node = tree.AddFileNode(std::make_unique<search::TTreeViewFile>(
        "/usr/src/project/module" + std::to_string(file % 37) + "/file" + std::to_string(file) + ".cpp", 4096,
        45000.5, 45000.5, 45000.5, kLinesPerFile));
    node.Lines.reserve(kLinesPerFile);
    for (int line = 0; line < kLinesPerFile; ++line) {
      search::TResultTree::AddLineNode(node, "  result = Compute(value" + std::to_string(search) +
                                                 ", index + " + std::to_string(line) + ");  // keep going",
                                       line % 3 == 0, line + 1);
    }
  }
}

double Megabytes(size_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

// Ten searches, each entering the history the way the given keeper does; the live tree always
// holds the last search. Returns the heap growth over the empty start.
template <typename Keep>
size_t TenSearches(const char* label, Keep keep) {
  const size_t start = HeapInUse();
  search::TResultTree live;
  size_t oneTree = 0;
  for (int search = 0; search < kSearches; ++search) {
    FillTree(live, search);
    if (search == 0) oneTree = HeapInUse() - start;
    keep(live);
  }
  const size_t total = HeapInUse() - start;
  std::printf("%-28s one tree %7.1f MB, ten searches with history %7.1f MB (%.2f trees)\n", label,
              Megabytes(oneTree), Megabytes(total), static_cast<double>(total) / static_cast<double>(oneTree));
  return total;
}

}  // namespace

int main() {
  std::printf("== search history memory: %d searches of %d line nodes ==\n", kSearches, kFiles * kLinesPerFile);
  size_t shared = 0;
  size_t copied = 0;
  // Alternated, so that a disturbed run shows in both.
  for (int round = 0; round < 2; ++round) {
    {
      search::TSearchHistory history;
      shared = TenSearches("shared lines (history)", [&](const search::TResultTree& tree) {
        search::TSearchHistoryEntry entry;
        entry.ResultNodes = search::TResultSnapshot::Of(tree);
        history.Add(std::move(entry));
      });
    }
    {
      std::vector<std::vector<std::string>> texts;
      copied = TenSearches("save-text copies", [&](const search::TResultTree& tree) {
        texts.emplace_back();
        tree.SaveResultNodes(texts.back());
      });
    }
  }
  std::printf("history with shared lines / with copies: %.2f\n",
              static_cast<double>(shared) / static_cast<double>(copied));
  return 0;
}
