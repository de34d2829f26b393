#include "search/engine/regex/RegExprDfa.h"

#include <algorithm>
#include <cstring>

#include "search/engine/regex/RegExprContext.h"

namespace search {

namespace {

constexpr std::size_t kCacheBytes = 4u << 20;

}  // namespace

TRegExprDfa::TRegExprDfa(const TRegExprProgram& program)
    : program_(program),
      stride_(program.classCount + 1),
      maxStates_(std::clamp<std::size_t>(kCacheBytes / (sizeof(std::int32_t) * program.classCount + 64),
                                         64, 20000)),
      seenMark_(program.code.size()),
      nextMark_(program.code.size()) {
  for (int b = 255; b >= 0; --b) classSample_[program.byteClass[b]] = b;
}

void TRegExprDfa::Flush() {
  table_.clear();
  keys_.clear();
  index_.clear();
  start_ = kUnknown;
  bytesUsed_ = 0;
  ++flushes_;
}

std::int32_t TRegExprDfa::AddState(const std::string& key) {
  const auto found = index_.find(key);
  if (found != index_.end()) return found->second;
  if (keys_.size() >= maxStates_ || bytesUsed_ > kCacheBytes) Flush();
  const auto state = static_cast<std::int32_t>(keys_.size());
  // The key is held twice (list and index), with the state's row of transitions.
  bytesUsed_ += 2 * key.size() + static_cast<std::size_t>(stride_) * sizeof(std::int32_t) + 96;
  keys_.push_back(key);
  index_.emplace(key, state);
  table_.resize(table_.size() + static_cast<std::size_t>(stride_), kUnknown);
  return state;
}

std::int32_t TRegExprDfa::StartState() {
  if (start_ == kUnknown) {
    std::string key(1, program_.hasAssertions ? char{kRegExprBeforeStart} : char{kRegExprBeforeOther});
    key.append(reinterpret_cast<const char*>(&program_.start), sizeof(program_.start));
    start_ = AddState(key);
  }
  return start_;
}

// Follows every path from the state's positions that consumes nothing, with the next byte
// known (or the end), then steps over that byte.
std::int32_t TRegExprDfa::Transition(std::int32_t state, int byteClass) {
  const std::string& key = keys_[static_cast<std::size_t>(state)];
  const int before = RegExprSampleByteBefore(key[0]);
  const bool atEnd = byteClass == program_.classCount;
  const int after = atEnd ? kRegExprNoByte : classSample_[byteClass];

  if (++generation_ == 0) {
    std::fill(seenMark_.begin(), seenMark_.end(), 0);
    std::fill(nextMark_.begin(), nextMark_.end(), 0);
    generation_ = 1;
  }
  stack_.clear();
  next_.clear();
  const std::size_t positions = (key.size() - 1) / sizeof(std::uint32_t);
  for (std::size_t i = 0; i < positions; ++i) {
    std::uint32_t pc;
    std::memcpy(&pc, key.data() + 1 + i * sizeof(pc), sizeof(pc));
    stack_.push_back(pc);
  }
  while (!stack_.empty()) {
    const std::uint32_t pc = stack_.back();
    stack_.pop_back();
    if (seenMark_[pc] == generation_) continue;
    seenMark_[pc] = generation_;
    const TRegExprInstr& instr = program_.code[pc];
    switch (instr.op) {
      case TRegExprOp::Match:
        return Remember(state, byteClass, kMatch);
      case TRegExprOp::Set:
        if (!atEnd && program_.sets[instr.arg].Test(static_cast<unsigned char>(after)) &&
            nextMark_[instr.out] != generation_) {
          nextMark_[instr.out] = generation_;
          next_.push_back(instr.out);
        }
        break;
      case TRegExprOp::SetRun:
        if (!atEnd && program_.sets[instr.arg].Test(static_cast<unsigned char>(after)) &&
            nextMark_[pc] != generation_) {
          nextMark_[pc] = generation_;
          next_.push_back(pc);
        }
        stack_.push_back(instr.out);
        break;
      case TRegExprOp::Split:
        stack_.push_back(instr.out1);
        stack_.push_back(instr.out);
        break;
      case TRegExprOp::Assertion:
        if (RegExprAssertionHolds(instr.assertion, before, after)) stack_.push_back(instr.out);
        break;
      case TRegExprOp::Backref:
        break;  // never in programs given to the automaton
      default:
        stack_.push_back(instr.out);
        break;
    }
  }
  if (atEnd) return Remember(state, byteClass, kDead);
  if (!program_.anchoredAtStart && nextMark_[program_.start] != generation_) {
    next_.push_back(program_.start);
  }
  if (next_.empty()) return Remember(state, byteClass, kDead);
  std::sort(next_.begin(), next_.end());
  std::string nextKey(1, program_.hasAssertions ? RegExprKindBefore(after) : char{kRegExprBeforeOther});
  nextKey.append(reinterpret_cast<const char*>(next_.data()), next_.size() * sizeof(std::uint32_t));

  const std::uint64_t flushesBefore = flushes_;
  const std::int32_t target = AddState(nextKey);
  // After a flush the old state is gone: only the new one is valid.
  if (flushes_ != flushesBefore) return target;
  return Remember(state, byteClass, target);
}

std::int32_t TRegExprDfa::Remember(std::int32_t state, int byteClass, std::int32_t target) {
  table_[static_cast<std::size_t>(state) * static_cast<std::size_t>(stride_) +
         static_cast<std::size_t>(byteClass)] = target;
  return target;
}

bool TRegExprDfa::Matches(std::string_view line) {
  std::int32_t state = StartState();
  const auto stride = static_cast<std::size_t>(stride_);
  for (const char c : line) {
    const int byteClass = program_.byteClass[static_cast<unsigned char>(c)];
    std::int32_t next = table_[static_cast<std::size_t>(state) * stride + static_cast<std::size_t>(byteClass)];
    if (next < 0) {
      if (next == kUnknown) next = Transition(state, byteClass);
      if (next == kMatch) return true;
      if (next == kDead) return false;
    }
    state = next;
  }
  std::int32_t last = table_[static_cast<std::size_t>(state) * stride + static_cast<std::size_t>(program_.classCount)];
  if (last == kUnknown) last = Transition(state, program_.classCount);
  return last == kMatch;
}

}  // namespace search
