#pragma once
// A lazily built automaton that tells in one pass over a line, in time linear in its length,
// whether a program without backreferences matches somewhere in it. States are sets of
// program positions, made when first needed and kept in a bounded cache that is emptied when
// full. One object serves one thread.

#include <cstdint>
#include <string_view>
#include <vector>

#include "search/engine/regex/RegExprProgram.h"

namespace search {

class TRegExprDfa {
 public:
  explicit TRegExprDfa(const TRegExprProgram& program);
  bool Matches(std::string_view line);

 private:
  static constexpr std::int32_t kUnknown = -1;
  static constexpr std::int32_t kMatch = -2;
  static constexpr std::int32_t kDead = -3;

  std::int32_t StartState();
  std::int32_t Transition(std::int32_t state, int byteClass);
  std::int32_t Remember(std::int32_t state, int byteClass, std::int32_t target);
  std::int32_t AddState(const std::vector<std::uint32_t>& key);
  void Flush();

  const TRegExprProgram& program_;
  int stride_;
  std::size_t maxStates_;
  std::array<int, 256> classSample_{};  // one byte of each class
  std::vector<std::int32_t> table_;  // stride_ entries per state
  // What each state holds, one after another: the key's length, the kind of byte before the
  // position, the sorted program positions.
  std::vector<std::uint32_t> keys_;
  std::vector<std::size_t> keyStart_;  // where each state's key begins in keys_
  std::vector<std::int32_t> index_;    // open-addressing hash of the keys: state or kUnknown
  std::int32_t start_ = kUnknown;
  std::uint64_t flushes_ = 0;

  // Scratch for one transition.
  std::vector<std::uint32_t> stack_;
  std::vector<std::uint32_t> seenMark_;
  std::vector<std::uint32_t> nextMark_;
  std::uint32_t generation_ = 0;
  std::vector<std::uint32_t> next_;
  std::vector<std::uint32_t> nextKey_;
};

}  // namespace search
