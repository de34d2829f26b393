#include "search/engine/matching/RegExprTest.h"

namespace search {

TRegExprTest::TRegExprTest(const TRegExpr& expression)
    : expression_(expression),
      candidate_(expression.RequiredLiteral(), expression.RequiredLiteralIgnoresCase()) {}

}  // namespace search
