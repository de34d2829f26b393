// The constructs of the dialect, each with lines it matches and lines it does not.
#include <gtest/gtest.h>

#include "RegExprTestSupport.h"

using namespace search;
using search::regextest::MatchText;

namespace {

struct TMatchCase {
  std::string expression;
  std::string line;
  bool matches;
  std::string modifiers = "";
};

void ExpectCases(const std::vector<TMatchCase>& cases) {
  for (const auto& item : cases) {
    EXPECT_EQ(MatchText(item.expression, item.line, item.modifiers),
              item.matches ? "match" : "no match")
        << "expression [" << item.expression << "] line [" << item.line << "] modifiers ["
        << item.modifiers << "]";
  }
}

}  // namespace

TEST(RegExprMatch, LiteralsAndMetacharacters) {
  ExpectCases({
      {"abc", "xxabcxx", true},
      {"abc", "abxc", false},
      {"abc", "ABC", false},
      {"a]b}c", "a]b}c", true},
      {"\\.\\*\\+\\?\\(\\)\\[\\{\\|\\^\\$\\\\", ".*+?()[{|^$\\", true},
      {"a.c", "abc", true},
      {"a.c", "ac", false},
      {"\\Q\\y", "Qy", true},
      {"\\0", "0", true},
      {"\x80\xff", "x\x80\xff", true},
      {"\xe9", "\xc9", false, "i"},  // only ASCII letters fold
  });
}

TEST(RegExprMatch, DotAndLineSeparators) {
  ExpectCases({
      {"a.b", "a\rb", true},
      {"a.b", "a\nb", true},
      {"a.b", "a\rb", false, "-s"},
      {"a.b", "a\nb", false, "-s"},
      {"a.b", "a\tb", true, "-s"},
  });
}

TEST(RegExprMatch, AnchorsAtTheEndsOfTheLine) {
  ExpectCases({
      {"^abc", "abcdef", true},
      {"^abc", "xabc", false},
      {"abc$", "xxabc", true},
      {"abc$", "abcx", false},
      {"^$", "", true},
      {"^$", "x", false},
      {"\\Aab", "abc", true},
      {"\\Aab", "cab", false},
      {"bc\\Z", "abc", true},
      {"bc\\Z", "bcd", false},
      {"a^b", "a^b", false},
      {"(^a|b)c", "xbc", true},
      {"(^a|b)c", "xac", false},
      {"x$|^y", "yz", true},
  });
}

TEST(RegExprMatch, MultiLineAnchorsCountCrLfAsOneSeparator) {
  ExpectCases({
      {"^b", "a\nb", true, "m"},
      {"^b", "a\nb", false},
      {"a$", "a\nb", true, "m"},
      {"a$", "a\nb", false},
      {"^b", "a\rb", true, "m"},
      {"a$", "a\rb", true, "m"},
      {"^\\n", "a\r\nb", false, "m"},   // no line starts between CR and LF
      {"\\r$", "a\r\nb", false, "m"},   // no line ends between CR and LF
      {"^b", "a\r\nb", true, "m"},
      {"a$", "a\r\nb", true, "m"},
      {"\\Ab", "a\nb", false, "m"},
      {"a\\Z", "a\nb", false, "m"},
  });
}

TEST(RegExprMatch, WordBoundaries) {
  ExpectCases({
      {"\\bcat\\b", "concat cat", true},
      {"\\bcat\\b", "concat", false},
      {"\\bcat\\b", "cat_x", false},
      {"\\bcat\\b", "cat-x", true},
      {"\\bcat", "cat", true},
      {"\\Bcat", "concat", true},
      {"\\Bcat", "a cat", false},
      {"a\\B", "ab", true},
      {"a\\B", "a", false},
      {"\\b", "", false},
      {"\\B", "", true},
      {"\\b1", "x 1", true},
      {"\\b\xe9", " \xe9", false},  // bytes above 127 are no word characters
  });
}

TEST(RegExprMatch, ClassEscapes) {
  ExpectCases({
      {"\\d\\d", "a12", true},
      {"\\d", "abc", false},
      {"\\D", "123", false},
      {"\\D", "12x", true},
      {"\\w+", "__", true},
      {"^\\w", "-a", false},
      {"\\W", "abc_1", false},
      {"\\W", "a b", true},
      {"a\\sb", "a\fb", true},
      {"a\\sb", "a\vb", false},
      {"\\S", " \t\r\n\f", false},
      {"\\t\\n\\r\\f\\a\\e", "\t\n\r\f\a\x1b", true},
  });
}

TEST(RegExprMatch, HexEscapes) {
  ExpectCases({
      {"\\x41", "A", true},
      {"\\x4a", "J", true},
      {"\\x{4A}", "J", true},
      {"\\x{000041}", "A", true},
      {"\\x{ff}", "\xff", true},
      {"\\x41", "a", true, "i"},
      {"\\x{41}B", "AB", true},
      {"\\x4142", "A42", true},
  });
}

TEST(RegExprMatch, Sets) {
  ExpectCases({
      {"[abc]", "xbx", true},
      {"[abc]", "xyz", false},
      {"[^abc]", "abc", false},
      {"[^abc]", "abcd", true},
      {"[a-c]x", "bx", true},
      {"[a-c]x", "dx", false},
      {"[]a]", "]", true},
      {"[^]a]", "]a", false},
      {"[^]a]", "]ab", true},
      {"[a-]", "-", true},
      {"[-a]", "-", true},
      {"[a\\-z]", "b", false},
      {"[a\\-z]", "-", true},
      {"[\\d]", "5", true},
      {"[\\w.]", ".", true},
      {"[\\s]", "\t", true},
      {"[\\t]", "\t", true},
      {"[\\x41-\\x43]", "B", true},
      {"[\\x41-\\x43]", "D", false},
      {"[\\D]", "D", true},  // \D, \S and \W stand for themselves in a set
      {"[\\D]", "x", false},
      {"[\\S\\W]", "W", true},
      {"[\\d-z]", "-", true},
      {"[\\d-z]", "m", false},
      {"[\\]]", "]", true},
      {"[\\\\]", "\\", true},
      {"[.]", "x", false},
      {"[a-c]", "B", true, "i"},
      {"[^a-c]", "B", false, "i"},
      {"[A-C]", "b", true, "i"},
      {"[[]", "[", true},
  });
}

TEST(RegExprMatch, CyrillicRangesTakeYoOnlyWithR) {
  ExpectCases({
      {"[\xe0-\xff]", "\xb8", true},
      {"[\xe0-\xff]", "\xb8", false, "-r"},
      {"[\xc0-\xdf]", "\xa8", true},
      {"[\xc0-\xdf]", "\xa8", false, "-r"},
      {"[\xe0-\xff]", "\xe5", true, "-r"},
  });
}

TEST(RegExprMatch, GroupsAlternationAndQuantifiers) {
  ExpectCases({
      {"(ab)+c", "ababc", true},
      {"(ab)+c", "ac", false},
      {"a|b|c", "xcx", true},
      {"a|b|c", "xyz", false},
      {"x(a|bc)y", "xbcy", true},
      {"x(a|bc)y", "xby", false},
      {"ab*c", "ac", true},
      {"ab+c", "ac", false},
      {"ab?c", "abbc", false},
      {"a(b|)c", "ac", true},
      {"a{3}", "aa", false},
      {"a{3}", "aaa", true},
      {"^a{2,3}$", "aaaa", false},
      {"^a{2,3}$", "aaa", true},
      {"^a{2,}$", "aaaaaaa", true},
      {"^a{2,}$", "a", false},
      {"^a{0}b", "b", true},
      {"^(ab){2}$", "abab", true},
      {"a*?b", "aab", true},
      {"a+?$", "aa", true},
      {"a{2,3}?b", "aab", true},
      {"(a|ab)(c|bcd)(d*)$", "abcd", true},
      {"^(a+)+$", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab", false},
      {"(x+x+)+y", std::string(5000, 'x'), false},
  });
}

TEST(RegExprMatch, ABraceThatIsNoQuantifierIsLiteral) {
  ExpectCases({
      {"a{", "a{", true},
      {"a{x}", "a{x}", true},
      {"a{1,x}", "a{1,x}", true},
      {"a{,2}", "a{,2}", true},
      {"a{,2}", "aa", false},
      {"x{1", "x{1", true},
      {"}", "}", true},
  });
}

TEST(RegExprMatch, Backreferences) {
  ExpectCases({
      {"(\\w+) \\1", "hello hello", true},
      {"(\\w+) \\1", "hello world", false},
      {"^(a)(b)(c)(d)(e)(f)(g)(h)(i)\\9\\1$", "abcdefghiia", true},
      {"(a)\\1", "aA", false},
      {"(a)\\1", "aA", true, "i"},
      {"(?i)(a)\\1", "Aa", true},
      {"(a)(?i)\\1", "aA", true},
      {"((?i)a)\\1", "aA", false},   // the switch ends with its group, before the reference
      {"\\1(a)", "aa", false},       // a group not matched yet matches nothing
      {"(a)|\\1", "b", false},
      {"(a)|b\\1", "b", false},
      {"(a*)b\\1c", "aabaac", true},
      {"(a*)b\\1c", "aabac", true},   // the group may take fewer
      {"(a*)b\\1$", "aaba", true},
      {"^(a*)b\\1$", "aaba", false},
      {"(a)\\10", "aa0", true},       // \10 is \1 followed by 0
      {"(a)\\2", "aa", false},
      {"(.)\\1*x", "aaax", true},
      {"^(a+)ab\\1$", "aaabaa", true},   // the loop must give back a byte to the rest
      {"^(\\w+)\\B\\1$", "abab", true},
      {"^(\\w+)\\s+\\1$", "ab  ab", true},
      {"^(\\w+)\\s+\\1$", "ab  abc", false},
      {"\\b(\\w+)\\s+\\1\\b", "is is", true},
      {"\\b(\\w+)\\s+\\1\\b", "this is", false},
      {"(a?)\\1*$", "b", true},
  });
}

TEST(RegExprMatch, ExtendedSyntaxIgnoresBlanksAndComments) {
  ExpectCases({
      {"a b  c", "abc", true, "x"},
      {"a b c", "a b c", false, "x"},
      {"a\\ b", "a b", true, "x"},
      {"[ ]", " ", true, "x"},
      {"a # a comment\n b", "ab", true, "x"},
      {"a\t\r\n+", "aaa", true, "x"},
      {"a # comment", "a", true, "x"},
      {"a b", "ab", false},
      {"(?x) a b", "ab", true},
      {"a(?x) b (?-x) c", "ab c", true},
      {"a(?x) b (?-x) c", "abc", false},
  });
}

TEST(RegExprMatch, CommentsMatchNothing) {
  ExpectCases({
      {"a(?#note)b", "ab", true},
      {"a(?#no(te)b", "ab", true},
      {"a(?#)b", "ab", true},
  });
}

TEST(RegExprMatch, LongLinesAndPathologicalExpressionsStayFast) {
  const std::string longLine(200000, 'a');
  ExpectCases({
      {"(a|aa)+c", longLine, false},
      {"(a+b?)+c", longLine, false},
      {"^(a|aa)+$", longLine + "b", false},
      {"a{1,50}b", longLine, false},
      {"(\\w+)-\\1", longLine, false},
      {"\\b\\w+\\b", longLine, true},
      {"(.*)(.*)(.*)(.*)(.*)x", longLine, false},
  });
}
