#include "search/editor/text/MatchedFiles.h"

namespace editor {

std::vector<TMatchedFile> CollectMatchedFiles(const search::TResultTree& tree, const TSelectedNode& selected) {
  std::vector<TMatchedFile> files;
  const auto& nodes = tree.TopLevel();
  for (size_t row = 0; row < nodes.size() && files.size() < kMaxEditorFiles; ++row) {
    const search::TResultNode& node = *nodes[row];
    const search::TTreeViewFile* file = node.File();
    if (file == nullptr) continue;
    bool wanted = selected(row, -1);
    int32_t firstSelected = 0;
    TMatchedFile matched{file->FileName, 0, {}};
    for (size_t index = 0; index < node.Lines.size(); ++index) {
      const search::TTreeViewFileLine& line = *node.Lines[index];
      if (selected(row, static_cast<int64_t>(index))) {
        wanted = true;
        if (firstSelected == 0) firstSelected = line.LineNumber;
      }
      if (matched.Line == 0) matched.Line = line.LineNumber;
      if (line.Matched) matched.MatchedLines.push_back(line.LineNumber);
    }
    if (!wanted) continue;
    if (firstSelected != 0) matched.Line = firstSelected;
    files.push_back(std::move(matched));
  }
  return files;
}

}  // namespace editor
