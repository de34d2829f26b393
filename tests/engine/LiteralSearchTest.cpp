#include "search/engine/matching/LiteralSearch.h"

#include <gtest/gtest.h>

#include <random>

#include "search/engine/matching/ByteCount.h"
#include "search/engine/matching/CaseFolding.h"

using namespace search;

namespace {

size_t NaiveFind(std::string_view haystack, std::string_view needle, size_t from, bool ignoreCase) {
  for (size_t i = from; i + needle.size() <= haystack.size(); ++i) {
    size_t k = 0;
    while (k < needle.size() && (ignoreCase ? AsciiUpperChar(haystack[i + k]) == AsciiUpperChar(needle[k])
                                            : haystack[i + k] == needle[k])) {
      ++k;
    }
    if (k == needle.size()) return i;
  }
  return std::string_view::npos;
}

}  // namespace

// Random texts over small alphabets give many near misses, both letter cases, and needles at
// every alignment, including the ends of the buffer.
TEST(LiteralSearch, AgreesWithANaiveSearch) {
  std::mt19937 random(12345);
  const std::string alphabets[] = {"ab", "aAbB_", "PM_RESUMEpm resume\n", std::string("x\0\xFF\r\n", 5)};
  for (int round = 0; round < 3000; ++round) {
    const std::string& alphabet = alphabets[round % 4];
    auto pick = [&] { return alphabet[random() % alphabet.size()]; };
    std::string haystack(random() % 300, ' ');
    for (char& c : haystack) c = pick();
    std::string needle(1 + random() % 6, ' ');
    for (char& c : needle) c = pick();
    if (round % 3 == 0 && haystack.size() > needle.size()) {
      haystack.replace(random() % (haystack.size() - needle.size()), needle.size(), needle);
    }
    const bool ignoreCase = round % 2 == 1;
    const TLiteralSearch search(needle, ignoreCase);
    const size_t from = haystack.empty() ? 0 : random() % (haystack.size() + 2);
    ASSERT_EQ(search.Find(haystack, from), NaiveFind(haystack, needle, from, ignoreCase))
        << "needle '" << needle << "' in '" << haystack << "' from " << from;
  }
}

TEST(LiteralSearch, EdgesAndCase) {
  const TLiteralSearch search("Resume", true);
  EXPECT_EQ(search.Find("pm_RESUME"), 3u);
  EXPECT_EQ(search.Find("pm_RESUM"), std::string_view::npos);
  EXPECT_EQ(search.Find(""), std::string_view::npos);
  EXPECT_EQ(TLiteralSearch("", false).Find("abc"), std::string_view::npos);
  EXPECT_EQ(TLiteralSearch("c", false).Find("abc", 2), 2u);
  EXPECT_EQ(TLiteralSearch("c", false).Find("abc", 3), std::string_view::npos);
  const std::string pathological(100000, 'a');
  EXPECT_EQ(TLiteralSearch("aaaaaaaaab", false).Find(pathological), std::string_view::npos);
  EXPECT_EQ(TLiteralSearch("AAAAAAAAAB", true).Find(pathological + "b"), pathological.size() - 9);
}

TEST(ByteCount, CountsEveryOccurrenceAtEveryLength) {
  std::string text;
  for (size_t length = 0; length < 9000; length += 37) {
    text.assign(length, 'x');
    size_t expected = 0;
    for (size_t i = 0; i < length; i += 3) {
      text[i] = '\n';
      ++expected;
    }
    ASSERT_EQ(CountByte(text, '\n'), expected) << length;
  }
}
