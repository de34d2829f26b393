#include "ReferenceMatcher.h"

#include <array>
#include <cwctype>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "search/engine/Utf8.h"

namespace search::regextest {

namespace {

// Characters as numbers: bytes (0..255), or read as UTF-8, code points and, above them, the
// bytes that are not part of valid UTF-8.
constexpr int kRawBase = 0x110000;

std::vector<int> CharactersOf(std::string_view text, bool utf8) {
  std::vector<int> characters;
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    char32_t codePoint = 0;
    const std::size_t length = utf8 && byte >= 0x80 ? DecodeUtf8(text.substr(i), codePoint) : 0;
    if (length > 0) {
      characters.push_back(static_cast<int>(codePoint));
      i += length;
    } else {
      characters.push_back(utf8 && byte >= 0x80 ? kRawBase + byte : byte);
      ++i;
    }
  }
  return characters;
}

// Letters compare by their upper case, as plain strings do; a letter beyond ASCII whose upper
// case is ASCII keeps itself.
int CaseKey(int c, bool utf8) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if (!utf8 || c < 0x80 || c >= kRawBase) return c;
  const int upper = static_cast<int>(std::towupper(static_cast<wint_t>(c)));
  return upper >= 0x80 ? upper : c;
}

// The characters beyond ASCII by case key; built at the first use, which must be in the
// UTF-8 locale.
const std::map<int, std::vector<int>>& CaseClasses() {
  static const std::map<int, std::vector<int>> byKey = [] {
    std::map<int, std::vector<int>> keys;
    for (int x = 0x80; x <= 0x1FFFF; ++x) {
      if (x < 0xD800 || x > 0xDFFF) keys[CaseKey(x, true)].push_back(x);
    }
    return keys;
  }();
  return byKey;
}

// Every character with the same case key as c (c included).
std::vector<int> SameCase(int c, bool utf8) {
  if (c < 0x80) {
    if (c >= 'a' && c <= 'z') return {c, c - 32};
    if (c >= 'A' && c <= 'Z') return {c, c + 32};
    return {c};
  }
  if (!utf8 || c >= kRawBase) return {c};
  const auto found = CaseClasses().find(CaseKey(c, true));
  return found == CaseClasses().end() ? std::vector<int>{c} : found->second;
}

struct TNode {
  enum Kind { Chars, Begin, End, Boundary, NotBoundary, Group, Cat, Alt, Rep, Ref } kind = Cat;
  std::function<bool(int)> chars;
  int number = 0;
  int min = 0, max = 0;  // max -1: no limit
  std::vector<TNode> kids;
};

bool IsWord(int c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
bool IsSpace(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
bool IsDigit(int c) { return c >= '0' && c <= '9'; }
class TParser {
 public:
  TParser(std::string_view text, bool ignoreCase, bool utf8)
      : text_(CharactersOf(text, utf8)), ignoreCase_(ignoreCase), utf8_(utf8) {}

  TNode Alternation() {
    TNode node;
    node.kind = TNode::Alt;
    node.kids.push_back(Sequence());
    while (pos_ < text_.size() && text_[pos_] == '|') {
      ++pos_;
      node.kids.push_back(Sequence());
    }
    return node;
  }

 private:
  TNode Sequence() {
    TNode node;
    node.kind = TNode::Cat;
    while (pos_ < text_.size() && text_[pos_] != '|' && text_[pos_] != ')') {
      TNode atom = Atom();
      node.kids.push_back(Quantified(std::move(atom)));
    }
    return node;
  }

  TNode Quantified(TNode atom) {
    if (pos_ >= text_.size()) return atom;
    int min, max;
    const char c = text_[pos_];
    if (c == '*') { min = 0; max = -1; ++pos_; }
    else if (c == '+') { min = 1; max = -1; ++pos_; }
    else if (c == '?') { min = 0; max = 1; ++pos_; }
    else if (c == '{' && Braces(min, max)) {}
    else return atom;
    if (pos_ < text_.size() && text_[pos_] == '?') ++pos_;  // lazy: same answer
    TNode node;
    node.kind = TNode::Rep;
    node.min = min;
    node.max = max;
    node.kids.push_back(std::move(atom));
    return node;
  }

  bool Braces(int& min, int& max) {
    std::size_t i = pos_ + 1;
    const auto number = [&](int& value) {
      const std::size_t first = i;
      value = 0;
      while (i < text_.size() && IsDigit(text_[i])) value = value * 10 + (text_[i++] - '0');
      return i > first;
    };
    if (!number(min) || i >= text_.size()) return false;
    if (text_[i] == '}') { max = min; pos_ = i + 1; return true; }
    if (text_[i] != ',') return false;
    ++i;
    if (!number(max)) max = -1;
    if (i >= text_.size() || text_[i] != '}') return false;
    pos_ = i + 1;
    return true;
  }

  TNode CharNode(const std::function<bool(int)>& in) {
    TNode node;
    node.kind = TNode::Chars;
    const bool ignoreCase = ignoreCase_, utf8 = utf8_;
    node.chars = [in, ignoreCase, utf8](int c) {
      if (!ignoreCase) return in(c);
      for (int other : SameCase(c, utf8)) {
        if (in(other)) return true;
      }
      return false;
    };
    return node;
  }

  TNode Simple(TNode::Kind kind) {
    TNode node;
    node.kind = kind;
    return node;
  }

  TNode Atom() {
    const int c = text_[pos_++];
    if (c == '.') return CharNode([](int) { return true; });
    if (c == '^') return Simple(TNode::Begin);
    if (c == '$') return Simple(TNode::End);
    if (c == '(') {
      TNode node = Simple(TNode::Group);
      node.number = ++groups_;
      node.kids.push_back(Alternation());
      ++pos_;  // ')'
      return node;
    }
    if (c == '[') return Set();
    if (c != '\\') return CharNode([c](int x) { return x == c; });
    const int e = text_[pos_++];
    switch (e) {
      case 'd': return CharNode(IsDigit);
      case 'w': return CharNode(IsWord);
      case 's': return CharNode(IsSpace);
      case 'D': return CharNode([](int x) { return !IsDigit(x); });
      case 'W': return CharNode([](int x) { return !IsWord(x); });
      case 'S': return CharNode([](int x) { return !IsSpace(x); });
      case 'b': return Simple(TNode::Boundary);
      case 'B': return Simple(TNode::NotBoundary);
      default: break;
    }
    if (e >= '1' && e <= '9') {
      TNode node = Simple(TNode::Ref);
      node.number = e - '0';
      return node;
    }
    return CharNode([e](int x) { return x == e; });
  }

  TNode Set() {
    bool negate = false;
    if (text_[pos_] == '^') { negate = true; ++pos_; }
    std::vector<std::pair<int, int>> ranges;
    std::vector<int (*)(int)> classes;
    bool first = true;
    while (text_[pos_] != ']' || first) {
      first = false;
      int low = text_[pos_++];
      if (low == '\\') {
        const int e = text_[pos_++];
        if (e == 'd') { ranges.push_back({'0', '9'}); continue; }
        if (e == 'w') { classes.push_back([](int x) { return static_cast<int>(IsWord(x)); }); continue; }
        if (e == 's') { classes.push_back([](int x) { return static_cast<int>(IsSpace(x)); }); continue; }
        low = e;
      }
      int high = low;
      if (text_[pos_] == '-' && text_[pos_ + 1] != ']') {
        high = text_[pos_ + 1];
        pos_ += 2;
      }
      ranges.push_back({low, high});
    }
    ++pos_;
    // Letter case is folded before a negation applies.
    TNode node = CharNode([=](int x) {
      bool in = false;
      for (auto [low, high] : ranges) in = in || (x >= low && x <= high);
      for (auto test : classes) in = in || test(x);
      return in;
    });
    if (negate) node.chars = [in = node.chars](int x) { return !in(x); };
    return node;
  }

  std::vector<int> text_;
  bool ignoreCase_;
  bool utf8_;
  std::size_t pos_ = 0;
  int groups_ = 0;
};

class TMatcher {
 public:
  TMatcher(const std::vector<int>& line, bool ignoreCase, bool utf8) : line_(line), ignoreCase_(ignoreCase), utf8_(utf8) {}

  using TNext = std::function<bool(int)>;

  bool Match(const TNode& node, int pos, const TNext& next) {
    const int size = static_cast<int>(line_.size());
    switch (node.kind) {
      case TNode::Chars:
        return pos < size && node.chars(line_[static_cast<std::size_t>(pos)]) && next(pos + 1);
      case TNode::Begin: return pos == 0 && next(pos);
      case TNode::End: return pos == size && next(pos);
      case TNode::Boundary: return WordAt(pos - 1) != WordAt(pos) && next(pos);
      case TNode::NotBoundary: return WordAt(pos - 1) == WordAt(pos) && next(pos);
      case TNode::Group:
        return Match(node.kids[0], pos, [&, pos](int end) {
          const auto saved = captures_[static_cast<std::size_t>(node.number)];
          captures_[static_cast<std::size_t>(node.number)] = {pos, end};
          if (next(end)) return true;
          captures_[static_cast<std::size_t>(node.number)] = saved;
          return false;
        });
      case TNode::Cat: return Sequence(node, 0, pos, next);
      case TNode::Alt:
        for (const auto& kid : node.kids) {
          if (Match(kid, pos, next)) return true;
        }
        return false;
      case TNode::Rep: return Repeat(node, 0, pos, next);
      case TNode::Ref: {
        const auto [from, to] = captures_[static_cast<std::size_t>(node.number)];
        if (from < 0) return false;
        const int length = to - from;
        if (pos + length > size) return false;
        for (int i = 0; i < length; ++i) {
          int a = line_[static_cast<std::size_t>(from + i)];
          int b = line_[static_cast<std::size_t>(pos + i)];
          if (ignoreCase_) { a = CaseKey(a, utf8_); b = CaseKey(b, utf8_); }
          if (a != b) return false;
        }
        return next(pos + length);
      }
    }
    return false;
  }

 private:
  bool WordAt(int pos) const {
    return pos >= 0 && pos < static_cast<int>(line_.size()) && IsWord(line_[static_cast<std::size_t>(pos)]);
  }

  bool Sequence(const TNode& node, std::size_t index, int pos, const TNext& next) {
    if (index == node.kids.size()) return next(pos);
    return Match(node.kids[index], pos, [&, index](int end) { return Sequence(node, index + 1, end, next); });
  }

  // Another turn of an unbounded loop is taken only when it consumes something, or is needed
  // to reach the minimum; a bounded one (?, {n,m}) may also take a turn that matches the empty
  // text, which sets the groups inside it (so (a*)?\1b matches b).
  bool Repeat(const TNode& node, int count, int pos, const TNext& next) {
    if (node.max < 0 || count < node.max) {
      const bool more = Match(node.kids[0], pos, [&, count, pos](int end) {
        if (end == pos && count >= node.min && node.max < 0) return false;
        return Repeat(node, count + 1, end, next);
      });
      if (more) return true;
    }
    return count >= node.min && next(pos);
  }

  const std::vector<int>& line_;
  bool ignoreCase_;
  bool utf8_;
  std::array<std::pair<int, int>, 16> captures_ = Unset();

  static std::array<std::pair<int, int>, 16> Unset() {
    std::array<std::pair<int, int>, 16> unset;
    unset.fill({-1, -1});
    return unset;
  }
};

}  // namespace

bool ReferenceMatches(std::string_view expression, std::string_view line, bool ignoreCase, bool utf8) {
  const TNode root = TParser(expression, ignoreCase, utf8).Alternation();
  const std::vector<int> characters = CharactersOf(line, utf8);
  for (int start = 0; start <= static_cast<int>(characters.size()); ++start) {
    TMatcher matcher(characters, ignoreCase, utf8);
    if (matcher.Match(root, start, [](int) { return true; })) return true;
  }
  return false;
}

}  // namespace search::regextest
