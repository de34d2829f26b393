#include "search/engine/regex/RegExprDfa.h"

#include <algorithm>

#include "search/engine/regex/RegExprContext.h"

namespace search {

namespace {

constexpr std::size_t kCacheBytes = 4u << 20;

std::size_t IndexSize(std::size_t maxStates) {
  std::size_t size = 256;
  while (size < 2 * maxStates) size *= 2;
  return size;
}

std::uint32_t HashKey(const std::uint32_t* key, std::size_t length) {
  std::uint64_t hash = 0x9E3779B97F4A7C15ull ^ length;
  for (std::size_t i = 0; i < length; ++i) {
    hash = (hash ^ key[i]) * 0xBF58476D1CE4E5B9ull;
    hash ^= hash >> 29;
  }
  return static_cast<std::uint32_t>(hash ^ (hash >> 32));
}

}  // namespace

TRegExprDfa::TRegExprDfa(const TRegExprProgram& program)
    : program_(program),
      stride_(program.classCount + 1),
      maxStates_(std::clamp<std::size_t>(kCacheBytes / (sizeof(std::int32_t) * program.classCount + 64),
                                         64, 20000)),
      index_(IndexSize(maxStates_), kUnknown),
      seenMark_(program.code.size()),
      nextMark_(program.code.size()) {
  for (int b = 255; b >= 0; --b) classSample_[program.byteClass[b]] = b;
}

void TRegExprDfa::Flush() {
  table_.clear();
  keys_.clear();
  keyStart_.clear();
  std::fill(index_.begin(), index_.end(), kUnknown);
  start_ = kUnknown;
  ++flushes_;
}

// Finds the state with this key (before-kind, positions), adding it when new.
std::int32_t TRegExprDfa::AddState(const std::vector<std::uint32_t>& key) {
  const std::size_t mask = index_.size() - 1;
  const std::uint32_t hash = HashKey(key.data(), key.size());
  const auto find = [&]() -> std::size_t {
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
      const std::int32_t state = index_[slot];
      if (state == kUnknown) return slot;
      const std::uint32_t* held = &keys_[keyStart_[static_cast<std::size_t>(state)]];
      if (held[0] == key.size() && std::equal(key.begin(), key.end(), held + 1)) return slot;
    }
  };
  std::size_t slot = find();
  if (index_[slot] != kUnknown) return index_[slot];
  if (keyStart_.size() >= maxStates_ ||
      (keys_.size() + table_.size()) * sizeof(std::uint32_t) > kCacheBytes) {
    Flush();
    slot = find();
  }
  const auto state = static_cast<std::int32_t>(keyStart_.size());
  keyStart_.push_back(keys_.size());
  keys_.push_back(static_cast<std::uint32_t>(key.size()));
  keys_.insert(keys_.end(), key.begin(), key.end());
  index_[slot] = state;
  table_.resize(table_.size() + static_cast<std::size_t>(stride_), kUnknown);
  return state;
}

std::int32_t TRegExprDfa::StartState() {
  if (start_ == kUnknown) {
    nextKey_.assign({program_.hasAssertions ? std::uint32_t{kRegExprBeforeStart}
                                            : std::uint32_t{kRegExprBeforeOther},
                     program_.start});
    start_ = AddState(nextKey_);
  }
  return start_;
}

// Follows every path from the state's positions that consumes nothing, with the next byte
// known (or the end), then steps over that byte.
std::int32_t TRegExprDfa::Transition(std::int32_t state, int byteClass) {
  // The key: its length, the kind of byte before, then the positions.
  const std::uint32_t* key = &keys_[keyStart_[static_cast<std::size_t>(state)]];
  const int before = RegExprSampleByteBefore(static_cast<char>(key[1]));
  const bool atEnd = byteClass == program_.classCount;
  const int after = atEnd ? kRegExprNoByte : classSample_[byteClass];

  if (++generation_ == 0) {
    std::fill(seenMark_.begin(), seenMark_.end(), 0);
    std::fill(nextMark_.begin(), nextMark_.end(), 0);
    generation_ = 1;
  }
  stack_.clear();
  next_.clear();
  stack_.assign(key + 2, key + 1 + key[0]);
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
  nextKey_.clear();
  nextKey_.push_back(static_cast<std::uint32_t>(
      program_.hasAssertions ? RegExprKindBefore(after) : char{kRegExprBeforeOther}));
  nextKey_.insert(nextKey_.end(), next_.begin(), next_.end());

  const std::uint64_t flushesBefore = flushes_;
  const std::int32_t target = AddState(nextKey_);
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
