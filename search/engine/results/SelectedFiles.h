#pragma once
// The files behind the selected rows, as the open commands take them: each file once with the
// line to open it at, and for the internal editor also the numbers of its matched lines.

#include <cstdint>
#include <string>
#include <vector>

#include "search/engine/results/ResultTexts.h"

namespace search {

struct TSelectedFile {
  std::string Path;
  int64_t Line = 0;  // the first selected row's line; 0 when the file row itself comes first
};

// In tree order; a file is handed over once, with the line of its first selected row.
std::vector<TSelectedFile> SelectedFiles(const TResultTree& tree, std::vector<TNodeRef> selected);

struct TEditorFile {
  std::string Path;
  int64_t Line = 0;  // the first selected line, else the file's first line, else 0
  std::vector<int64_t> MatchedLines;
};

// What the internal editor is handed: the wanted files with their lines, the search strings
// and the options that decide how matches are painted.
struct TOpenInEditorRequest {
  std::vector<TEditorFile> Files;
  std::string StringA;
  std::string StringB;
  int MatchType = 0;
  bool MatchProximity = false;
  bool CaseSensitive = false;
  bool WholeWordOnly = false;
};

// The files whose row or any of whose lines is selected, at most `limit` of them.
std::vector<TEditorFile> FilesForEditor(const TResultTree& tree, std::vector<TNodeRef> selected, size_t limit = 100);

}  // namespace search
