#pragma once
// The plain-string test: the string must occur in the line, folded for letter case when the
// search ignores case, and standing as a whole word when asked. Every occurrence is examined,
// so "concat cat" holds the whole word cat.

#include <string>

#include "search/engine/matching/StringTest.h"

namespace search {

// Digits, ASCII letters and the underscore; everything else, bytes above 127 too, separates words.
bool IsWordChar(char c);

class TPlainStringTest final : public TStringTest {
 public:
  // `utf8` lets non-ASCII letters fold too (a UTF-8 locale).
  TPlainStringTest(std::string_view text, bool caseSensitive, bool wholeWord, bool utf8);

  bool Test(std::string_view line) const override;
  const TLiteralSearch* Candidate() const override { return candidate_.Empty() ? nullptr : &candidate_; }

 private:
  bool ContainsString(std::string_view line) const;

  bool wholeWord_;
  bool foldLines_;           // lines must be folded before the search (non-ASCII letters)
  bool utf8_;
  TLiteralSearch search_;    // the string, as it is searched for in the (folded) line
  TLiteralSearch candidate_; // what every matching raw line contains
};

}  // namespace search
