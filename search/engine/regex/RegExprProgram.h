#pragma once
// The compiled form of an expression: a list of instructions for the matchers, with the byte
// classes the automaton steps over and a few facts about the whole program.

#include <array>
#include <cstdint>
#include <vector>

#include "search/engine/regex/RegExprByteSet.h"
#include "search/engine/regex/RegExprNode.h"

namespace search {

enum class TRegExprOp : std::uint8_t {
  Set,            // consume one byte of sets[arg], go to out
  SetRun,         // consume every following byte of sets[arg] (none or more), go to out; used
                  // where giving bytes back could not help the rest of the match
  Split,          // go to out, or else to out1
  Assertion,      // go to out when the test `assertion` holds at this position
  SaveStart,      // remember the position as the start of group arg
  SaveEnd,        // the group arg ends here: its text becomes available to backreferences
  Backref,        // consume the text of group arg (ignoreCase: either letter case)
  ProgressMark,   // remember the position in loop slot arg
  ProgressCheck,  // go on only if the position moved since loop slot arg was marked
  Match,
};

struct TRegExprInstr {
  TRegExprOp op = TRegExprOp::Match;
  TRegExprAssertion assertion = TRegExprAssertion::BeginText;
  bool ignoreCase = false;
  std::uint32_t out = 0;
  std::uint32_t out1 = 0;
  std::uint32_t arg = 0;
};

struct TRegExprProgram {
  std::vector<TRegExprInstr> code;
  std::vector<TRegExprByteSet> sets;
  std::uint32_t start = 0;
  int groupCount = 0;
  int loopSlots = 0;
  bool hasBackrefs = false;
  // The expression was read as UTF-8 and runs on input of RegExprInputOf's form.
  bool utf8 = false;
  bool hasAssertions = false;
  // Only a match starting at the beginning of the input is possible.
  bool anchoredAtStart = false;
  // Whether a match can start at a position, by the kind of byte before it and the class of
  // the byte at it (see RegExprStartViability).
  std::vector<bool> startViable;

  // Bytes that no instruction tells apart share a class; the automaton steps over classes.
  std::array<std::uint8_t, 256> byteClass{};
  int classCount = 1;
};

// Builds the program of a parsed expression. With `relaxBackrefs` every backreference is
// compiled as "any text", which gives a program matching at least every line the expression
// matches, and none of the backtracking's cost.
TRegExprProgram CompileRegExprProgram(const TRegExprNode& root, int groupCount,
                                      bool relaxBackrefs, bool utf8 = false);

}  // namespace search
