#include "search/engine/regex/RegExprParser.h"

#include <algorithm>

#include "search/engine/Utf8.h"
#include "search/engine/regex/RegExprErrors.h"

namespace search {

namespace {

struct TParseFailure {
  int code;
  std::size_t position;
};

using Kind = TRegExprNodeKind;

TRegExprNode MakeNode(Kind kind) {
  TRegExprNode node;
  node.kind = kind;
  return node;
}

TRegExprNode AssertionNode(TRegExprAssertion assertion) {
  TRegExprNode node = MakeNode(Kind::Assertion);
  node.assertion = assertion;
  node.size = 1;
  return node;
}

TRegExprByteSet ClassSet(char letter) {
  TRegExprByteSet set;
  for (unsigned value = 0; value < 256; ++value) {
    const auto c = static_cast<unsigned char>(value);
    const bool in = letter == 'd' ? IsRegExprDigit(c)
                    : letter == 'w' ? IsRegExprWordChar(c)
                                    : IsRegExprSpaceChar(c);
    if (in) set.Add(c);
  }
  return set;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Sequences of nodes: a single node stands for itself, none for the empty text.
TRegExprNode Sequence(std::vector<TRegExprNode> items, Kind kind) {
  if (items.size() == 1) return std::move(items.front());
  TRegExprNode node = MakeNode(items.empty() ? Kind::Empty : kind);
  if (items.empty()) return node;
  node.hasWidth = kind == Kind::Alternate;
  for (const auto& item : items) {
    node.size += item.size;
    if (kind == Kind::Concat) node.hasWidth = node.hasWidth || item.hasWidth;
    if (kind == Kind::Alternate) node.hasWidth = node.hasWidth && item.hasWidth;
  }
  if (kind == Kind::Alternate) node.size += items.size() - 1;
  node.children = std::move(items);
  return node;
}

std::uint64_t RepeatSize(std::uint64_t child, std::uint64_t min, std::uint64_t max,
                         bool unbounded) {
  // Counts are capped so that huge ones cannot overflow; anything past the cap is too big.
  const std::uint64_t cap = TRegExprParser::kMaxProgramSize + 1;
  const std::uint64_t optional = unbounded ? 0 : std::min(max - min, cap);
  const std::uint64_t size = std::min(min, cap) * child + optional * (child + 1) +
                             (unbounded ? child + 3 : 0);
  return std::min(size, cap);
}

}  // namespace

TRegExprParser::TRegExprParser(std::string_view expression, const TRegExprModifiers& modifiers, bool utf8)
    : text_(expression), modifiers_(modifiers), utf8_(utf8) {}

TRegExprParseResult TRegExprParser::Parse() {
  TRegExprParseResult result;
  try {
    result.root = ParseReg(false);
    result.groupCount = groups_;
  } catch (const TParseFailure& failure) {
    result.errorCode = failure.code;
    result.errorPosition = static_cast<int>(failure.position);
  }
  return result;
}

void TRegExprParser::Fail(int code, std::size_t position) const {
  if (!utf8_) throw TParseFailure{code, position};
  // Positions count characters as typed: a UTF-8 sequence is one.
  std::size_t characters = 0;
  for (std::size_t i = 0; i < position && i < text_.size(); i += Utf8CharLength(text_, i)) ++characters;
  throw TParseFailure{code, characters + (position > text_.size() ? position - text_.size() : 0)};
}

TRegExprNode TRegExprParser::ParseReg(bool inGroup) {
  std::vector<TRegExprNode> branches;
  branches.push_back(ParseBranch());
  std::uint64_t size = branches.back().size;
  while (!AtEnd() && Peek() == '|') {
    ++pos_;
    branches.push_back(ParseBranch());
    size += branches.back().size + 1;
    if (size > kMaxProgramSize) Fail(reeCompRegexpTooBig, pos_);
  }
  if (inGroup) {
    if (AtEnd()) Fail(reeCompParseRegUnmatchedBrackets, pos_);
    ++pos_;  // the closing parenthesis
  } else if (!AtEnd()) {
    Fail(Peek() == ')' ? reeCompParseRegUnmatchedBrackets2 : reeCompParseRegJunkOnEnd, pos_);
  }
  return Sequence(std::move(branches), Kind::Alternate);
}

TRegExprNode TRegExprParser::ParseBranch() {
  std::vector<TRegExprNode> pieces;
  std::uint64_t size = 0;
  for (;;) {
    SkipExtendedSpace();
    if (AtEnd() || Peek() == '|' || Peek() == ')') break;
    pieces.push_back(ParsePiece());
    size += pieces.back().size;
    if (size > kMaxProgramSize) Fail(reeCompRegexpTooBig, pos_);
  }
  return Sequence(std::move(pieces), Kind::Concat);
}

bool TRegExprParser::QuantifierAt(std::size_t at) const {
  if (at >= text_.size()) return false;
  const char c = text_[at];
  return c == '*' || c == '+' || c == '?' || (c == '{' && TryBraces(at).has_value());
}

TRegExprNode TRegExprParser::ParsePiece() {
  TRegExprNode atom = ParseAtom();
  SkipExtendedSpace();
  if (!QuantifierAt(pos_)) return atom;

  const std::size_t opPosition = pos_;
  const char op = Peek();
  if (!atom.hasWidth && op != '?') Fail(rePlusStarOperandCouldBeEmpty, opPosition);

  TRegExprNode node = MakeNode(Kind::Repeat);
  bool unbounded = false;
  std::uint64_t min = 0, max = 1;
  if (op == '{') {
    const TBraces braces = *TryBraces(pos_);
    if (braces.min > kMaxBracesArgument) Fail(reeBRACESArgTooBig, braces.minEnd);
    if (!braces.unbounded && braces.max > kMaxBracesArgument) {
      Fail(reeBRACESArgTooBig, braces.maxEnd);
    }
    if (!braces.unbounded && braces.min > braces.max) {
      Fail(reeBracesMinParamGreaterMax, braces.end - 1);
    }
    min = braces.min;
    max = braces.max;
    unbounded = braces.unbounded;
    pos_ = braces.end;
  } else {
    ++pos_;
    min = op == '+' ? 1 : 0;
    unbounded = op != '?';
  }
  node.greedy = modifiers_.g;
  if (!AtEnd() && Peek() == '?') {
    ++pos_;
    node.greedy = false;
  }
  node.min = static_cast<int>(min);
  node.max = unbounded ? TRegExprNode::kUnbounded : static_cast<int>(max);
  node.hasWidth = min >= 1 && atom.hasWidth;
  node.size = RepeatSize(atom.size, min, max, unbounded);
  if (node.size > kMaxProgramSize) Fail(reeCompRegexpTooBig, pos_);
  node.children.push_back(std::move(atom));

  SkipExtendedSpace();
  if (QuantifierAt(pos_)) Fail(reeNestedSQP, pos_);
  return node;
}

TRegExprNode TRegExprParser::ParseAtom() {
  const std::size_t start = pos_;
  const char c = text_[pos_++];
  switch (c) {
    case '^':
      return AssertionNode(modifiers_.m ? TRegExprAssertion::BeginLine
                                        : TRegExprAssertion::BeginText);
    case '$':
      return AssertionNode(modifiers_.m ? TRegExprAssertion::EndLine
                                        : TRegExprAssertion::EndText);
    case '.': {
      if (utf8_) {
        TRegExprCharSet chars;
        if (!modifiers_.s) {
          chars.Add('\r');
          chars.Add('\n');
        }
        chars.Invert();
        return CharsNode(chars);
      }
      TRegExprByteSet set = TRegExprByteSet::All();
      if (!modifiers_.s) {
        TRegExprByteSet separators;
        separators.Add('\r');
        separators.Add('\n');
        separators.Invert();
        set = separators;
      }
      return SetNode(set);
    }
    case '[':
      return ParseSet();
    case '(':
      return ParseParen();
    case '|':
    case ')':
      Fail(reeRarseAtomInternalDisaster, pos_);
    case '?':
    case '+':
    case '*':
      Fail(reeQPSFollowsNothing, pos_);
    case '{':
      if (TryBraces(start)) Fail(reeQPSFollowsNothing, pos_);
      return Literal('{');
    case '\\':
      return ParseEscape();
    default:
      pos_ = start;
      return LiteralChar(ReadChar());
  }
}

TRegExprNode TRegExprParser::ParseParen() {
  if (!AtEnd() && Peek() == '?') {
    if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '#') {
      pos_ += 2;
      while (!AtEnd() && Peek() != ')') ++pos_;
      if (AtEnd()) Fail(reeUnclosedComment, pos_);
      ++pos_;
      return MakeNode(Kind::Empty);
    }
    ++pos_;
    const std::size_t lettersStart = pos_;
    while (!AtEnd() && Peek() != ')') ++pos_;
    if (AtEnd() || !modifiers_.Apply(text_.substr(lettersStart, pos_ - lettersStart))) {
      Fail(reeUnrecognizedModifier, pos_);
    }
    ++pos_;
    return MakeNode(Kind::Empty);
  }
  if (++groups_ > kMaxGroups) Fail(reeCompParseRegTooManyBrackets, pos_);
  TRegExprNode node = MakeNode(Kind::Group);
  node.group = groups_;
  const TRegExprModifiers outer = modifiers_;
  node.children.push_back(ParseReg(true));
  modifiers_ = outer;  // switches inside the group end with it
  node.hasWidth = node.children.front().hasWidth;
  node.size = node.children.front().size + 2;
  return node;
}

TRegExprNode TRegExprParser::ParseEscape() {
  if (AtEnd()) Fail(reeTrailingBackSlash, pos_);
  const char escaped = text_[pos_++];
  switch (escaped) {
    case 'd':
    case 'w':
    case 's':
      return SetNode(ClassSet(escaped));
    case 'D':
    case 'W':
    case 'S': {
      if (utf8_) {
        TRegExprCharSet chars;
        chars.AddAsciiSet(ClassSet(static_cast<char>(escaped + 32)));
        chars.Invert();
        return CharsNode(chars);
      }
      TRegExprByteSet set = ClassSet(static_cast<char>(escaped + 32));
      set.Invert();
      return SetNode(set);
    }
    case 'b':
      return AssertionNode(TRegExprAssertion::WordBoundary);
    case 'B':
      return AssertionNode(utf8_ ? TRegExprAssertion::NotWordBoundaryBetweenChars
                                 : TRegExprAssertion::NotWordBoundary);
    case 'A':
      return AssertionNode(TRegExprAssertion::BeginText);
    case 'Z':
      return AssertionNode(TRegExprAssertion::EndText);
    default:
      break;
  }
  if (escaped >= '1' && escaped <= '9') {
    TRegExprNode node = MakeNode(Kind::Backref);
    node.group = escaped - '0';
    node.ignoreCase = modifiers_.i;
    node.hasWidth = true;
    node.size = 1;
    return node;
  }
  return LiteralChar(UnquoteChar(escaped));
}

// The character an escape stands for; `escaped` has been read, and for \x the cursor is on
// the first character after the x. Read as UTF-8, \xHH is the code point HH and an escaped
// character beyond ASCII is that whole character.
TRegExprParser::TChar TRegExprParser::UnquoteChar(char escaped) {
  switch (escaped) {
    case 't': return {'\t'};
    case 'n': return {'\n'};
    case 'r': return {'\r'};
    case 'f': return {'\f'};
    case 'a': return {7};
    case 'e': return {27};
    case 'x': return {ParseHexCode()};
    default:
      if (utf8_ && static_cast<unsigned char>(escaped) >= 0x80) {
        --pos_;
        return ReadChar();
      }
      return {static_cast<unsigned char>(escaped)};
  }
}

TRegExprParser::TChar TRegExprParser::ReadChar() {
  const auto byte = static_cast<unsigned char>(text_[pos_]);
  if (!utf8_ || byte < 0x80) {
    ++pos_;
    return {byte};
  }
  char32_t codePoint = 0;
  const std::size_t length = DecodeUtf8(text_.substr(pos_), codePoint);
  if (length == 0) {
    ++pos_;
    return {byte, true};
  }
  pos_ += length;
  return {codePoint};
}

unsigned char TRegExprParser::ParseHexCode() {
  if (AtEnd()) Fail(reeNoHexCodeAfterBSlashX, pos_);
  if (Peek() == '{') {
    ++pos_;
    int value = 0;
    int digits = 0;
    for (;;) {
      if (AtEnd()) Fail(reeNoHexCodeAfterBSlashX, pos_);
      if (Peek() == '}') break;
      const int digit = HexValue(Peek());
      if (digit < 0) Fail(reeBadHexDigit, pos_);
      if (value >= 0x10) Fail(reeHexCodeAfterBSlashXTooBig, pos_);
      value = value * 16 + digit;
      ++digits;
      ++pos_;
    }
    if (digits == 0) Fail(reeNoHexCodeAfterBSlashX, pos_);
    ++pos_;
    return static_cast<unsigned char>(value);
  }
  const int high = HexValue(Peek());
  if (high < 0) Fail(reeBadHexDigit, pos_);
  ++pos_;
  if (AtEnd()) Fail(reeNoHexCodeAfterBSlashX, pos_);
  const int low = HexValue(Peek());
  if (low < 0) Fail(reeBadHexDigit, pos_);
  ++pos_;
  return static_cast<unsigned char>(high * 16 + low);
}

// One character of a set, plain or escaped (the escape's classes are handled by the caller).
TRegExprParser::TChar TRegExprParser::ParseSetChar() {
  if (Peek() != '\\') return ReadChar();
  ++pos_;
  if (AtEnd()) Fail(reeParseAtomTrailingBackSlash, pos_);
  return UnquoteChar(text_[pos_++]);
}

TRegExprNode TRegExprParser::ParseSet() {
  TRegExprByteSet set;
  TRegExprCharSet chars;  // the set, read as UTF-8
  bool negate = false;
  if (!AtEnd() && Peek() == '^') {
    negate = true;
    ++pos_;
  }
  const auto add = [&](TChar low, TChar high) {
    if (!utf8_) {
      set.AddRange(static_cast<unsigned char>(low.value), static_cast<unsigned char>(high.value));
    } else if (low.raw && high.raw) {
      for (char32_t b = low.value; b <= high.value; ++b) chars.AddRawByte(static_cast<unsigned char>(b));
    } else {
      chars.AddRange(low.value, high.value);  // a lone byte at one end counts as that code point
    }
  };
  for (bool first = true;; first = false) {
    if (AtEnd()) Fail(reeUnmatchedSqBrackets, pos_);
    if (Peek() == ']' && !first) {
      ++pos_;
      break;
    }
    if (Peek() == '\\' && pos_ + 1 < text_.size()) {
      const char next = text_[pos_ + 1];
      if (next == 'd' || next == 'w' || next == 's') {
        set.AddSet(ClassSet(next));
        chars.AddAsciiSet(ClassSet(next));
        pos_ += 2;
        continue;
      }
    }
    const TChar low = ParseSetChar();
    if (pos_ + 1 < text_.size() && Peek() == '-' && text_[pos_ + 1] != ']') {
      ++pos_;
      const std::size_t highStart = pos_;
      const TChar high = ParseSetChar();
      if (high.value < low.value) {
        // At the last character read (its first byte, when it took several).
        std::size_t last = pos_ - 1;
        while (utf8_ && last > highStart && (static_cast<unsigned char>(text_[last]) & 0xC0) == 0x80) --last;
        Fail(reeInvalidRange, last);
      }
      add(low, high);
      // With r, the Cyrillic letter ranges (of code page 1251, or of Unicode when read as UTF-8)
      // take the letter yo as well.
      if (modifiers_.r && !utf8_ && low.value <= 0xE0 && high.value == 0xFF) set.Add(0xB8);
      if (modifiers_.r && !utf8_ && low.value <= 0xC0 && high.value >= 0xDF) set.Add(0xA8);
      if (modifiers_.r && utf8_ && low.value <= 0x430 && high.value == 0x44F) chars.Add(0x451);
      if (modifiers_.r && utf8_ && low.value <= 0x410 && high.value >= 0x42F) chars.Add(0x401);
    } else {
      add(low, low);
    }
  }
  if (utf8_) {
    if (modifiers_.i) chars.AddOtherCases();
    if (negate) chars.Invert();
    return chars.IsAscii() ? SetNode(chars.AsciiBytes()) : CharsNode(chars);
  }
  if (modifiers_.i) set.AddOtherAsciiCase();
  if (negate) set.Invert();
  TRegExprNode node = MakeNode(Kind::Set);
  node.set = set;
  node.hasWidth = true;
  node.size = 1;
  return node;
}

std::optional<TRegExprParser::TBraces> TRegExprParser::TryBraces(std::size_t at) const {
  // Reads the digits from `i`; returns false when there are none.
  const auto readNumber = [this](std::size_t& i, std::uint64_t& value) {
    const std::size_t first = i;
    value = 0;
    for (; i < text_.size() && IsDigit(text_[i]); ++i) {
      value = std::min<std::uint64_t>(value * 10 + static_cast<std::uint64_t>(text_[i] - '0'),
                                      std::uint64_t{1} << 40);
    }
    return i > first;
  };
  TBraces braces;
  std::size_t i = at + 1;
  if (!readNumber(i, braces.min) || i >= text_.size()) return std::nullopt;
  braces.minEnd = i;
  if (text_[i] == '}') {
    braces.max = braces.min;
    braces.maxEnd = i;
    braces.end = i + 1;
    return braces;
  }
  if (text_[i] != ',') return std::nullopt;
  ++i;
  braces.unbounded = !readNumber(i, braces.max);
  braces.maxEnd = i;
  if (i >= text_.size() || text_[i] != '}') return std::nullopt;
  braces.end = i + 1;
  return braces;
}

void TRegExprParser::SkipExtendedSpace() {
  if (!modifiers_.x) return;
  while (!AtEnd()) {
    const char c = Peek();
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
      ++pos_;
    } else if (c == '#') {
      while (!AtEnd() && Peek() != '\n' && Peek() != '\r') ++pos_;
    } else {
      break;
    }
  }
}

TRegExprNode TRegExprParser::Literal(unsigned char c) const {
  TRegExprByteSet set = TRegExprByteSet::Of(c);
  if (modifiers_.i) set.AddOtherAsciiCase();
  return SetNode(set);
}

TRegExprNode TRegExprParser::LiteralChar(TChar c) const {
  if (!utf8_) return Literal(static_cast<unsigned char>(c.value));
  if (!c.raw && c.value < 0x80) return Literal(static_cast<unsigned char>(c.value));
  TRegExprCharSet chars;
  if (c.raw) {
    chars.AddRawByte(static_cast<unsigned char>(c.value));
  } else {
    chars.Add(c.value);
    if (modifiers_.i) chars.AddOtherCases();
  }
  return CharsNode(chars);
}

TRegExprNode TRegExprParser::CharsNode(TRegExprCharSet chars) const {
  TRegExprNode node = MakeNode(Kind::Chars);
  std::uint64_t size = 0;
  const auto sequences = chars.ByteSequences();
  for (const auto& sequence : sequences) size += sequence.size() + 1;
  node.chars = std::move(chars);
  node.hasWidth = true;
  node.size = std::max<std::uint64_t>(size, 1);
  return node;
}

TRegExprNode TRegExprParser::SetNode(const TRegExprByteSet& set) const {
  TRegExprNode node = MakeNode(Kind::Set);
  node.set = set;
  node.hasWidth = true;
  node.size = 1;
  return node;
}

}  // namespace search
