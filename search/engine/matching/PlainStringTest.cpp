#include "search/engine/matching/PlainStringTest.h"

#include "search/engine/matching/CaseFolding.h"

namespace search {
namespace {

// The longest run of ASCII bytes in the text.
std::string_view LongestAsciiRun(std::string_view text) {
  std::string_view best;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || static_cast<unsigned char>(text[i]) >= 0x80) {
      if (i - start > best.size()) best = text.substr(start, i - start);
      start = i + 1;
    }
  }
  return best;
}

}  // namespace

bool IsWordChar(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

TPlainStringTest::TPlainStringTest(std::string_view text, bool caseSensitive, bool wholeWord, bool utf8)
    : wholeWord_(wholeWord), foldLines_(false), utf8_(utf8) {
  if (caseSensitive) {
    search_ = TLiteralSearch(text, false);
    candidate_ = search_;
  } else if (!utf8 || !HasNonAscii(text)) {
    search_ = TLiteralSearch(text, true);
    candidate_ = search_;
  } else {
    const std::string folded = FoldCase(text, true);
    foldLines_ = true;
    search_ = TLiteralSearch(folded, false);
    candidate_ = TLiteralSearch(LongestAsciiRun(folded), true);
  }
  if (wholeWord_) {
    const std::string& needle = search_.Needle();
    failure_.assign(needle.size() + 1, 0);
    for (size_t i = 1, border = 0; i < needle.size(); ++i) {
      while (border > 0 && needle[i] != needle[border]) border = failure_[border];
      if (needle[i] == needle[border]) ++border;
      failure_[i + 1] = border;
    }
  }
}

bool TPlainStringTest::Test(std::string_view line, TCancelProbe& /*probe*/) const {
  if (search_.Empty()) return false;
  if (!foldLines_) return ContainsString(line);
  return ContainsString(FoldCase(line, utf8_));
}

bool TPlainStringTest::StandsAlone(std::string_view line, size_t at) const {
  const size_t length = search_.Needle().size();
  const bool startsWord = at == 0 || !IsWordChar(line[at - 1]);
  const bool endsWord = at + length == line.size() || !IsWordChar(line[at + length]);
  return startsWord && endsWord;
}

bool TPlainStringTest::ContainsString(std::string_view line) const {
  // The fast search finds the first occurrence; most often it settles the line.
  const size_t first = search_.Find(line);
  if (first == std::string_view::npos) return false;
  if (!wholeWord_ || StandsAlone(line, first)) return true;
  return ContainsWholeWordFrom(line, first + 1);
}

bool TPlainStringTest::ContainsWholeWordFrom(std::string_view line, size_t from) const {
  const std::string& needle = search_.Needle();
  const bool fold = search_.IgnoresCase();
  size_t matched = 0;
  for (size_t i = from; i < line.size(); ++i) {
    const char c = fold ? AsciiUpperChar(line[i]) : line[i];
    while (matched > 0 && c != needle[matched]) matched = failure_[matched];
    if (c == needle[matched]) ++matched;
    if (matched == needle.size()) {
      if (StandsAlone(line, i + 1 - needle.size())) return true;
      matched = failure_[matched];
    }
  }
  return false;
}

}  // namespace search
