#include "search/editor/text/MatchedLines.h"

#include <algorithm>

namespace editor {

std::optional<int32_t> NextMatchedLine(const std::vector<int32_t>& lines, int32_t line) {
  const auto next = std::upper_bound(lines.begin(), lines.end(), line);
  if (next == lines.end()) return std::nullopt;
  return *next;
}

std::optional<int32_t> PreviousMatchedLine(const std::vector<int32_t>& lines, int32_t line) {
  const auto at = std::lower_bound(lines.begin(), lines.end(), line);
  if (at == lines.begin()) return std::nullopt;
  return *(at - 1);
}

bool IsMatchedLine(const std::vector<int32_t>& lines, int32_t line) {
  return std::binary_search(lines.begin(), lines.end(), line);
}

void ShiftMatchedLines(std::vector<int32_t>& lines, int32_t at, int32_t linesAdded, bool fromLineStart) {
  if (linesAdded == 0) return;
  // The 1-based number of the first line whose text moves.
  const int32_t first = fromLineStart ? at + 1 : at + 2;
  if (linesAdded < 0) {
    const int32_t lastRemoved = first - linesAdded - 1;
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [&](int32_t line) { return line >= first && line <= lastRemoved; }),
                lines.end());
  }
  for (int32_t& line : lines) {
    if (line >= first) line += linesAdded;
  }
}

}  // namespace editor
