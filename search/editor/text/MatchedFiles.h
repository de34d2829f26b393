#pragma once
// The files of the selected results that the internal editor receives: each with the line to
// show and the numbers of all its matched lines, in result order, at most 100.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "search/engine/results/ResultTree.h"

namespace editor {

struct TMatchedFile {
  std::string FileName;
  int32_t Line = 0;  // the first selected line, else the file's first line, else 0
  std::vector<int32_t> MatchedLines;
};

// What the search was: handed to the editor with every file.
struct TMatchedSearch {
  std::string StringA;
  std::string StringB;
  uint8_t MatchType = 0;
  uint8_t MatchProximity = 0;
  bool CaseSensitive = false;
  bool WholeWord = false;
};

inline constexpr size_t kMaxEditorFiles = 100;

// Whether the node at a top-level row is selected (line -1), or its line at that index.
using TSelectedNode = std::function<bool(size_t row, int64_t line)>;

// A file is wanted when its file node or one of its lines is selected.
std::vector<TMatchedFile> CollectMatchedFiles(const search::TResultTree& tree, const TSelectedNode& selected);

}  // namespace editor
