#pragma once
// What the copy and save commands take out of the results tree: the paths of the files, all
// or those of the selected rows, the rows' texts as shown, and the selected files' extensions.

#include <cstdint>
#include <string>
#include <vector>

#include "search/engine/results/ResultTree.h"

namespace search {

// One row of the tree by position: a top-level node, or one of the lines under it.
struct TNodeRef {
  size_t Top = 0;
  int64_t Line = -1;  // -1 for the top-level node itself
  auto operator<=>(const TNodeRef&) const = default;
};

// The paths of every file node, sorted (FileNameOrder.h); notices give none.
std::vector<std::string> GetAllFileNames(const TResultTree& tree);
// The paths of the files of the selected rows (a line row gives its file's path), sorted.
std::vector<std::string> GetSelectedFileNames(const TResultTree& tree, const std::vector<TNodeRef>& selected);
// Every row's text as shown, depth first, the lines of collapsed files included; each line
// ends with LF.
std::string GetAllEntries(const TResultTree& tree, const TDisplayOptions& options);
// The selected rows' texts as shown, in tree order.
std::string GetSelectedEntries(const TResultTree& tree, std::vector<TNodeRef> selected,
                               const TDisplayOptions& options);
// The extension (from the file name's last ".", dot included; empty without one) of the file
// of every selected row, sorted as the names are.
std::vector<std::string> GetSelectedExtensions(const TResultTree& tree, const std::vector<TNodeRef>& selected);

// The lines joined, each followed by LF; no lines give the empty text.
std::string JoinLines(const std::vector<std::string>& lines);

}  // namespace search
