#include "search/engine/results/ResultSnapshot.h"

namespace search {
namespace {

bool SameLine(const TTreeViewFileLine& a, const TTreeViewFileLine& b) {
  return a.LineNumber == b.LineNumber && a.Matched == b.Matched && a.Text == b.Text;
}

bool SameLines(const TLineNodes& a, const TLineNodes& b) {
  if (a.SharesWith(b)) return true;
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (!SameLine(a[i], b[i])) return false;
  }
  return true;
}

}  // namespace

bool TResultSnapshot::TNode::operator==(const TNode& other) const {
  return Kind == other.Kind && Matches == other.Matches && Text == other.Text && SameLines(Lines, other.Lines);
}

TResultSnapshot TResultSnapshot::Of(const TResultTree& tree) {
  TResultSnapshot snapshot;
  snapshot.nodes_.reserve(tree.Count());
  for (const auto& node : tree.TopLevel()) {
    TNode kept;
    if (const TTreeViewFile* file = node->File()) {
      kept.Kind = TNodeKind::File;
      kept.Text = file->FileName;
      kept.Matches = file->Matches;
      kept.Lines = node->Lines;
    } else if (node->Payload) {
      kept.Text = static_cast<const TTreeViewError&>(*node->Payload).Text;
    }
    snapshot.nodes_.push_back(std::move(kept));
  }
  return snapshot;
}

void TResultSnapshot::RestoreInto(TResultTree& tree, bool autoExpand) const {
  tree.Clear();
  tree.TopLevel().reserve(nodes_.size());
  for (const TNode& kept : nodes_) {
    if (kept.Kind != TNodeKind::File) {
      tree.AddErrorNode(kept.Text);
      continue;
    }
    TResultNode& node = tree.AddFileNode(std::make_unique<TTreeViewFile>(kept.Text, kept.Matches));
    node.Lines = kept.Lines;
    node.Expanded = autoExpand;
  }
}

size_t TResultSnapshot::NodeCount() const {
  size_t count = nodes_.size();
  for (const TNode& node : nodes_) count += node.Lines.size();
  return count;
}

bool TResultSnapshot::operator==(const TResultSnapshot& other) const { return nodes_ == other.nodes_; }

}  // namespace search
