#include "search/editor/text/MatchedFiles.h"

#include <algorithm>
#include <cstdint>

namespace editor {
namespace {

// The editor numbers its lines in 32 bits; a line past that shows the last one.
int32_t EditorLine(int64_t line) { return static_cast<int32_t>(std::clamp<int64_t>(line, 0, INT32_MAX)); }

}  // namespace

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
      const search::TTreeViewFileLine& line = node.Lines[index];
      if (selected(row, static_cast<int64_t>(index))) {
        wanted = true;
        if (firstSelected == 0) firstSelected = EditorLine(line.LineNumber);
      }
      if (matched.Line == 0) matched.Line = EditorLine(line.LineNumber);
      if (line.Matched) matched.MatchedLines.push_back(EditorLine(line.LineNumber));
    }
    if (!wanted) continue;
    if (firstSelected != 0) matched.Line = firstSelected;
    files.push_back(std::move(matched));
  }
  return files;
}

}  // namespace editor
