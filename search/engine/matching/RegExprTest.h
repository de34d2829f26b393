#pragma once
// The expression test of a search string: a compiled expression asked about each line, with
// the literal it requires for skipping to candidate lines.

#include "search/engine/matching/StringTest.h"
#include "search/engine/regex/RegExpr.h"

namespace search {

class TRegExprTest final : public TStringTest {
 public:
  explicit TRegExprTest(const TRegExpr& expression);

  using TStringTest::Test;
  bool Test(std::string_view line, TCancelProbe& probe) const override { return expression_.Exec(line, probe); }
  const TLiteralSearch* Candidate() const override { return candidate_.Empty() ? nullptr : &candidate_; }

 private:
  const TRegExpr& expression_;
  TLiteralSearch candidate_;
};

}  // namespace search
