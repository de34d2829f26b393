#include "search/editor/text/TextFinder.h"

#include <algorithm>
#include <string>

#include "search/engine/matching/CaseFolding.h"
#include "search/engine/matching/LiteralSearch.h"
#include "search/engine/matching/PlainStringTest.h"

namespace editor {
namespace {

// Finds the candidates fast and tells which of them are occurrences.
class TMatcher {
 public:
  TMatcher(std::string_view needle, const TFindOptions& options)
      : needle_(needle), options_(options), utf8_(search::LocaleIsUtf8()) {
    const bool foldBeyondAscii = !options.MatchCase && utf8_ && search::HasNonAscii(needle);
    if (foldBeyondAscii) {
      folded_ = search::FoldCase(needle, true);
      // The longest ASCII run of the needle stands in the text as it is, letters folded.
      size_t bestStart = 0;
      size_t bestLength = 0;
      size_t start = 0;
      for (size_t i = 0; i <= needle.size(); ++i) {
        if (i == needle.size() || static_cast<unsigned char>(needle[i]) >= 0x80) {
          if (i - start > bestLength) {
            bestStart = start;
            bestLength = i - start;
          }
          start = i + 1;
        }
      }
      probeOffset_ = bestStart;
      probe_ = search::TLiteralSearch(needle.substr(bestStart, bestLength), true);
    } else {
      probe_ = search::TLiteralSearch(needle, !options.MatchCase);
    }
  }

  // The first occurrence starting in [from, limit) whose bytes lie within the text.
  std::optional<size_t> First(std::string_view text, size_t from, size_t limit) const {
    if (needle_.empty() || from >= text.size()) return std::nullopt;
    if (probe_.Empty()) {
      for (size_t at = from; at < limit && at + needle_.size() <= text.size(); ++at) {
        if (Accept(text, at)) return at;
      }
      return std::nullopt;
    }
    size_t search = from + probeOffset_;
    while (true) {
      const size_t found = probe_.Find(text, search);
      if (found == std::string_view::npos) return std::nullopt;
      const size_t at = found - probeOffset_;
      if (found < probeOffset_) {
        search = found + 1;
        continue;
      }
      if (at >= limit) return std::nullopt;
      if (at >= from && Accept(text, at)) return at;
      search = found + 1;
    }
  }

 private:
  bool Accept(std::string_view text, size_t at) const {
    if (at + needle_.size() > text.size()) return false;
    const std::string_view piece = text.substr(at, needle_.size());
    if (options_.MatchCase) {
      if (piece != needle_) return false;
    } else if (!folded_.empty()) {
      if (search::FoldCase(piece, utf8_) != folded_) return false;
    } else if (!SameText(piece, needle_, false)) {
      return false;
    }
    if (!options_.WholeWord) return true;
    const size_t end = at + needle_.size();
    return (at == 0 || !search::IsWordChar(text[at - 1])) && (end >= text.size() || !search::IsWordChar(text[end]));
  }

  std::string_view needle_;
  TFindOptions options_;
  bool utf8_;
  std::string folded_;
  search::TLiteralSearch probe_;
  size_t probeOffset_ = 0;
};

}  // namespace

bool SameText(std::string_view a, std::string_view b, bool matchCase) {
  if (a.size() != b.size()) {
    if (matchCase) return false;
    return search::FoldCase(a, search::LocaleIsUtf8()) == search::FoldCase(b, search::LocaleIsUtf8());
  }
  if (matchCase) return a == b;
  if (!search::HasNonAscii(a) && !search::HasNonAscii(b)) {
    return std::equal(a.begin(), a.end(), b.begin(),
                      [](char x, char y) { return search::AsciiUpperChar(x) == search::AsciiUpperChar(y); });
  }
  return search::FoldCase(a, search::LocaleIsUtf8()) == search::FoldCase(b, search::LocaleIsUtf8());
}

std::optional<size_t> FindText(std::string_view text, std::string_view needle, size_t from, const TFindOptions& options) {
  if (needle.empty() || needle.size() > text.size()) return std::nullopt;
  const TMatcher matcher(needle, options);
  if (options.Down) return matcher.First(text, from, text.size());
  // Up: windows of the text before `from`, the nearest first; the last occurrence of a window
  // that ends by `from` wins.
  constexpr size_t kWindow = size_t{1} << 20;
  size_t end = std::min(from, text.size());
  while (end >= needle.size()) {
    const size_t start = end > kWindow ? end - kWindow : 0;
    std::optional<size_t> last;
    for (auto at = matcher.First(text, start, end); at && *at + needle.size() <= end;
         at = matcher.First(text, *at + 1, end)) {
      last = at;
    }
    if (last) return last;
    if (start == 0) break;
    end = start + needle.size() - 1;  // occurrences across the window's start
  }
  return std::nullopt;
}

std::vector<size_t> FindAllFrom(std::string_view text, std::string_view needle, size_t from, const TFindOptions& options) {
  std::vector<size_t> found;
  if (needle.empty()) return found;
  const TMatcher matcher(needle, options);
  for (auto at = matcher.First(text, from, text.size()); at; at = matcher.First(text, *at + needle.size(), text.size())) {
    found.push_back(*at);
  }
  return found;
}

}  // namespace editor
