#include "search/engine/results/ResultTree.h"

#include <charconv>
#include <utility>

#include "search/engine/TextRules.h"

namespace search {

TResultNode& TResultTree::AddErrorNode(std::string text) {
  auto node = std::make_unique<TResultNode>();
  node->Payload = std::make_unique<TTreeViewError>(std::move(text));
  nodes_.push_back(std::move(node));
  return *nodes_.back();
}

TResultNode& TResultTree::AddFileNode(std::unique_ptr<TTreeViewFile> file) {
  auto node = std::make_unique<TResultNode>();
  node->Payload = std::move(file);
  nodes_.push_back(std::move(node));
  return *nodes_.back();
}

void TResultTree::AddFileNodes(const TFileList& files) {
  nodes_.reserve(nodes_.size() + files.Count());
  for (size_t i = 0; i < files.Count(); ++i) AddFileNodeFromEntry(files.GetEntry(i));
}

void TResultTree::AddLineNode(TResultNode& fileNode, std::string text, bool matched,
                              int64_t lineNumber) {
  fileNode.Lines.emplace_back(std::move(text), matched, lineNumber);
}

std::vector<std::unique_ptr<TResultNode>> TResultTree::TakeNodes() {
  takenCount_ += nodes_.size();
  return std::exchange(nodes_, {});
}

size_t TResultTree::FileNodeCount() const {
  size_t count = 0;
  for (const auto& node : nodes_) count += node->File() != nullptr;
  return count;
}

void TResultTree::SaveResultNodes(std::vector<std::string>& texts) const {
  texts.clear();
  for (const auto& node : nodes_) {
    if (node->Payload) texts.push_back(node->Payload->GetSaveText());
    for (const auto& line : node->Lines) texts.push_back(line.GetSaveText());
  }
}

namespace {

template <typename Number>
Number ParseNumber(const std::string& text) {
  Number value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

}  // namespace

void TResultTree::LoadResultNodes(const std::vector<std::string>& texts, bool autoExpand) {
  Clear();
  TResultNode* current = nullptr;
  for (const std::string& text : texts) {
    if (text.empty()) continue;
    const std::vector<std::string> pieces = SplitText(text, std::string(1, text.front()));
    if (pieces.size() < 2) continue;
    const std::string& kind = pieces[1];
    const std::string field = pieces.size() > 2 ? pieces[2] : std::string();
    if (SameTextIgnoringCase(kind, "TTreeViewFile")) {
      if (current != nullptr && autoExpand) current->Expanded = true;
      const int32_t matches = pieces.size() > 3 ? ParseNumber<int32_t>(pieces[3]) : 0;
      current = &AddFileNode(std::make_unique<TTreeViewFile>(field, matches));
    } else if (SameTextIgnoringCase(kind, "TTreeViewFileLine")) {
      if (current == nullptr || pieces.size() < 4) continue;
      const bool matched = pieces.size() > 4 && pieces[4] == "-1";
      AddLineNode(*current, field, matched, ParseNumber<int64_t>(pieces[3]));
    } else if (SameTextIgnoringCase(kind, "TTreeViewError")) {
      AddErrorNode(field);
    }
  }
  if (current != nullptr && autoExpand) current->Expanded = true;
}

std::vector<std::string> TResultTree::DisplayTexts(const TDisplayOptions& options) const {
  std::vector<std::string> texts;
  for (const auto& node : nodes_) {
    texts.push_back(node->Payload->GetDisplayText(options));
    for (const auto& line : node->Lines) texts.push_back(line.GetDisplayText(options));
  }
  return texts;
}

}  // namespace search
