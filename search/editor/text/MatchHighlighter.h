#pragma once
// Which strings of a line the editor paints as matched: the line must satisfy the search (the
// two strings combined by Or, And or And Not, each found with the case and whole-word options
// only), and then every occurrence of each string is painted, overlapping ones included.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace search {
class TPlainStringTest;
}

namespace editor {

// One painted run of a line: 0-based start and length in bytes; `second` for the second
// string, whose colours are exchanged under And Not.
struct TMatchSpan {
  size_t start = 0;
  size_t length = 0;
  bool second = false;
  bool operator==(const TMatchSpan&) const = default;
};

class TMatchHighlighter {
 public:
  TMatchHighlighter();
  TMatchHighlighter(std::string stringA, std::string stringB, uint8_t matchType, bool caseSensitive, bool wholeWord);
  ~TMatchHighlighter();
  TMatchHighlighter(TMatchHighlighter&&) noexcept;
  TMatchHighlighter& operator=(TMatchHighlighter&&) noexcept;

  bool HasStrings() const { return !stringA_.empty() || !stringB_.empty(); }
  // Whether the line holds an acceptable occurrence of the string (false for an empty one).
  bool LineContains(std::string_view line, bool second) const;
  // Whether the line satisfies the search.
  bool Qualifies(std::string_view line) const;
  // The runs to paint among the line's first `columns` bytes, first string first; none when
  // the line does not qualify.
  std::vector<TMatchSpan> Spans(std::string_view line, size_t columns) const;
  bool AndNot() const { return matchType_ == 2; }

 private:
  void MarkOccurrences(std::string_view line, const std::string& text, bool second, size_t columns,
                       std::vector<TMatchSpan>& spans) const;
  bool EqualsAt(std::string_view line, size_t at, const std::string& text) const;

  std::string stringA_;
  std::string stringB_;
  std::string foldedA_;
  std::string foldedB_;
  uint8_t matchType_ = 0;
  bool caseSensitive_ = false;
  bool wholeWord_ = false;
  bool utf8_ = false;
  std::unique_ptr<search::TPlainStringTest> testA_;
  std::unique_ptr<search::TPlainStringTest> testB_;
};

}  // namespace editor
