#pragma once
// One node of a parsed expression: the syntax tree the parser builds and the compiler reads.

#include <cstdint>
#include <vector>

#include "search/engine/regex/RegExprByteSet.h"
#include "search/engine/regex/RegExprCharSet.h"

namespace search {

enum class TRegExprNodeKind : std::uint8_t {
  Empty,      // matches the empty text (comments, modifier switches, empty branches)
  Set,        // one byte of `set`
  Chars,      // one character of `chars`, spelt in UTF-8 (expressions read as UTF-8 only)
  Assertion,  // an empty-width test, `assertion`
  Group,      // a numbered group around children[0]
  Concat,     // children one after another
  Alternate,  // one of the children, tried left to right
  Repeat,     // children[0] between `min` and `max` times
  Backref,    // the text last matched by group `group`
};

enum class TRegExprAssertion : std::uint8_t {
  BeginText,     // ^ (m off), \A
  EndText,       // $ (m off), \Z
  BeginLine,     // ^ with m on
  EndLine,       // $ with m on
  WordBoundary,  // \b
  NotWordBoundary,  // \B
  NotWordBoundaryBetweenChars,  // \B read as UTF-8: also never inside a character
};

struct TRegExprNode {
  static constexpr int kUnbounded = -1;

  TRegExprNodeKind kind = TRegExprNodeKind::Empty;
  TRegExprByteSet set;
  TRegExprCharSet chars;
  TRegExprAssertion assertion = TRegExprAssertion::BeginText;
  int group = 0;
  bool ignoreCase = false;  // Backref
  int min = 0;
  int max = 0;  // kUnbounded for no upper limit
  bool greedy = true;
  std::vector<TRegExprNode> children;

  // Parser facts: whether every match is at least one byte long (the rule behind code 106),
  // and a bound on the number of program instructions the node compiles to.
  bool hasWidth = false;
  std::uint64_t size = 0;
};

}  // namespace search
