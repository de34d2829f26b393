#pragma once
// The results tree of one finished search as the history keeps it: the top-level nodes in the
// order they were added, each file node sharing its lines with the tree it was taken from.

#include <cstdint>
#include <string>
#include <vector>

#include "search/engine/results/LineNodes.h"
#include "search/engine/results/ResultTree.h"

namespace search {

class TResultSnapshot {
 public:
  static TResultSnapshot Of(const TResultTree& tree);

  // Rebuilds the tree: file nodes read their size and times from disk afresh and share the
  // kept lines; with auto-expand on every file node is marked expanded.
  void RestoreInto(TResultTree& tree, bool autoExpand) const;

  // The number of nodes at every level.
  size_t NodeCount() const;

  // Same nodes with the same texts, numbers and marks, in the same order.
  bool operator==(const TResultSnapshot& other) const;

 private:
  struct TNode {
    TNodeKind Kind = TNodeKind::Error;
    std::string Text;  // the path of a file node, the text of a notice
    int32_t Matches = 0;
    TLineNodes Lines;
    bool operator==(const TNode& other) const;
  };
  std::vector<TNode> nodes_;
};

}  // namespace search
