#include "search/engine/TextRules.h"

#include <gtest/gtest.h>

using namespace search;

TEST(TextRules, TakeFirstItemSplitsAtEarliestSeparator) {
  std::string list = " a ;b,c";
  EXPECT_EQ(TakeFirstItem(list, ";,"), " a ");
  EXPECT_EQ(list, "b,c");
  EXPECT_EQ(TakeFirstItem(list, ";,"), "b");
  EXPECT_EQ(TakeFirstItem(list, ";,"), "c");
  EXPECT_EQ(list, "");
}

TEST(TextRules, SplitTextKeepsInnerEmptyPiecesButNoTrailingOne) {
  using V = std::vector<std::string>;
  EXPECT_EQ(SplitText("|a||b|", "|"), (V{"", "a", "", "b"}));
  EXPECT_EQ(SplitText("a", "|"), (V{"a"}));
  EXPECT_EQ(SplitText("", "|"), V{});
  EXPECT_EQ(SplitText("/home/x/", "/"), (V{"", "home", "x"}));
}

TEST(TextRules, ListItemsStopAtFirstEmptyItem) {
  using V = std::vector<std::string>;
  EXPECT_EQ(ListItems("*.txt; *.c ;"), (V{"*.txt", "*.c"}));
  EXPECT_EQ(ListItems("*.txt;;*.c"), (V{"*.txt"}));
  EXPECT_EQ(ListItems("*.txt; ;*.c"), (V{"*.txt"}));
  EXPECT_EQ(ListItems(""), V{});
}

TEST(TextRules, MatchesMaskTable) {
  struct Case {
    const char* mask;
    const char* name;
    bool expected;
  } cases[] = {
      {"*.*", "readme", false}, {"*.*", "a.txt", true},     {"*", "readme", true},
      {"*.htm", "a.html", false}, {"*.htm", "a.htm", true}, {"a?c", "abc", true},
      {"a?c", "ac", false},      {"*a*b", "xxaxxb", true},  {"*a*b", "xxaxxbc", false},
      {"", "", true},            {"", "a", false},          {"abc", "ab", false},
      {"**", "", true},          {"?", "", false},          {"*.TXT", "a.txt", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MatchesMask(c.mask, c.name), c.expected) << c.mask << " vs " << c.name;
  }
}

TEST(TextRules, MatchesMaskStaysFastOnManyStars) {
  std::string mask(40, '*');
  mask += "b";
  EXPECT_FALSE(MatchesMask(mask, std::string(5000, 'a')));
}

TEST(TextRules, FoldingIsAsciiOnly) {
  EXPECT_EQ(AsciiLower("ABC.Txt"), "abc.txt");
  EXPECT_EQ(AsciiLower("\xC3\x89"), "\xC3\x89");  // É keeps its case
  EXPECT_TRUE(SameTextIgnoringCase("Src/Main", "src/MAIN"));
  EXPECT_FALSE(SameTextIgnoringCase("a", "ab"));
}

TEST(TextRules, SystemErrorTextHasNoLineEnd) {
  EXPECT_EQ(SystemErrorText(0), "");
  EXPECT_EQ(SystemErrorText(2), "No such file or directory");
}
