#pragma once
// The empty-width tests of the dialect, judged from the bytes on either side of a position.

#include <cstdint>
#include <vector>

#include "search/engine/regex/RegExprByteSet.h"
#include "search/engine/regex/RegExprNode.h"

namespace search {

struct TRegExprProgram;

constexpr int kRegExprNoByte = -1;  // before the start or after the end of the input

// `before` and `after` are the bytes around the position, or kRegExprNoByte at either end.
// A CR LF pair counts as one line separator: no line starts or ends between its two bytes.
inline bool RegExprAssertionHolds(TRegExprAssertion assertion, int before, int after) {
  const auto isWord = [](int c) {
    return c != kRegExprNoByte && IsRegExprWordChar(static_cast<unsigned char>(c));
  };
  switch (assertion) {
    case TRegExprAssertion::BeginText:
      return before == kRegExprNoByte;
    case TRegExprAssertion::EndText:
      return after == kRegExprNoByte;
    case TRegExprAssertion::BeginLine:
      return before == kRegExprNoByte || before == '\n' || (before == '\r' && after != '\n');
    case TRegExprAssertion::EndLine:
      return after == kRegExprNoByte || after == '\r' || (after == '\n' && before != '\r');
    case TRegExprAssertion::WordBoundary:
      return isWord(before) != isWord(after);
    case TRegExprAssertion::NotWordBoundary:
      return isWord(before) == isWord(after);
    case TRegExprAssertion::NotWordBoundaryBetweenChars:
      // A continuation byte after the position means the position is inside a character.
      return isWord(before) == isWord(after) && (after == kRegExprNoByte || (after & 0xC0) != 0x80);
  }
  return false;
}

// What the matchers remember of the byte before a position: enough for every assertion.
enum TRegExprBefore : char {
  kRegExprBeforeStart,
  kRegExprBeforeCr,
  kRegExprBeforeLf,
  kRegExprBeforeWord,
  kRegExprBeforeOther,
  kRegExprBeforeKinds
};

inline char RegExprKindBefore(int byte) {
  if (byte == kRegExprNoByte) return kRegExprBeforeStart;
  if (byte == '\r') return kRegExprBeforeCr;
  if (byte == '\n') return kRegExprBeforeLf;
  return IsRegExprWordChar(static_cast<unsigned char>(byte)) ? kRegExprBeforeWord
                                                             : kRegExprBeforeOther;
}

// A byte of the given kind, for judging assertions.
inline int RegExprSampleByteBefore(char kind) {
  switch (kind) {
    case kRegExprBeforeStart: return kRegExprNoByte;
    case kRegExprBeforeCr: return '\r';
    case kRegExprBeforeLf: return '\n';
    case kRegExprBeforeWord: return 'a';
    default: return ' ';
  }
}

// For each kind of byte before a position and each byte class after it (the last class
// standing for the end of the input): whether a match may start there. Indexed
// [kind * (classCount + 1) + class].
std::vector<bool> RegExprStartViability(const TRegExprProgram& program);

// True when the program can only match from the very start of the input, so that the
// matchers need not try later starting positions.
bool RegExprOnlyMatchesAtStart(const TRegExprProgram& program);

// The bytes that the code from `pc` can consume first. False when that code can also end the
// match, test an assertion or a backreference before consuming anything: then the next byte
// alone does not decide whether it can go on.
bool RegExprFirstBytes(const TRegExprProgram& program, std::uint32_t pc, TRegExprByteSet& first);

}  // namespace search
