#pragma once
// TFileInfo: one file open in the editor window, with the search data it came with.

#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "search/editor/text/MatchHighlighter.h"
#include "search/editor/text/TextFile.h"

class QWidget;
class TEditControl;

struct TFileInfo {
  QString FileName;  // full path; empty for a new, untitled file
  // The file's last-write time and size when last loaded, saved or seen changed; none while
  // the file does not exist.
  std::optional<editor::TFileStamp> FileTime;
  TEditControl* Editor = nullptr;  // owned by Page
  QWidget* Page = nullptr;         // owned by the window's tabs
  std::string StringA;
  std::string StringB;
  uint8_t MatchProximity = 0;
  uint8_t MatchType = 0;  // 0 Or, 1 And, 2 And Not
  std::vector<int32_t> MatchedLines;  // 1-based, ascending
  bool CaseSensitive = false;
  bool WholeWord = false;
  // The search's strings and options, ready to tell which strings of a line to paint.
  editor::TMatchHighlighter Highlighter;
};
