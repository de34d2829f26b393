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
}

bool TPlainStringTest::Test(std::string_view line) const {
  if (search_.Empty()) return false;
  if (!foldLines_) return ContainsString(line);
  return ContainsString(FoldCase(line, utf8_));
}

bool TPlainStringTest::ContainsString(std::string_view line) const {
  const size_t length = search_.Needle().size();
  for (size_t at = search_.Find(line); at != std::string_view::npos; at = search_.Find(line, at + 1)) {
    if (!wholeWord_) return true;
    const bool startsWord = at == 0 || !IsWordChar(line[at - 1]);
    const bool endsWord = at + length == line.size() || !IsWordChar(line[at + length]);
    if (startsWord && endsWord) return true;
  }
  return false;
}

}  // namespace search
