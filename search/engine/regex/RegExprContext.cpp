#include "search/engine/regex/RegExprContext.h"

#include <vector>

#include "search/engine/regex/RegExprProgram.h"

namespace search {

namespace {

// Whether anything that consumes input or ends a match is reachable from `pc` without
// consuming, with the given bytes around the position.
bool CanProceed(const TRegExprProgram& program, int before, int after) {
  std::vector<bool> seen(program.code.size());
  std::vector<std::uint32_t> stack{program.start};
  while (!stack.empty()) {
    const std::uint32_t pc = stack.back();
    stack.pop_back();
    if (seen[pc]) continue;
    seen[pc] = true;
    const TRegExprInstr& instr = program.code[pc];
    switch (instr.op) {
      case TRegExprOp::Set:
      case TRegExprOp::SetRun:
      case TRegExprOp::Backref:
      case TRegExprOp::Match:
        return true;
      case TRegExprOp::Split:
        stack.push_back(instr.out1);
        stack.push_back(instr.out);
        break;
      case TRegExprOp::Assertion:
        if (RegExprAssertionHolds(instr.assertion, before, after)) stack.push_back(instr.out);
        break;
      default:
        stack.push_back(instr.out);
        break;
    }
  }
  return false;
}

}  // namespace

bool RegExprOnlyMatchesAtStart(const TRegExprProgram& program) {
  // One byte of each kind the tests tell apart: line separators, word and other characters.
  const int samples[] = {'\r', '\n', 'a', ' '};
  for (int before : samples) {
    for (int after : {kRegExprNoByte, int{'\r'}, int{'\n'}, int{'a'}, int{' '}}) {
      if (CanProceed(program, before, after)) return false;
    }
  }
  return true;
}

bool RegExprFirstBytes(const TRegExprProgram& program, std::uint32_t pc, TRegExprByteSet& first) {
  first = TRegExprByteSet();
  std::vector<bool> seen(program.code.size());
  std::vector<std::uint32_t> stack{pc};
  while (!stack.empty()) {
    const std::uint32_t at = stack.back();
    stack.pop_back();
    if (seen[at]) continue;
    seen[at] = true;
    const TRegExprInstr& instr = program.code[at];
    switch (instr.op) {
      case TRegExprOp::Set:
        first.AddSet(program.sets[instr.arg]);
        break;
      case TRegExprOp::SetRun:  // may also consume nothing
        first.AddSet(program.sets[instr.arg]);
        stack.push_back(instr.out);
        break;
      case TRegExprOp::Split:
        stack.push_back(instr.out1);
        stack.push_back(instr.out);
        break;
      case TRegExprOp::Match:
      case TRegExprOp::Assertion:
      case TRegExprOp::Backref:
        return false;
      default:
        stack.push_back(instr.out);
        break;
    }
  }
  return true;
}

}  // namespace search
