#include "search/engine/TextRules.h"

#include <gtest/gtest.h>

#include <algorithm>

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
      {"?", "", false},          {"*.TXT", "a.txt", false},
      // Two or more stars at the end need a character: a used-up name matches only a used-up
      // mask, and only a rest of exactly "*" matches anything.
      {"**", "", false},         {"a**", "a", false},       {"a**", "ab", true},
      {"a*", "a", true},         {"*", "", true},           {"a***", "abc", true},
      {"a**b", "ab", true},      {"*a**", "a", false},      {"*a**", "aa", true},
      // `?` is one character, also when it takes several bytes.
      {"?a.txt", "\xc3\xa9" "a.txt", true},  {"??a.txt", "\xc3\xa9" "a.txt", false},
      {"?", "\xe2\x82\xac", true},          {"??", "\xe2\x82\xac", false},
      {"?", "\xf0\x9f\x98\x80", true},      {"*?", "\xc3\xa9", true},
      {"a*??", "a\xc3\xa9", false},         {"*???", "\xc3\xa9\xc3\xa9", false},
      // Bytes that are not UTF-8 are one character each.
      {"?", "\xe9", true},                    {"??", "\xe9\xa9", true},
      {"?", "\xc3", true},                    {"?x", "\xc3x", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MatchesMask(c.mask, c.name), c.expected) << c.mask << " vs " << c.name;
  }
}

namespace {

// The rule itself, recursively, over characters.
bool MaskRule(std::string_view mask, std::string_view name) {
  if (mask == "*") return true;
  if (name.empty()) return mask.empty();
  const size_t first = name.size() >= 2 && static_cast<unsigned char>(name[0]) == 0xC3 ? 2 : 1;
  if (!mask.empty() && mask[0] == '*') return MaskRule(mask.substr(1), name) || MaskRule(mask, name.substr(first));
  if (!mask.empty() && mask[0] == '?') return MaskRule(mask.substr(1), name.substr(first));
  return !mask.empty() && mask[0] == name[0] && MaskRule(mask.substr(1), name.substr(1));
}

}  // namespace

TEST(TextRules, MatchesMaskFollowsTheRecursiveRule) {
  // Masks and names of a few characters, é among them (its two bytes are one character).
  const std::vector<std::string> maskParts = {"*", "?", "a", "b", "\xc3\xa9"};
  const std::vector<std::string> nameParts = {"a", "b", "\xc3\xa9"};
  std::vector<std::string> masks = {""}, names = {""};
  for (int length = 1; length <= 4; ++length) {
    for (size_t i = masks.size(); i-- > 0;) {
      for (const auto& part : maskParts) masks.push_back(masks[i] + part);
    }
  }
  for (int length = 1; length <= 4; ++length) {
    for (size_t i = names.size(); i-- > 0;) {
      for (const auto& part : nameParts) names.push_back(names[i] + part);
    }
  }
  std::sort(masks.begin(), masks.end());
  masks.erase(std::unique(masks.begin(), masks.end()), masks.end());
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  for (const auto& mask : masks) {
    for (const auto& name : names) {
      ASSERT_EQ(MatchesMask(mask, name), MaskRule(mask, name)) << mask << " vs " << name;
    }
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
