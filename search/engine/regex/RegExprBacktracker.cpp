#include "search/engine/regex/RegExprBacktracker.h"

#include <algorithm>
#include <string>
#include <vector>

#include "search/engine/Utf8.h"
#include "search/engine/regex/RegExprCharSet.h"
#include "search/engine/regex/RegExprContext.h"
#include "search/engine/regex/RegExprErrors.h"

namespace search {

namespace {

// One entry of the backtracking stack: either a choice to resume (instruction, position) or a
// register value to put back when the choices made after it have all failed.
struct TFrame {
  bool restore;
  std::uint32_t index;  // instruction, or register
  std::int64_t value;   // position, or the register's old value
};

constexpr std::size_t kMaxFrames = 4'000'000;

// Scratch memory of one thread's runs, kept between lines to spare allocations.
struct TScratch {
  std::vector<std::int64_t> registers;
  std::vector<TFrame> stack;
};

class TRun {
 public:
  TRun(const TRegExprProgram& program, std::string_view line, std::uint64_t maxSteps,
       TCancelProbe& probe, TScratch& scratch)
      : program_(program), line_(line), maxSteps_(maxSteps), probe_(probe),
        checkpoint_(NextCheckpoint()),
        groups_(static_cast<std::size_t>(program.groupCount) + 1),
        registers_(scratch.registers), stack_(scratch.stack) {
    registers_.assign(groups_ * 3 + static_cast<std::size_t>(program.loopSlots), -1);
    stack_.clear();
  }

  bool From(std::int64_t start) {
    stack_.clear();
    stack_.push_back({false, program_.start, start});
    while (!stack_.empty()) {
      const TFrame frame = stack_.back();
      stack_.pop_back();
      if (frame.restore) {
        registers_[frame.index] = frame.value;
      } else if (Follow(frame.index, frame.value)) {
        return true;
      }
    }
    return false;
  }

 private:
  // Registers: for each group the start of its open attempt, then the start and end of its
  // last complete match; after those the loop slots.
  std::size_t Open(std::uint32_t group) const { return group; }
  std::size_t Start(std::uint32_t group) const { return groups_ + group; }
  std::size_t End(std::uint32_t group) const { return 2 * groups_ + group; }
  std::size_t Loop(std::uint32_t slot) const { return 3 * groups_ + slot; }

  void Set(std::size_t reg, std::int64_t value) {
    Push({true, static_cast<std::uint32_t>(reg), registers_[reg]});
    registers_[reg] = value;
  }

  void Push(const TFrame& frame) {
    if (stack_.size() >= kMaxFrames) Exhausted();
    stack_.push_back(frame);
  }

  // The step count at which the bound is passed or the probe is due, whichever comes first:
  // one comparison per step serves both.
  std::uint64_t NextCheckpoint() const {
    return std::min(steps_ + TRegExprBacktracker::kStepsPerProbe, maxSteps_ + 1);
  }

  void Checkpoint() {
    if (steps_ > maxSteps_) Exhausted();
    if (probe_.Cancelled()) throw TMatchCancelled();
    checkpoint_ = NextCheckpoint();
  }

  [[noreturn]] void Exhausted() const {
    throw TRegExprError(reeLoopStackExceeded,
                        "Unable to execute regular expression: too much backtracking on one "
                        "line (the expression is too complex for it)");
  }

  int ByteAt(std::int64_t pos) const {
    if (pos < 0 || pos >= static_cast<std::int64_t>(line_.size())) return kRegExprNoByte;
    return static_cast<unsigned char>(line_[static_cast<std::size_t>(pos)]);
  }

  bool SameText(std::int64_t from, std::int64_t length, std::int64_t at, bool ignoreCase) const {
    for (std::int64_t i = 0; i < length; ++i) {
      auto a = static_cast<unsigned char>(line_[static_cast<std::size_t>(from + i)]);
      auto b = static_cast<unsigned char>(line_[static_cast<std::size_t>(at + i)]);
      if (ignoreCase) {
        a = AsciiFold(a);
        b = AsciiFold(b);
      }
      if (a != b) return false;
    }
    return true;
  }

  // The fold key and length of the character at `pos` of a UTF-8 input (see RegExprInput.h).
  std::size_t CharAt(std::int64_t pos, char32_t& key) const {
    const std::string_view rest = line_.substr(static_cast<std::size_t>(pos));
    const auto lead = static_cast<unsigned char>(rest[0]);
    if (lead < 0x80) {
      key = static_cast<char32_t>(AsciiFold(lead));
      return 1;
    }
    char32_t codePoint = 0;
    if (const std::size_t length = DecodeUtf8(rest, codePoint); length > 0) {
      key = RegExprFoldKey(codePoint);
      return length;
    }
    // An escaped lone byte: two bytes, compared exactly.
    const std::size_t length = std::min<std::size_t>(2, rest.size());
    key = TRegExprCharSet::kMaxCodePoint + 1 + (char32_t{lead} << 8) +
          (length > 1 ? static_cast<unsigned char>(rest[1]) : 0);
    return length;
  }

  // The length of the text at `at` that equals the group text [from, from + length): the
  // same bytes, or under ignoreCase the same letters in either case, which in UTF-8 may take
  // another number of bytes. -1 when the text there differs.
  std::int64_t MatchedLength(std::int64_t from, std::int64_t length, std::int64_t at, bool ignoreCase) const {
    const auto size = static_cast<std::int64_t>(line_.size());
    if (!ignoreCase || !program_.utf8) {
      return at + length <= size && SameText(from, length, at, ignoreCase) ? length : -1;
    }
    std::int64_t i = from, j = at;
    while (i < from + length) {
      if (j >= size) return -1;
      char32_t a = 0, b = 0;
      i += static_cast<std::int64_t>(CharAt(i, a));
      j += static_cast<std::int64_t>(CharAt(j, b));
      if (a != b) return -1;
    }
    return j - at;
  }

  // Runs from one choice until the match ends (true) or this path fails (false).
  bool Follow(std::uint32_t pc, std::int64_t pos) {
    const auto size = static_cast<std::int64_t>(line_.size());
    for (;;) {
      if (++steps_ >= checkpoint_) Checkpoint();
      const TRegExprInstr& instr = program_.code[pc];
      switch (instr.op) {
        case TRegExprOp::Match:
          return true;
        case TRegExprOp::Set:
          if (pos >= size || !program_.sets[instr.arg].Test(static_cast<unsigned char>(ByteAt(pos)))) {
            return false;
          }
          ++pos;
          break;
        case TRegExprOp::SetRun: {
          const TRegExprByteSet& set = program_.sets[instr.arg];
          while (pos < size && set.Test(static_cast<unsigned char>(line_[static_cast<std::size_t>(pos)]))) ++pos;
          break;
        }
        case TRegExprOp::Split:
          Push({false, instr.out1, pos});
          break;
        case TRegExprOp::Assertion:
          if (!RegExprAssertionHolds(instr.assertion, ByteAt(pos - 1), ByteAt(pos))) return false;
          break;
        case TRegExprOp::SaveStart:
          Set(Open(instr.arg), pos);
          break;
        case TRegExprOp::SaveEnd:
          Set(Start(instr.arg), registers_[Open(instr.arg)]);
          Set(End(instr.arg), pos);
          break;
        case TRegExprOp::Backref: {
          const std::int64_t from = instr.arg < groups_ ? registers_[Start(instr.arg)] : -1;
          if (from < 0) return false;
          const std::int64_t length = registers_[End(instr.arg)] - from;
          // Comparing the group's text is work in proportion to its length: it counts as that
          // many steps, so that the bound also bounds the time.
          steps_ += static_cast<std::uint64_t>(length);
          if (steps_ >= checkpoint_) Checkpoint();
          const std::int64_t matched = MatchedLength(from, length, pos, instr.ignoreCase);
          if (matched < 0) return false;
          pos += matched;
          break;
        }
        case TRegExprOp::ProgressMark:
          Set(Loop(instr.arg), pos);
          break;
        case TRegExprOp::ProgressCheck:
          if (registers_[Loop(instr.arg)] == pos) return false;
          break;
      }
      pc = instr.out;
    }
  }

  const TRegExprProgram& program_;
  std::string_view line_;
  std::uint64_t maxSteps_;
  TCancelProbe& probe_;
  std::uint64_t steps_ = 0;
  std::uint64_t checkpoint_;
  std::size_t groups_;
  std::vector<std::int64_t>& registers_;
  std::vector<TFrame>& stack_;
};

}  // namespace

bool TRegExprBacktracker::Matches(std::string_view line, TCancelProbe& probe) const {
  thread_local TScratch scratch;
  // A runaway line may have grown the stack a lot: do not keep that memory for good.
  if (scratch.stack.capacity() > 65536) scratch.stack = {};
  TRun run(program_, line, maxSteps_ + kStepsPerByte * line.size(), probe, scratch);
  const auto last = static_cast<std::int64_t>(program_.anchoredAtStart ? 0 : line.size());
  const auto classes = static_cast<std::size_t>(program_.classCount) + 1;
  for (std::int64_t start = 0; start <= last; ++start) {
    const auto at = static_cast<std::size_t>(start);
    const char before = RegExprKindBefore(at == 0 ? kRegExprNoByte : static_cast<unsigned char>(line[at - 1]));
    const std::size_t byteClass =
        at == line.size() ? classes - 1 : program_.byteClass[static_cast<unsigned char>(line[at])];
    if (!program_.startViable[static_cast<std::size_t>(before) * classes + byteClass]) continue;
    if (run.From(start)) return true;
  }
  return false;
}

}  // namespace search
