#include "search/editor/text/TextFinder.h"

#include <gtest/gtest.h>

#include <clocale>

using editor::FindAllFrom;
using editor::FindText;
using editor::TFindOptions;

TEST(TextFinder, FindsByTheOptions) {
  std::setlocale(LC_ALL, "");
  struct Case {
    const char* what;
    const char* text;
    const char* needle;
    size_t from;
    TFindOptions options;
    std::optional<size_t> expected;
  };
  const Case cases[] = {
      {"down, letter case ignored", "one Cat cat", "cat", 0, {false, false, true}, 4},
      {"down from after the first", "one Cat cat", "cat", 5, {false, false, true}, 8},
      {"match case", "one Cat cat", "cat", 0, {true, false, true}, 8},
      {"whole word", "concat cat_ cat.", "cat", 0, {false, true, true}, 12},
      {"whole word at the text's ends", "cat", "cat", 0, {false, true, true}, 0},
      {"up: the last that ends by the start", "cat cat cat", "cat", 8, {false, false, false}, 4},
      {"up from the very end", "cat cat cat", "cat", 11, {false, false, false}, 8},
      {"up, nothing before", "cat cat", "cat", 2, {false, false, false}, std::nullopt},
      {"no match", "dog", "cat", 0, {false, false, true}, std::nullopt},
      {"across a line end", "ab\r\ncd", "b\r\nc", 0, {false, false, true}, 1},
      {"an overlap after a rejected one", "Aaa", "aa", 0, {true, false, true}, 1},
      {"letters beyond ASCII fold", "x \xC3\x89T\xC3\x89", "\xC3\xA9t\xC3\xA9", 0, {false, false, true}, 2},
      {"an empty needle", "text", "", 0, {false, false, true}, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(FindText(c.text, c.needle, c.from, c.options), c.expected) << c.what;
}

TEST(TextFinder, UpSearchCrossesItsWindows) {
  std::string text(3 << 20, '.');
  text.replace(10, 3, "cat");
  EXPECT_EQ(FindText(text, "cat", text.size(), {false, false, false}), 10u);
  text.replace((1 << 20) * 2 - 1, 3, "cat");  // across a window's edge
  EXPECT_EQ(FindText(text, "cat", text.size(), {false, false, false}), size_t((1 << 20) * 2 - 1));
}

TEST(TextFinder, ReplaceAllTakesOccurrencesOneAfterAnother) {
  EXPECT_EQ(FindAllFrom("aaaa", "aa", 0, {}), (std::vector<size_t>{0, 2}));
  EXPECT_EQ(FindAllFrom("cat Cat cat", "cat", 1, {}), (std::vector<size_t>{4, 8}));
  EXPECT_EQ(FindAllFrom("cat catalog", "cat", 0, {false, true, true}), (std::vector<size_t>{0}));
  EXPECT_TRUE(FindAllFrom("dog", "cat", 0, {}).empty());
}

TEST(TextFinder, SameText) {
  EXPECT_TRUE(editor::SameText("Cat", "cAT", false));
  EXPECT_FALSE(editor::SameText("Cat", "cat", true));
  EXPECT_FALSE(editor::SameText("cat", "cats", false));
}
