#pragma once
// Judges lines by String 1 and String 2 and combines the answers by the match type: per line,
// or, in whole-file mode with And or And Not, once per file from what the lines showed.

#include <memory>
#include <string_view>

#include "search/engine/run/SearchCriteria.h"
#include "search/engine/matching/StringTest.h"

namespace search {

// Or: a or b. And: a and b. And Not: (a or String 1 empty) and not b.
bool CombineVerdict(bool found1, bool found2, bool stringAEmpty, int matchType);

class TLineMatcher {
 public:
  // A null test stands for an empty string, which never matches.
  TLineMatcher(std::unique_ptr<TStringTest> first, std::unique_ptr<TStringTest> second,
               int matchType, bool wholeFile);

  struct TFound {
    bool first = false;
    bool second = false;
  };
  // Throws what the string tests throw (see TStringTest::Test).
  TFound TestLine(std::string_view prepared, TCancelProbe& probe) const;
  bool Verdict(TFound found) const { return CombineVerdict(found.first, found.second, !first_, matchType_); }

  // Whole-file mode with And or And Not: lines get no verdict, the file does.
  bool JudgesWholeFile() const { return wholeFile_ && matchType_ != kMatchOr; }
  int MatchType() const { return matchType_; }
  const TStringTest* First() const { return first_.get(); }
  const TStringTest* Second() const { return second_.get(); }

 private:
  std::unique_ptr<TStringTest> first_;
  std::unique_ptr<TStringTest> second_;
  int matchType_;
  bool wholeFile_;
};

}  // namespace search
