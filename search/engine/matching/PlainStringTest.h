#pragma once
// The plain-string test: the string must occur in the line, folded for letter case when the
// search ignores case, and standing as a whole word when asked. Every occurrence is examined,
// so "concat cat" holds the whole word cat, in time linear in the line even when occurrences
// overlap (a line of x searched for a long run of x).

#include <string>
#include <vector>

#include "search/engine/matching/StringTest.h"

namespace search {

// Digits, ASCII letters and the underscore; everything else, bytes above 127 too, separates words.
bool IsWordChar(char c);

class TPlainStringTest final : public TStringTest {
 public:
  // `utf8` lets non-ASCII letters fold too (a UTF-8 locale).
  TPlainStringTest(std::string_view text, bool caseSensitive, bool wholeWord, bool utf8);

  using TStringTest::Test;
  // Linear in the line: it never needs to ask the probe.
  bool Test(std::string_view line, TCancelProbe& probe) const override;
  const TLiteralSearch* Candidate() const override { return candidate_.Empty() ? nullptr : &candidate_; }

 private:
  bool ContainsString(std::string_view line) const;
  bool StandsAlone(std::string_view line, size_t at) const;
  // Whole words from `from` on, by the needle's failure function: each byte is looked at a
  // bounded number of times however the occurrences overlap.
  bool ContainsWholeWordFrom(std::string_view line, size_t from) const;

  bool wholeWord_;
  bool foldLines_;           // lines must be folded before the search (non-ASCII letters)
  bool utf8_;
  TLiteralSearch search_;    // the string, as it is searched for in the (folded) line
  TLiteralSearch candidate_; // what every matching raw line contains
  std::vector<size_t> failure_;  // for whole words: the longest proper border of each prefix
};

}  // namespace search
