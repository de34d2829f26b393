#pragma once
// Matches programs with backreferences by trying the alternatives one after another. The work
// per line is bounded: past the bound, matching fails with TRegExprError instead of running
// for an exponential time.

#include <cstdint>
#include <string_view>

#include "search/engine/regex/RegExprProgram.h"

namespace search {

class TRegExprBacktracker {
 public:
  static constexpr std::uint64_t kDefaultMaxSteps = 10'000'000;

  explicit TRegExprBacktracker(const TRegExprProgram& program,
                               std::uint64_t maxSteps = kDefaultMaxSteps)
      : program_(program), maxSteps_(maxSteps) {}

  // True when the program matches somewhere in the line. Throws TRegExprError when the step
  // bound is reached.
  bool Matches(std::string_view line) const;

 private:
  const TRegExprProgram& program_;
  std::uint64_t maxSteps_;
};

}  // namespace search
