#pragma once
// The results tree: file and error nodes at the top level, line nodes under their file.
// Each node owns its payload. Nodes are only appended, except by sorting and clearing.

#include <memory>
#include <string>
#include <vector>

#include "search/engine/results/LineNodes.h"
#include "search/engine/results/TreeViewObject.h"

namespace search {

struct TResultNode {
  std::unique_ptr<TTreeViewObject> Payload;
  TLineNodes Lines;  // children of a file node
  bool Expanded = false;

  // The payload as a file, or null for an error node.
  TTreeViewFile* File() const {
    return Payload && Payload->Kind() == TNodeKind::File ? static_cast<TTreeViewFile*>(Payload.get())
                                                          : nullptr;
  }
};

class TResultTree {
 public:
  TResultNode& AddErrorNode(std::string text);
  TResultNode& AddFileNode(std::unique_ptr<TTreeViewFile> file);
  // A file node for the path, with size and times read from disk.
  TResultNode& AddFileNode(const std::string& fileName) {
    return AddFileNode(std::make_unique<TTreeViewFile>(fileName));
  }
  TResultNode& AddFileNodeFromEntry(const TFileListEntry& entry) {
    return AddFileNode(std::make_unique<TTreeViewFile>(entry));
  }
  void AddFileNodes(const TFileList& files);
  static void AddLineNode(TResultNode& fileNode, std::string text, bool matched, int64_t lineNumber);

  size_t Count() const { return nodes_.size(); }
  bool Empty() const { return nodes_.empty(); }
  TResultNode& At(size_t index) { return *nodes_.at(index); }
  const TResultNode& At(size_t index) const { return *nodes_.at(index); }
  size_t FileNodeCount() const;
  void Clear() {
    nodes_.clear();
    takenCount_ = 0;
  }

  // Moves every top-level node out, for a host that writes rows as they come and keeps none.
  std::vector<std::unique_ptr<TResultNode>> TakeNodes();
  // Whether any node was added since the last Clear, taken ones included.
  bool HasHadNodes() const { return !nodes_.empty() || takenCount_ > 0; }

  // The save text of every node in tree order (each top-level node, then its lines).
  void SaveResultNodes(std::vector<std::string>& texts) const;
  // Rebuilds the tree from save texts; file nodes read their size and times afresh.
  void LoadResultNodes(const std::vector<std::string>& texts, bool autoExpand);

  // The top level in display order, for sorting; the nodes themselves never move in memory.
  std::vector<std::unique_ptr<TResultNode>>& TopLevel() { return nodes_; }
  const std::vector<std::unique_ptr<TResultNode>>& TopLevel() const { return nodes_; }

  // Every node's display text, depth first.
  std::vector<std::string> DisplayTexts(const TDisplayOptions& options) const;

 private:
  std::vector<std::unique_ptr<TResultNode>> nodes_;
  size_t takenCount_ = 0;
};

}  // namespace search
