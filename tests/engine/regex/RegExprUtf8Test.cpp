// Expressions in a UTF-8 locale work on characters: literals, sets, ranges, the dot and the i
// modifier take a UTF-8 sequence as one character and fold letters beyond ASCII as plain
// strings do; bytes that are not UTF-8 are characters of their own.
#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

#include "RegExprTestSupport.h"
#include "search/engine/matching/CaseFolding.h"

using namespace search;
using search::regextest::MatchText;

namespace {

class RegExprUtf8 : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr); }
  void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

struct TCase {
  const char* expression;
  const char* line;
  bool matches;
  const char* modifiers = "";
};

void ExpectCases(const std::vector<TCase>& cases) {
  for (const auto& c : cases) {
    EXPECT_EQ(MatchText(c.expression, c.line, c.modifiers), c.matches ? "match" : "no match")
        << "expression [" << c.expression << "] line [" << c.line << "] modifiers [" << c.modifiers << "]";
  }
}

}  // namespace

TEST_F(RegExprUtf8, LiteralsSetsAndTheDotTakeWholeCharacters) {
  ExpectCases({
      {"café", "LE CAFÉ", true, "i"},
      {"café", "voilà", false, "i"},
      {"(?i)été", "ÉTÉ", true},
      {"été", "ÉTÉ", false},
      {"[é]", "été", true},
      {"[é]", "voilà", false},  // à shares é's first byte
      {"[é]", "LE CAFÉ", false},
      {"[é]", "LE CAFÉ", true, "i"},
      {"^ét.$", "été", true},
      {"^.$", "é", true},
      {"^..$", "é", false},
      {"^...$", "été", true},
      {"^.$", "\xe2\x82\xac", true},      // a three-byte character
      {"^.$", "\xf0\x9f\x98\x80", true},  // a four-byte one
      {"a.c", "a\xe2\x82\xac" "c", true},
      {"[à-ï]", "é", true},
      {"[à-ï]", "ð", false},
      {"[à-ï]", "É", false},
      {"[à-ï]", "É", true, "i"},
      {"[^é]", "é", false},
      {"[^é]", "e", true},
      {"[^é]", "É", true},
      {"[^é]", "É", false, "i"},
      {"^[^a]$", "é", true},
      {"x[^a]y", "x\xe2\x82\xacy", true},
      {"\\W", "é", true},
      {"^\\w+$", "été", false},
      {"^\\S$", "é", true},
      {"^\\D\\D$", "éa", true},
      {"é+", "ééé", true},
      {"^(é|à){3}$", "éàé", true},
      {"^(é|à){3}$", "éà", false},
      {"\\é", "é", true},
      {"\\xe9", "é", true},  // \x names a character, here U+00E9
      {"[\\xe0-\\xef]", "é", true},
  });
}

TEST_F(RegExprUtf8, WholeWordsEndAtLettersBeyondAscii) {
  ExpectCases({
      {"\\bt", "été", true},
      {"\\bété\\b", "xétéx", true},  // é is not a word character
      {"\\Bt", "été", false},
      {"\\bcaf\\b", "café", true},
      {"\\bcafé\\b", "cafés", true},
  });
}

TEST_F(RegExprUtf8, BytesThatAreNotUtf8MatchThemselvesOneAtATime) {
  ExpectCases({
      {"caf.", "caf\xe9", true},  // Latin-1 é: one character
      {"^caf.$", "caf\xe9", true},
      {"^caf..$", "caf\xe9", false},
      {"caf[^a]", "caf\xe9", true},
      {"\xe9", "caf\xe9", true},  // a lone byte in the expression
      {"\xe9", "café", false},
      {"\\xe9", "caf\xe9", false},
      {"^.$", "\xc3", true},  // a sequence cut short
      {"^..$", "\xc3" "A", true},
      {"^.$", "\xc3" "A", false},
      {"^[^é]$", "\xa9", true},
      {"^.é$", "\xa9\xc3\xa9", true},
      {"^..$", "\xf8\xf9", true},  // bytes that look like nothing in UTF-8
      {"é", "\xf8\xc3\xa9", true},
      {"^.$", "\xed\xa0\x80", false},  // an encoded surrogate is three bytes
      {"^...$", "\xed\xa0\x80", true},
      {"\x80\xff", "x\x80\xff", true},
  });
}

TEST_F(RegExprUtf8, BackreferencesFoldLettersBeyondAscii) {
  ExpectCases({
      {"(é)\\1", "éé", true},
      {"(é)\\1", "éÉ", false},
      {"(é)\\1", "éÉ", true, "i"},
      {"(σ+)x\\1", "σσxΣΣ", true, "i"},
      {"(.)\\1", "\xe9\xe9", true},
      {"(.)\\1", "\xe9\xe8", false},
  });
}

TEST_F(RegExprUtf8, LettersFoldAsPlainStringsFold) {
  const std::vector<std::string> letters = {"é", "É", "à", "À", "σ", "ς", "Σ", "µ", "μ", "Μ",
                                            "ß", "ẞ", "ſ", "s", "S", "K", "k", "ı", "I", "i",
                                            "İ", "ǅ", "ǆ", "Ǆ", "ⱥ", "Ⱥ", "я", "Я", "ё", "Ё"};
  for (const auto& a : letters) {
    for (const auto& b : letters) {
      const bool same = FoldCase(a, true) == FoldCase(b, true);
      EXPECT_EQ(MatchText("^" + a + "$", b, "i"), same ? "match" : "no match") << a << " ~ " << b;
      EXPECT_EQ(MatchText("^[" + a + "]$", b, "i"), same ? "match" : "no match") << "[" << a << "] ~ " << b;
      EXPECT_EQ(MatchText("^(" + a + ")\\1$", a + b, "i"), same ? "match" : "no match") << a << " \\1 " << b;
    }
  }
}

TEST_F(RegExprUtf8, ErrorPositionsCountCharacters) {
  const struct {
    const char* expression;
    const char* error;
  } cases[] = {
      {"é(", "error 103 at 2"},
      {"a(", "error 103 at 2"},
      {"[é-a]", "error 109 at 3"},
      {"[b-a]", "error 109 at 3"},
      {"éé)", "error 104 at 2"},
      {"é*+", "error 107 at 2"},
      {"[é", "error 113 at 2"},
  };
  for (const auto& c : cases) EXPECT_EQ(MatchText(c.expression, ""), c.error) << c.expression;
}

TEST_F(RegExprUtf8, CyrillicRangesTakeTheLetterYoWithR) {
  ExpectCases({
      {"^[а-я]$", "ё", true, "r"},
      {"^[а-я]$", "ё", false, "-r"},
      {"^[А-Я]$", "Ё", true, "r"},
  });
}

TEST(RegExprBytes, OutsideAUtf8LocaleExpressionsWorkOnBytes) {
  ASSERT_NE(std::setlocale(LC_ALL, "C"), nullptr);
  EXPECT_EQ(MatchText("[é]", "voilà"), "match");
  EXPECT_EQ(MatchText("^..$", "é"), "match");
}
