#include "search/engine/regex/RegExprContext.h"

#include <array>
#include <vector>

#include "search/engine/regex/RegExprProgram.h"

namespace search {

namespace {

enum class TStep {
  Follow,  // go on past this instruction without consuming
  Stop,    // this path ends here
  Finish,  // the walk has its answer: end it
};

// Visits once every instruction reachable from `pc` without consuming input; splits are
// followed both ways. Returns true when `visit` finished the walk.
template <typename TVisit>
bool WalkWithoutConsuming(const TRegExprProgram& program, std::uint32_t pc, TVisit visit) {
  std::vector<bool> seen(program.code.size());
  std::vector<std::uint32_t> stack{pc};
  while (!stack.empty()) {
    const std::uint32_t at = stack.back();
    stack.pop_back();
    if (seen[at]) continue;
    seen[at] = true;
    const TRegExprInstr& instr = program.code[at];
    if (instr.op == TRegExprOp::Split) {
      stack.push_back(instr.out1);
      stack.push_back(instr.out);
      continue;
    }
    switch (visit(instr)) {
      case TStep::Follow: stack.push_back(instr.out); break;
      case TStep::Stop: break;
      case TStep::Finish: return true;
    }
  }
  return false;
}

// Whether the program, started between the bytes `before` and `after`, gets past its first
// step: consumes `after`, ends the match or reaches a backreference. With `anyByte` only the
// kind of `after` is known, and reaching anything that consumes counts.
bool CanProceed(const TRegExprProgram& program, int before, int after, bool anyByte) {
  return WalkWithoutConsuming(program, program.start, [&](const TRegExprInstr& instr) {
    switch (instr.op) {
      case TRegExprOp::Set:
      case TRegExprOp::SetRun: {
        const bool consumes = anyByte || (after != kRegExprNoByte &&
                                          program.sets[instr.arg].Test(static_cast<unsigned char>(after)));
        if (consumes) return TStep::Finish;
        return instr.op == TRegExprOp::SetRun ? TStep::Follow : TStep::Stop;
      }
      case TRegExprOp::Backref:
      case TRegExprOp::Match:
        return TStep::Finish;
      case TRegExprOp::Assertion:
        return RegExprAssertionHolds(instr.assertion, before, after) ? TStep::Follow : TStep::Stop;
      default:
        return TStep::Follow;
    }
  });
}

}  // namespace

bool RegExprOnlyMatchesAtStart(const TRegExprProgram& program) {
  // One byte of each kind the tests tell apart: line separators, word and other characters.
  const int samples[] = {'\r', '\n', 'a', ' '};
  for (int before : samples) {
    for (int after : {kRegExprNoByte, int{'\r'}, int{'\n'}, int{'a'}, int{' '}}) {
      if (CanProceed(program, before, after, true)) return false;
    }
  }
  return true;
}

std::vector<bool> RegExprStartViability(const TRegExprProgram& program) {
  std::array<int, 256> sample{};
  for (int b = 255; b >= 0; --b) sample[program.byteClass[static_cast<std::size_t>(b)]] = b;
  const auto classes = static_cast<std::size_t>(program.classCount) + 1;
  std::vector<bool> viable(kRegExprBeforeKinds * classes);
  for (char kind = 0; kind < kRegExprBeforeKinds; ++kind) {
    for (std::size_t byteClass = 0; byteClass < classes; ++byteClass) {
      const int after = byteClass + 1 == classes ? kRegExprNoByte : sample[byteClass];
      viable[static_cast<std::size_t>(kind) * classes + byteClass] =
          CanProceed(program, RegExprSampleByteBefore(kind), after, false);
    }
  }
  return viable;
}

bool RegExprFirstBytes(const TRegExprProgram& program, std::uint32_t pc, TRegExprByteSet& first) {
  first = TRegExprByteSet();
  const bool undecided = WalkWithoutConsuming(program, pc, [&](const TRegExprInstr& instr) {
    switch (instr.op) {
      case TRegExprOp::Set:
        first.AddSet(program.sets[instr.arg]);
        return TStep::Stop;
      case TRegExprOp::SetRun:  // may also consume nothing
        first.AddSet(program.sets[instr.arg]);
        return TStep::Follow;
      case TRegExprOp::Match:
      case TRegExprOp::Assertion:
      case TRegExprOp::Backref:
        return TStep::Finish;
      default:
        return TStep::Follow;
    }
  });
  return !undecided;
}

}  // namespace search
