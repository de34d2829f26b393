#include "search/engine/results/ResultTexts.h"

#include <algorithm>

#include "platform/fs/FileSystem.h"
#include "search/engine/results/FileNameOrder.h"

namespace search {
namespace {

const TTreeViewFile* FileOf(const TResultTree& tree, const TNodeRef& ref) {
  return ref.Top < tree.Count() ? tree.At(ref.Top).File() : nullptr;
}

// The row's payload, or null when the position is out of the tree.
const TTreeViewObject* PayloadOf(const TResultTree& tree, const TNodeRef& ref) {
  if (ref.Top >= tree.Count()) return nullptr;
  const TResultNode& node = tree.At(ref.Top);
  if (ref.Line < 0) return node.Payload.get();
  const auto line = static_cast<size_t>(ref.Line);
  return line < node.Lines.size() ? &node.Lines[line] : nullptr;
}

void AppendLine(std::string& text, const std::string& line) {
  text += line;
  text += '\n';
}

std::string ExtensionOf(std::string_view path) {
  const std::string_view name = platform::fs::FileNamePart(path);
  const size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot));
}

}  // namespace

std::vector<std::string> GetAllFileNames(const TResultTree& tree) {
  std::vector<std::string> names;
  names.reserve(tree.Count());
  for (const auto& node : tree.TopLevel()) {
    if (const TTreeViewFile* file = node->File()) names.push_back(file->FileName);
  }
  SortFileNames(names);
  return names;
}

std::vector<std::string> GetSelectedFileNames(const TResultTree& tree, const std::vector<TNodeRef>& selected) {
  std::vector<std::string> names;
  names.reserve(selected.size());
  for (const TNodeRef& ref : selected) {
    if (const TTreeViewFile* file = FileOf(tree, ref)) names.push_back(file->FileName);
  }
  SortFileNames(names);
  return names;
}

std::string GetAllEntries(const TResultTree& tree, const TDisplayOptions& options) {
  std::string text;
  for (const auto& node : tree.TopLevel()) {
    if (node->Payload) AppendLine(text, node->Payload->GetDisplayText(options));
    for (const auto& line : node->Lines) AppendLine(text, line.GetDisplayText(options));
  }
  return text;
}

std::string GetSelectedEntries(const TResultTree& tree, std::vector<TNodeRef> selected,
                               const TDisplayOptions& options) {
  std::sort(selected.begin(), selected.end());
  selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
  std::string text;
  for (const TNodeRef& ref : selected) {
    if (const TTreeViewObject* payload = PayloadOf(tree, ref)) AppendLine(text, payload->GetDisplayText(options));
  }
  return text;
}

std::vector<std::string> GetSelectedExtensions(const TResultTree& tree, const std::vector<TNodeRef>& selected) {
  std::vector<std::string> extensions;
  for (const TNodeRef& ref : selected) {
    if (const TTreeViewFile* file = FileOf(tree, ref)) extensions.push_back(ExtensionOf(file->FileName));
  }
  SortFileNames(extensions);
  return extensions;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) AppendLine(text, line);
  return text;
}

}  // namespace search
