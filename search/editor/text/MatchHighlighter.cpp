#include "search/editor/text/MatchHighlighter.h"

#include "search/engine/matching/CaseFolding.h"
#include "search/engine/matching/PlainStringTest.h"

namespace editor {

TMatchHighlighter::TMatchHighlighter(std::string stringA, std::string stringB, uint8_t matchType, bool caseSensitive,
                                     bool wholeWord)
    : stringA_(std::move(stringA)),
      stringB_(std::move(stringB)),
      matchType_(matchType),
      caseSensitive_(caseSensitive),
      wholeWord_(wholeWord),
      utf8_(search::LocaleIsUtf8()) {
  // The search's own plain-string test decides whether a line holds a string, so the editor
  // paints what the search found.
  if (!stringA_.empty()) testA_ = std::make_unique<search::TPlainStringTest>(stringA_, caseSensitive, wholeWord, utf8_);
  if (!stringB_.empty()) testB_ = std::make_unique<search::TPlainStringTest>(stringB_, caseSensitive, wholeWord, utf8_);
  foldedA_ = search::FoldCase(stringA_, utf8_);
  foldedB_ = search::FoldCase(stringB_, utf8_);
}

TMatchHighlighter::TMatchHighlighter() = default;
TMatchHighlighter::~TMatchHighlighter() = default;
TMatchHighlighter::TMatchHighlighter(TMatchHighlighter&&) noexcept = default;
TMatchHighlighter& TMatchHighlighter::operator=(TMatchHighlighter&&) noexcept = default;

bool TMatchHighlighter::LineContains(std::string_view line, bool second) const {
  const auto& test = second ? testB_ : testA_;
  return test != nullptr && test->Test(line);
}

bool TMatchHighlighter::Qualifies(std::string_view line) const {
  const bool a = LineContains(line, false);
  const bool b = LineContains(line, true);
  switch (matchType_) {
    case 0: return a || b;
    case 1: return a && b;
    case 2: return a && !b;
    default: return false;
  }
}

std::vector<TMatchSpan> TMatchHighlighter::Spans(std::string_view line, size_t columns) const {
  std::vector<TMatchSpan> spans;
  if (!Qualifies(line)) return spans;
  if (!stringA_.empty()) MarkOccurrences(line, stringA_, false, columns, spans);
  if (!stringB_.empty()) MarkOccurrences(line, stringB_, true, columns, spans);
  return spans;
}

bool TMatchHighlighter::EqualsAt(std::string_view line, size_t at, const std::string& text) const {
  const std::string_view piece = line.substr(at, text.size());
  if (piece.size() < text.size()) return false;
  if (caseSensitive_) return piece == text;
  const std::string& folded = &text == &stringA_ ? foldedA_ : foldedB_;
  if (!search::HasNonAscii(piece) && !search::HasNonAscii(text)) {
    for (size_t i = 0; i < piece.size(); ++i) {
      if (search::AsciiUpperChar(piece[i]) != search::AsciiUpperChar(text[i])) return false;
    }
    return true;
  }
  return search::FoldCase(piece, utf8_) == folded;
}

// Every start position is tried, so overlapping occurrences are all painted.
void TMatchHighlighter::MarkOccurrences(std::string_view line, const std::string& text, bool second, size_t columns,
                                        std::vector<TMatchSpan>& spans) const {
  const size_t last = std::min(line.size(), columns);
  for (size_t at = 0; at < last; ++at) {
    if (!EqualsAt(line, at, text)) continue;
    if (wholeWord_) {
      const bool startsWord = at == 0 || !search::IsWordChar(line[at - 1]);
      const size_t end = at + text.size();
      const bool endsWord = end >= line.size() || !search::IsWordChar(line[end]);
      if (!startsWord || !endsWord) continue;
    }
    spans.push_back(TMatchSpan{at, std::min(text.size(), columns - at), second});
  }
}

}  // namespace editor
