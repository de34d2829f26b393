// The six modifiers: defaults, the search's settings and (?...) switches with their scope.
#include <gtest/gtest.h>

#include "RegExprTestSupport.h"

using namespace search;
using search::regextest::MatchText;

TEST(RegExprModifiers, DefaultsAreIOffROnSOnGOnMOffXOff) {
  const TRegExpr regex;
  EXPECT_FALSE(regex.ModifierI);
  EXPECT_TRUE(regex.ModifierR);
  EXPECT_TRUE(regex.ModifierS);
  EXPECT_TRUE(regex.ModifierG);
  EXPECT_FALSE(regex.ModifierM);
  EXPECT_FALSE(regex.ModifierX);
}

TEST(RegExprModifiers, IFollowsTheCaseSensitiveBox) {
  // The search sets i to the opposite of Case sensitive and r off.
  for (bool caseSensitive : {false, true}) {
    TRegExpr regex;
    regex.ModifierR = false;
    regex.ModifierI = !caseSensitive;
    regex.SetExpression("abc");
    ASSERT_TRUE(regex.Compile());
    EXPECT_EQ(regex.Exec("xABCx"), !caseSensitive);
    EXPECT_TRUE(regex.Exec("xabcx"));
  }
}

TEST(RegExprModifiers, SwitchesHoldToTheEndOfTheEnclosingGroup) {
  struct TCase {
    const char* expression;
    const char* line;
    bool matches;
    const char* modifiers;
  };
  const TCase cases[] = {
      {"(?i)abc", "ABC", true, ""},
      {"(?I)abc", "ABC", true, ""},
      {"a(?i)bc", "aBC", true, ""},
      {"a(?i)bc", "ABC", false, ""},
      {"(?i)a(?-i)b", "Ab", true, ""},
      {"(?i)a(?-i)b", "AB", false, ""},
      {"((?i)a)b", "Ab", true, ""},
      {"((?i)a)b", "AB", false, ""},
      {"(?i)a|b", "B", true, ""},          // the switch also holds after |
      {"a((?i)b|c)", "aC", true, ""},
      {"a((?i)b|c)d", "aCD", false, ""},
      {"((?i)a(b))c", "ABc", true, ""},    // a nested group inherits the switch
      {"(?-i)abc", "ABC", false, "i"},
      {"x((?-i)a)b", "XaB", true, "i"},
      {"x((?-i)a)b", "XAB", false, "i"},
      {"(?s-s)a.b", "a\nb", false, ""},
      {"(?-s)a(?s).b", "a\nb", true, ""},
      {"(?m)^b", "a\nb", true, ""},
      {"(?m-m)^b", "a\nb", false, ""},
      {"(?im)^B", "a\nb", true, ""},
      {"(?i-x)a b", "A B", true, "x"},
      {"(?-g)a+b", "aaab", true, ""},
      {"(?r-r)[\xe0-\xff]", "\xb8", false, ""},
      {"(?-r)[\xe0-\xff]", "\xb8", false, ""},
      {"(?i)[^a]", "A", false, ""},
  };
  for (const auto& item : cases) {
    EXPECT_EQ(MatchText(item.expression, item.line, item.modifiers),
              item.matches ? "match" : "no match")
        << item.expression << " on " << item.line;
  }
}

TEST(RegExprModifiers, ALazyQuantifierOrGOffChangesNoAnswer) {
  for (const char* modifiers : {"", "-g"}) {
    EXPECT_EQ(MatchText("<.+?>", "a <b> c", modifiers), "match");
    EXPECT_EQ(MatchText("^a+?$", "aaa", modifiers), "match");
    EXPECT_EQ(MatchText("^a??b$", "b", modifiers), "match");
    EXPECT_EQ(MatchText("^(a+?)\\1$", "aaaa", modifiers), "match");
    EXPECT_EQ(MatchText("^(a+?)\\1$", "aaa", modifiers), "no match");
  }
}

TEST(RegExprModifiers, ChangingAModifierNeedsACompile) {
  TRegExpr regex;
  regex.SetExpression("a.b");
  ASSERT_TRUE(regex.Compile());
  EXPECT_TRUE(regex.Exec("a\nb"));
  regex.ModifierS = false;
  ASSERT_TRUE(regex.Compile());
  EXPECT_FALSE(regex.Exec("a\nb"));
}
