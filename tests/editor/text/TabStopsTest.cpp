#include "search/editor/text/TabStops.h"

#include <gtest/gtest.h>

using editor::ParseTabStops;

TEST(TabStops, IncreasingPositiveColumnsAreAList) {
  struct Case {
    const char* text;
    std::optional<std::vector<int32_t>> expected;
  };
  const Case cases[] = {
      {"4 8 12", std::vector<int32_t>{4, 8, 12}},
      {"  3\t5   7 ", std::vector<int32_t>{3, 5, 7}},
      {"", std::vector<int32_t>{}},
      {" \t ", std::vector<int32_t>{}},
      {"1", std::vector<int32_t>{1}},
      {"2147483647", std::vector<int32_t>{2147483647}},
      {"4 4 8", std::nullopt},
      {"8 4", std::nullopt},
      {"0 4", std::nullopt},
      {"4 x", std::nullopt},
      {"4 8x", std::nullopt},
      {"-4 8", std::nullopt},
      {"+4 8", std::nullopt},
      {"4,8", std::nullopt},
      {"2147483648", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseTabStops(c.text), c.expected) << '"' << c.text << '"';
}
