#pragma once
// The test of one search string on one prepared line: a plain string or an expression. The
// scanner also asks for a literal that every passing line must contain, to skip to it.

#include <string_view>

#include "search/engine/matching/CancelProbe.h"
#include "search/engine/matching/LiteralSearch.h"

namespace search {

class TStringTest {
 public:
  virtual ~TStringTest() = default;
  // Whether the string occurs in the line. Safe to call from several threads at once. A long
  // test asks `probe` now and then and throws TMatchCancelled once it says Cancel. Throws
  // std::runtime_error when the test cannot be carried out on this line (an expression too
  // complex for it); other lines may still be tested.
  virtual bool Test(std::string_view line, TCancelProbe& probe) const = 0;
  // The same for a caller that never cancels.
  bool Test(std::string_view line) const {
    TNoCancel never;
    return Test(line, never);
  }
  // A literal that every line passing Test contains, or null when there is none.
  virtual const TLiteralSearch* Candidate() const = 0;
};

}  // namespace search
