#pragma once
// The matched line numbers of a file (1-based, ascending): stepping from one to the next and
// keeping them on their lines while the text above them grows or shrinks.

#include <cstdint>
#include <optional>
#include <vector>

namespace editor {

// The first matched line after the line, or none.
std::optional<int32_t> NextMatchedLine(const std::vector<int32_t>& lines, int32_t line);
// The last matched line before the line, or none.
std::optional<int32_t> PreviousMatchedLine(const std::vector<int32_t>& lines, int32_t line);
bool IsMatchedLine(const std::vector<int32_t>& lines, int32_t line);

// Line breaks were inserted (a positive count) or removed (negative) by a change that starts
// in the 0-based line `at`, at its very start when `fromLineStart`: the matched lines below
// move with their text, and a matched line whose text went goes.
void ShiftMatchedLines(std::vector<int32_t>& lines, int32_t at, int32_t linesAdded, bool fromLineStart);

}  // namespace editor
