#pragma once
// Find and replace over a file's whole text (its bytes, line ends included): an occurrence is
// found without regard to case and, with match case, must be exactly equal; with whole word
// the bytes on both sides must not be word characters (the text's ends count as boundaries).
// Every position is examined, so an occurrence that overlaps a rejected one is still found.

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace editor {

struct TFindOptions {
  bool MatchCase = false;
  bool WholeWord = false;
  bool Down = true;
};

// Down: the first occurrence starting at or after `from`. Up: the last one that ends at or
// before `from`.
std::optional<size_t> FindText(std::string_view text, std::string_view needle, size_t from, const TFindOptions& options);

// Every occurrence from `from` to the end, each one after the end of the one before.
std::vector<size_t> FindAllFrom(std::string_view text, std::string_view needle, size_t from, const TFindOptions& options);

// Whether two texts are the same: exactly with match case, else without regard to case.
bool SameText(std::string_view a, std::string_view b, bool matchCase);

}  // namespace editor
