#include "search/editor/text/MatchHighlighter.h"

#include <gtest/gtest.h>

#include <clocale>

using editor::TMatchHighlighter;
using editor::TMatchSpan;

namespace {

struct Case {
  const char* what;
  const char* stringA;
  const char* stringB;
  uint8_t matchType;
  bool caseSensitive;
  bool wholeWord;
  const char* line;
  std::vector<TMatchSpan> expected;
};

}  // namespace

TEST(MatchHighlighter, PaintsTheOccurrencesOfQualifyingLines) {
  // The program's locale (C.UTF-8 in the tests), as the window sets it.
  std::setlocale(LC_ALL, "");
  const Case cases[] = {
      {"Or, both words", "cat", "dog", 0, false, false, "Cat and DOG", {{0, 3, false}, {8, 3, true}}},
      {"Or, neither word", "cat", "dog", 0, false, false, "a bird", {}},
      {"And Not, the first alone", "cat", "dog", 2, false, false, "a cat", {{2, 3, false}}},
      {"And Not, both", "cat", "dog", 2, false, false, "cat and dog", {}},
      {"And, one missing", "cat", "dog", 1, false, false, "cat", {}},
      {"whole word", "cat", "", 0, false, true, "concatenate cat_1 cat.", {{18, 3, false}}},
      {"whole word at both ends", "cat", "", 0, false, true, "cat", {{0, 3, false}}},
      {"case sensitive", "Cat", "", 0, true, false, "cat CAT Cat", {{8, 3, false}}},
      {"overlapping occurrences", "aa", "", 0, false, false, "aaa", {{0, 2, false}, {1, 2, false}}},
      {"an overlap after a rejected one", "aa", "", 0, true, false, "Aaa", {{1, 2, false}}},
      {"letters beyond ASCII fold", "\xC3\xA9t\xC3\xA9", "", 0, false, false, "\xC3\x89T\xC3\x89!", {{0, 5, false}}},
      {"an unknown match type", "cat", "", 7, false, false, "cat", {}},
  };
  for (const Case& c : cases) {
    const TMatchHighlighter highlighter(c.stringA, c.stringB, c.matchType, c.caseSensitive, c.wholeWord);
    EXPECT_EQ(highlighter.Spans(c.line, 1024), c.expected) << c.what;
  }
}

TEST(MatchHighlighter, PaintsNothingPastTheColumnLimit) {
  const TMatchHighlighter highlighter("abc", "", 0, false, false);
  const std::string line = std::string(1022, ' ') + "abc abc";
  const auto spans = highlighter.Spans(line, 1024);
  ASSERT_EQ(spans.size(), 1u);
  EXPECT_EQ(spans[0].start, 1022u);
  EXPECT_EQ(spans[0].length, 2u) << "cut at the last column";
  EXPECT_TRUE(highlighter.Qualifies(line));
}

TEST(MatchHighlighter, EmptyStringsAreNeverContained) {
  const TMatchHighlighter highlighter("", "", 0, false, false);
  EXPECT_FALSE(highlighter.HasStrings());
  EXPECT_FALSE(highlighter.Qualifies("anything"));
  EXPECT_TRUE(highlighter.Spans("anything", 1024).empty());
}
