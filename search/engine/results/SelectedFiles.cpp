#include "search/engine/results/SelectedFiles.h"

#include <algorithm>

namespace search {
namespace {

void SortUnique(std::vector<TNodeRef>& refs) {
  std::sort(refs.begin(), refs.end());
  refs.erase(std::unique(refs.begin(), refs.end()), refs.end());
}

}  // namespace

std::vector<TSelectedFile> SelectedFiles(const TResultTree& tree, std::vector<TNodeRef> selected) {
  SortUnique(selected);
  std::vector<TSelectedFile> files;
  for (const TNodeRef& ref : selected) {
    if (ref.Top >= tree.Count()) continue;
    const TResultNode& node = tree.At(ref.Top);
    const TTreeViewFile* file = node.File();
    if (file == nullptr || file->FileName.empty()) continue;
    if (!files.empty() && files.back().Path == file->FileName) continue;
    int64_t line = 0;
    if (ref.Line >= 0) {
      const auto at = static_cast<size_t>(ref.Line);
      if (at >= node.Lines.size()) continue;
      line = node.Lines[at].LineNumber;
    }
    files.push_back({file->FileName, line});
  }
  return files;
}

std::vector<TEditorFile> FilesForEditor(const TResultTree& tree, std::vector<TNodeRef> selected, size_t limit) {
  SortUnique(selected);
  std::vector<TEditorFile> files;
  auto next = selected.begin();
  for (size_t top = 0; top < tree.Count() && files.size() < limit; ++top) {
    bool wanted = false;
    int64_t firstSelectedLine = -1;
    for (; next != selected.end() && next->Top == top; ++next) {
      wanted = true;
      if (next->Line >= 0 && firstSelectedLine < 0 && static_cast<size_t>(next->Line) < tree.At(top).Lines.size()) {
        firstSelectedLine = tree.At(top).Lines[static_cast<size_t>(next->Line)].LineNumber;
      }
    }
    const TResultNode& node = tree.At(top);
    if (!wanted || node.File() == nullptr) continue;
    TEditorFile file{node.File()->FileName, 0, {}};
    for (const auto& line : node.Lines) {
      if (line.Matched) file.MatchedLines.push_back(line.LineNumber);
    }
    file.Line = firstSelectedLine >= 0 ? firstSelectedLine : node.Lines.empty() ? 0 : node.Lines[0].LineNumber;
    files.push_back(std::move(file));
  }
  return files;
}

}  // namespace search
