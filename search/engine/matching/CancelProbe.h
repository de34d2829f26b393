#pragma once
// Cancel inside one long match: the matcher asks a probe now and then while it works on a line,
// and ends the match with TMatchCancelled once the probe says Cancel.

#include <exception>

namespace search {

class TCancelProbe {
 public:
  virtual ~TCancelProbe() = default;
  // True once the match is to end. Asked on the thread that runs the match, every few thousand
  // steps of it; a probe may let the window repaint before it answers.
  virtual bool Cancelled() = 0;
};

// The probe of a caller that never cancels.
class TNoCancel final : public TCancelProbe {
 public:
  bool Cancelled() override { return false; }
};

// Thrown out of a match that its probe cancelled; the line has no answer.
class TMatchCancelled : public std::exception {
 public:
  const char* what() const noexcept override { return "the match was cancelled"; }
};

}  // namespace search
