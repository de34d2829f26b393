#pragma once
// Reads the text of an expression into a syntax tree, or finds the first error in it with the
// error code and the number of characters read when it was found.

#include <cstddef>
#include <optional>
#include <string_view>

#include "search/engine/regex/RegExprModifiers.h"
#include "search/engine/regex/RegExprNode.h"

namespace search {

struct TRegExprParseResult {
  TRegExprNode root;
  int groupCount = 0;
  int errorCode = 0;  // 0 when the expression was read without error
  int errorPosition = 0;
};

class TRegExprParser {
 public:
  static constexpr int kMaxGroups = 14;
  // Programs larger than this many instructions give "Regexp Too Big".
  static constexpr std::uint64_t kMaxProgramSize = 100000;
  static constexpr int kMaxBracesArgument = 0x7FFFFFFE;

  // With `utf8` the expression and the lines are UTF-8: literals, sets, ranges, the dot and
  // the i modifier work on characters; bytes that are not valid UTF-8 stand for themselves.
  TRegExprParser(std::string_view expression, const TRegExprModifiers& modifiers, bool utf8 = false);
  TRegExprParseResult Parse();

 private:
  struct TBraces {
    std::size_t end = 0;  // just past the closing brace
    std::size_t minEnd = 0, maxEnd = 0;  // just past the digits of each bound
    std::uint64_t min = 0, max = 0;
    bool unbounded = false;
  };

  TRegExprNode ParseReg(bool inGroup);
  TRegExprNode ParseBranch();
  TRegExprNode ParsePiece();
  TRegExprNode ParseAtom();
  TRegExprNode ParseParen();
  TRegExprNode ParseEscape();
  TRegExprNode ParseSet();
  // One character of the expression: a code point, or (read as UTF-8) a lone byte.
  struct TChar {
    char32_t value = 0;
    bool raw = false;
  };
  TChar ReadChar();
  TChar ParseSetChar();
  TChar UnquoteChar(char escaped);
  TRegExprNode CharsNode(TRegExprCharSet chars) const;
  TRegExprNode LiteralChar(TChar c) const;
  unsigned char ParseHexCode();
  std::optional<TBraces> TryBraces(std::size_t at) const;
  bool QuantifierAt(std::size_t at) const;
  void SkipExtendedSpace();
  TRegExprNode Literal(unsigned char c) const;
  TRegExprNode SetNode(const TRegExprByteSet& set) const;
  // `position` is a byte offset; the error reports the characters before it.
  [[noreturn]] void Fail(int code, std::size_t position) const;

  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return text_[pos_]; }

  std::string_view text_;
  std::size_t pos_ = 0;
  TRegExprModifiers modifiers_;
  bool utf8_ = false;
  int groups_ = 0;
};

}  // namespace search
