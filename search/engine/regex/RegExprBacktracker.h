#pragma once
// Matches programs with backreferences by trying the alternatives one after another. The work
// per line is bounded: past the bound, matching fails with TRegExprError instead of running
// for an exponential time.

#include <cstdint>
#include <string_view>

#include "search/engine/matching/CancelProbe.h"
#include "search/engine/regex/RegExprProgram.h"

namespace search {

class TRegExprBacktracker {
 public:
  // The bound on the steps for one line: this many, and a few more per byte of the line so
  // that long lines get room in proportion. A backreference counts one step per byte it
  // compares.
  static constexpr std::uint64_t kDefaultMaxSteps = 10'000'000;
  static constexpr std::uint64_t kStepsPerByte = 64;
  // How often a long match asks its probe about Cancel: well under a millisecond of work.
  static constexpr std::uint64_t kStepsPerProbe = 1 << 14;

  explicit TRegExprBacktracker(const TRegExprProgram& program,
                               std::uint64_t maxSteps = kDefaultMaxSteps)
      : program_(program), maxSteps_(maxSteps) {}

  // True when the program matches somewhere in the line. Throws TRegExprError when the step
  // bound (maxSteps + kStepsPerByte per byte) is reached, and TMatchCancelled when `probe`,
  // asked every kStepsPerProbe steps, says Cancel.
  bool Matches(std::string_view line, TCancelProbe& probe) const;
  bool Matches(std::string_view line) const {
    TNoCancel never;
    return Matches(line, never);
  }

 private:
  const TRegExprProgram& program_;
  std::uint64_t maxSteps_;
};

}  // namespace search
