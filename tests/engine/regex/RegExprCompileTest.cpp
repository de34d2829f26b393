// Compile errors: the table's code, the position, and the notice text the search shows.
#include "search/engine/regex/RegExpr.h"

#include <gtest/gtest.h>

using namespace search;

namespace {

struct TErrorCase {
  std::string expression;
  int code;
  int position;
  bool extended = false;  // compiled with x on
};

std::string Repeat(const std::string& text, int times) {
  std::string result;
  for (int i = 0; i < times; ++i) result += text;
  return result;
}

}  // namespace

TEST(RegExprCompile, EveryReachableErrorHasItsCodeAndPosition) {
  const TErrorCase cases[] = {
      {"(abc", 103, 4},
      {"((a)", 103, 4},
      {"abc)", 104, 3},
      {"a|b)c", 104, 3},
      {"*", 115, 1},
      {"+a", 115, 1},
      {"a|?", 115, 3},
      {"(*a)", 115, 2},
      {"{2}", 115, 1},
      {"x|{1,}", 115, 3},
      {"a**", 107, 2},
      {"a+?+", 107, 3},
      {"a???", 107, 3},
      {"a{2}{3}", 107, 4},
      {"a{2}?*", 107, 5},
      {"a* *", 107, 3, true},
      {"()*", 106, 2},
      {"^*", 106, 1},
      {"$+", 106, 1},
      {"\\b{2}", 106, 2},
      {"(a|)+", 106, 4},
      {"(a?)*", 106, 4},
      {"(?i)*", 106, 4},
      {"(?#note)+", 106, 8},
      {"(^|a){1,3}", 106, 5},
      {"[z-a]", 109, 3},
      {"[a-c9-0]", 109, 6},
      {"[z-\\x41]", 109, 6},
      {"[abc", 113, 4},
      {"[", 113, 1},
      {"[]", 113, 2},
      {"[^]", 113, 3},
      {"a\\", 116, 2},
      {"\\", 116, 1},
      {"[a\\", 110, 3},
      {"\\x", 111, 2},
      {"\\x4", 111, 3},
      {"\\x{", 111, 3},
      {"\\x{}", 111, 3},
      {"\\x{12", 111, 5},
      {"\\xg0", 108, 2},
      {"\\x4g", 108, 3},
      {"\\x{1g}", 108, 4},
      {"[\\xZ]", 108, 3},
      {"\\x{100}", 112, 5},
      {"\\x{0FFF}", 112, 6},
      {"[\\x{100}]", 112, 6},
      {"a{3,2}", 124, 5},
      {"a{99999999999}", 122, 13},
      {"a{1,99999999999}", 122, 15},
      {"(?#abc", 125, 6},
      {"(?q)", 127, 3},
      {"(?i", 127, 3},
      {"(?:a)", 127, 4},
      {"(?i-z)", 127, 5},
      {Repeat("(a)", 14) + "(a)", 102, 43},
      {"x{100001}", 101, 9},
      {"(a{40000}){3}", 101, 13},
  };
  for (const auto& item : cases) {
    TRegExpr regex;
    regex.ModifierX = item.extended;
    regex.SetExpression(item.expression);
    EXPECT_FALSE(regex.Compile()) << item.expression;
    EXPECT_EQ(regex.LastErrorCode(), item.code) << item.expression;
    EXPECT_EQ(regex.CompilePosition(), item.position) << item.expression;
  }
}

TEST(RegExprCompile, ValidExpressionsCompile) {
  const std::string valid[] = {
      "",          "a",          "a|",         "|a",         "()",        "(a|)",
      "(a?)?",     "^?",         "a{,2}",      "a{x}",       "a{1,x}",    "x{",
      "a}",        "]",          "[]a]",       "[^]a]",      "[a-]",      "[-a]",
      "\\1",       "(a)\\1*",    "(?i)",       "(?)",        "(?#)",      "(?iRsGmX-x)",
      "a{0}",      "a{2,}",      "a{,}",       "\\x{41}",    "\\x{0041}", "\\x41",
      "[\\d-z]",   "(a+)+",      "a*?b+?c??",  "a{2}?",      "\\Q",       Repeat("(a)", 14),
      "(a{100}){100}",
  };
  for (const auto& expression : valid) {
    TRegExpr regex;
    regex.SetExpression(expression);
    EXPECT_TRUE(regex.Compile()) << expression << " gave " << regex.LastErrorCode() << " at "
                                 << regex.CompilePosition();
  }
}

TEST(RegExprCompile, ErrorMessagesComeFromTheTable) {
  EXPECT_EQ(TRegExpr::ErrorMsg(0), "No errors");
  EXPECT_EQ(TRegExpr::ErrorMsg(103), "TRegExpr(comp): ParseReg Unmatched ()");
  EXPECT_EQ(TRegExpr::ErrorMsg(104), "TRegExpr(comp): ParseReg Unmatched ()");
  EXPECT_EQ(TRegExpr::ErrorMsg(115), "TRegExpr(comp): ?+*{ Follows Nothing");
  EXPECT_EQ(TRegExpr::ErrorMsg(110), "TRegExpr(comp): Parse Atom Trailing \\");
  EXPECT_EQ(TRegExpr::ErrorMsg(1014), "TRegExpr(exec): Loop Stack Exceeded");
  EXPECT_EQ(TRegExpr::ErrorMsg(2000), "TRegExpr(misc): Bad p-code imported");
  EXPECT_EQ(TRegExpr::ErrorMsg(117), "Unknown error");
  EXPECT_EQ(RegExprUserWording(TRegExpr::ErrorMsg(1004)),
            "Unable to execute regular expression: Corrupted Program");
  EXPECT_EQ(RegExprUserWording(TRegExpr::ErrorMsg(2000)),
            "Regular expression error: Bad p-code imported");
}

TEST(RegExprCompile, CompileExpressionsReportsTheFirstFailureAsOneNotice) {
  TRegExpr first, second;
  second.SetExpression("old");
  EXPECT_EQ(CompileExpressions(first, "(abc", second, "[").value_or(""),
            "Unable to compile regular expression: ParseReg Unmatched () at character position 4");
  EXPECT_EQ(second.Expression(), "old");  // String 2 is not compiled after String 1 failed

  EXPECT_EQ(CompileExpressions(first, "*", second, "").value_or(""),
            "Unable to compile regular expression: ?+*{ Follows Nothing at character position 1");
  EXPECT_EQ(CompileExpressions(first, "ok", second, "a{3,1}").value_or(""),
            "Unable to compile regular expression: BRACE Min Param Greater then Max at character "
            "position 5");
  EXPECT_EQ(CompileExpressions(first, "a", second, "b"), std::nullopt);
  EXPECT_EQ(CompileExpressions(first, "", second, ""), std::nullopt);
  EXPECT_FALSE(first.Exec("anything"));
}

TEST(RegExprCompile, ARecompileAfterAnErrorStartsClean) {
  TRegExpr regex;
  regex.SetExpression("[");
  EXPECT_FALSE(regex.Compile());
  EXPECT_THROW(regex.Exec("x"), TRegExprError);
  regex.SetExpression("x");
  EXPECT_TRUE(regex.Compile());
  EXPECT_EQ(regex.LastErrorCode(), 0);
  EXPECT_TRUE(regex.Exec("x"));
}

TEST(RegExprCompile, ExecRefusesAStaleCompilation) {
  TRegExpr regex;
  regex.SetExpression("abc");
  ASSERT_TRUE(regex.Compile());
  regex.ModifierI = true;
  EXPECT_THROW(regex.Exec("ABC"), TRegExprError);
  ASSERT_TRUE(regex.Compile());
  EXPECT_TRUE(regex.Exec("ABC"));
  regex.SetExpression("x");
  EXPECT_THROW(regex.Exec("x"), TRegExprError);
}
