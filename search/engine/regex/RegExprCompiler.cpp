// Turns the syntax tree into program instructions, from the end of the expression backwards:
// each node is compiled knowing where its match continues.
#include <map>
#include <unordered_map>

#include "search/engine/regex/RegExprContext.h"
#include "search/engine/regex/RegExprProgram.h"

namespace search {

namespace {

using Kind = TRegExprNodeKind;

bool CanMatchEmpty(const TRegExprNode& node) {
  switch (node.kind) {
    case Kind::Empty:
    case Kind::Assertion:
    case Kind::Backref:
      return true;
    case Kind::Set:
    case Kind::Chars:
      return false;
    case Kind::Group:
      return CanMatchEmpty(node.children.front());
    case Kind::Concat:
      for (const auto& child : node.children) {
        if (!CanMatchEmpty(child)) return false;
      }
      return true;
    case Kind::Alternate:
      for (const auto& child : node.children) {
        if (CanMatchEmpty(child)) return true;
      }
      return false;
    case Kind::Repeat:
      return node.min == 0 || CanMatchEmpty(node.children.front());
  }
  return true;
}

struct TSetHash {
  std::size_t operator()(const TRegExprByteSet& set) const { return set.Hash(); }
};

class TCompiler {
 public:
  TCompiler(TRegExprProgram& program, bool relaxBackrefs)
      : program_(program), relaxBackrefs_(relaxBackrefs) {}

  std::uint32_t Compile(const TRegExprNode& node, std::uint32_t next) {
    switch (node.kind) {
      case Kind::Empty:
        return next;
      case Kind::Set:
        return Emit({TRegExprOp::Set, {}, false, next, 0, SetIndex(node.set)});
      case Kind::Chars:
        return CompileChars(node.chars, next);
      case Kind::Assertion: {
        program_.hasAssertions = true;
        TRegExprInstr instr{TRegExprOp::Assertion, node.assertion, false, next, 0, 0};
        return Emit(instr);
      }
      case Kind::Group: {
        const auto group = static_cast<std::uint32_t>(node.group);
        const std::uint32_t end = Emit({TRegExprOp::SaveEnd, {}, false, next, 0, group});
        const std::uint32_t body = Compile(node.children.front(), end);
        return Emit({TRegExprOp::SaveStart, {}, false, body, 0, group});
      }
      case Kind::Concat:
        for (auto child = node.children.rbegin(); child != node.children.rend(); ++child) {
          next = Compile(*child, next);
        }
        return next;
      case Kind::Alternate: {
        std::uint32_t rest = Compile(node.children.back(), next);
        for (auto child = node.children.rbegin() + 1; child != node.children.rend(); ++child) {
          rest = Split(Compile(*child, next), rest, true);
        }
        return rest;
      }
      case Kind::Repeat:
        return CompileRepeat(node, next);
      case Kind::Backref:
        return CompileBackref(node, next);
    }
    return next;
  }

 private:
  std::uint32_t Emit(const TRegExprInstr& instr) {
    program_.code.push_back(instr);
    return static_cast<std::uint32_t>(program_.code.size() - 1);
  }

  std::uint32_t Split(std::uint32_t first, std::uint32_t second, bool firstPreferred) {
    if (!firstPreferred) std::swap(first, second);
    return Emit({TRegExprOp::Split, {}, false, first, second, 0});
  }

  std::uint32_t SetIndex(const TRegExprByteSet& set) {
    const auto found = setIndex_.find(set);
    if (found != setIndex_.end()) return found->second;
    program_.sets.push_back(set);
    const auto index = static_cast<std::uint32_t>(program_.sets.size() - 1);
    setIndex_.emplace(set, index);
    return index;
  }

  // One character of the set: its byte sequences, tried one after another (they never overlap,
  // so the order does not change what matches).
  std::uint32_t CompileChars(const TRegExprCharSet& chars, std::uint32_t next) {
    const auto sequences = chars.ByteSequences();
    if (sequences.empty()) return Emit({TRegExprOp::Set, {}, false, next, 0, SetIndex(TRegExprByteSet())});
    std::uint32_t rest = 0;
    for (auto sequence = sequences.rbegin(); sequence != sequences.rend(); ++sequence) {
      std::uint32_t at = next;
      for (auto byte = sequence->rbegin(); byte != sequence->rend(); ++byte) {
        at = Emit({TRegExprOp::Set, {}, false, at, 0, SetIndex(*byte)});
      }
      rest = sequence == sequences.rbegin() ? at : Split(at, rest, true);
    }
    return rest;
  }

  std::uint32_t CompileBackref(const TRegExprNode& node, std::uint32_t next) {
    if (relaxBackrefs_) return CompileStar(AnyByteNode(), true, next);
    program_.hasBackrefs = true;
    return Emit({TRegExprOp::Backref, {}, node.ignoreCase, next, 0,
                 static_cast<std::uint32_t>(node.group)});
  }

  static const TRegExprNode& AnyByteNode() {
    static const TRegExprNode any = [] {
      TRegExprNode node;
      node.kind = Kind::Set;
      node.set = TRegExprByteSet::All();
      return node;
    }();
    return any;
  }

  // child* : a loop that may leave before each turn. A child that can match the empty text
  // gets a progress guard, so that the backtracker never turns the loop without moving.
  std::uint32_t CompileStar(const TRegExprNode& child, bool greedy, std::uint32_t next) {
    // A loop over single bytes that nothing after it can start with: stopping early never
    // helps, so the backtracker may take the whole run at once. (Splits of enclosing loops
    // are not wired yet and still lead to instruction 0, the Match: such loops are left as
    // they are.)
    TRegExprByteSet following;
    if (child.kind == Kind::Set && RegExprFirstBytes(program_, next, following)) {
      TRegExprByteSet overlap = following;
      TRegExprByteSet outside = child.set;
      outside.Invert();
      overlap.RemoveSet(outside);  // what both the loop and the rest could consume
      if (overlap.Count() == 0) {
        return Emit({TRegExprOp::SetRun, {}, false, next, 0, SetIndex(child.set)});
      }
    }
    const std::uint32_t loop = Emit({TRegExprOp::Split, {}, false, 0, 0, 0});
    std::uint32_t body;
    if (CanMatchEmpty(child)) {
      const auto slot = static_cast<std::uint32_t>(program_.loopSlots++);
      const std::uint32_t check = Emit({TRegExprOp::ProgressCheck, {}, false, loop, 0, slot});
      body = Emit({TRegExprOp::ProgressMark, {}, false, Compile(child, check), 0, slot});
    } else {
      body = Compile(child, loop);
    }
    SetSplit(loop, body, next, greedy);
    return loop;
  }

  void SetSplit(std::uint32_t at, std::uint32_t take, std::uint32_t skip, bool greedy) {
    program_.code[at].out = greedy ? take : skip;
    program_.code[at].out1 = greedy ? skip : take;
  }

  std::uint32_t CompileRepeat(const TRegExprNode& node, std::uint32_t next) {
    const TRegExprNode& child = node.children.front();
    std::uint32_t tail = next;
    if (node.max == TRegExprNode::kUnbounded) {
      tail = CompileStar(child, node.greedy, next);
    } else {
      // (x(x(x)?)?)? : each optional copy is tried only after the one before it matched.
      for (int copy = node.min; copy < node.max; ++copy) {
        const std::uint32_t choice = Emit({TRegExprOp::Split, {}, false, 0, 0, 0});
        SetSplit(choice, Compile(child, tail), next, node.greedy);
        tail = choice;
      }
    }
    for (int copy = 0; copy < node.min; ++copy) tail = Compile(child, tail);
    return tail;
  }

  TRegExprProgram& program_;
  bool relaxBackrefs_;
  std::unordered_map<TRegExprByteSet, std::uint32_t, TSetHash> setIndex_;
};

void ComputeByteClasses(TRegExprProgram& program) {
  std::array<int, 256> classOf{};
  int classCount = 1;
  const auto refine = [&](auto inside) {
    std::map<std::pair<int, bool>, int> renumber;
    for (unsigned b = 0; b < 256; ++b) {
      const auto key = std::make_pair(classOf[b], inside(static_cast<unsigned char>(b)));
      const auto [entry, added] = renumber.emplace(key, static_cast<int>(renumber.size()));
      classOf[b] = entry->second;
    }
    classCount = static_cast<int>(renumber.size());
  };
  for (const auto& set : program.sets) {
    if (classCount == 256) break;  // every byte is its own class already
    refine([&set](unsigned char b) { return set.Test(b); });
  }
  if (program.hasAssertions) {
    refine([](unsigned char b) { return IsRegExprWordChar(b); });
    refine([](unsigned char b) { return b == '\r'; });
    refine([](unsigned char b) { return b == '\n'; });
    if (program.utf8) refine([](unsigned char b) { return (b & 0xC0) == 0x80; });
  }
  for (unsigned b = 0; b < 256; ++b) program.byteClass[b] = static_cast<std::uint8_t>(classOf[b]);
  program.classCount = classCount;
}

}  // namespace

TRegExprProgram CompileRegExprProgram(const TRegExprNode& root, int groupCount,
                                      bool relaxBackrefs, bool utf8) {
  TRegExprProgram program;
  program.groupCount = groupCount;
  program.utf8 = utf8;
  TCompiler compiler(program, relaxBackrefs);
  const std::uint32_t match = static_cast<std::uint32_t>(program.code.size());
  program.code.push_back({TRegExprOp::Match, {}, false, 0, 0, 0});
  program.start = compiler.Compile(root, match);
  ComputeByteClasses(program);
  program.anchoredAtStart = RegExprOnlyMatchesAtStart(program);
  program.startViable = RegExprStartViability(program);
  return program;
}

}  // namespace search
