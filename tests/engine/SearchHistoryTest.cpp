// The search history: repeated searches kept once, the oldest pushed out, the menu texts, and
// restoring an entry into the window's state.

#include <gtest/gtest.h>

#include "search/engine/history/HistoryMenuText.h"
#include "search/engine/history/RestoreHistoryEntry.h"
#include "search/engine/history/SearchHistory.h"
#include "search/engine/run/SearchRun.h"
#include "support/RecordingHost.h"
#include "support/TempTree.h"

using namespace search;

namespace {

class HistoryHost final : public RecordingHost {
 public:
  void AddHistoryEntry(TSearchHistoryEntry entry) override { history.Add(std::move(entry)); }
  TSearchHistory history;
};

struct HistoryFixture : ::testing::Test {
  void Search(const std::string& stringA, const std::string& path = "", bool withinMatched = false) {
    TSearchCriteria criteria;
    criteria.Path = path.empty() ? tree.RootText() : path;
    criteria.Files = "*.txt";
    criteria.StringA = stringA;
    criteria.SearchWithinMatchedFiles = withinMatched;
    RunSearch(state, criteria, host);
  }
  std::vector<std::string> Rows() const { return state.Results.DisplayTexts({}); }

  TempTree tree;
  TSearchState state;
  HistoryHost host;
};

TSearchHistoryEntry Entry(const std::string& a, const std::string& b, int matchType, int matchedFiles) {
  TSearchHistoryEntry entry;
  entry.StringA = a;
  entry.StringB = b;
  entry.MatchType = matchType;
  for (int i = 0; i < matchedFiles; ++i) entry.MatchedFiles.AddText("/f" + std::to_string(i));
  return entry;
}

}  // namespace

TEST_F(HistoryFixture, AnIdenticalSearchIsKeptOnceAndAChangedFileAddsAnEntry) {
  tree.Write("a.txt", "alpha\n");
  Search("alpha");
  Search("alpha");
  EXPECT_EQ(host.history.Count(), 1);
  tree.Write("a.txt", "alpha\nalpha again\n");
  Search("alpha");
  EXPECT_EQ(host.history.Count(), 2);
}

TEST_F(HistoryFixture, TheEleventhSearchPushesTheOldestOut) {
  tree.Write("a.txt", "s0 s1 s2 s3 s4 s5 s6 s7 s8 s9 s10\n");
  int changes = 0;
  host.history.OnChange = [&] { ++changes; };
  for (int i = 0; i <= 10; ++i) Search("s" + std::to_string(i));
  EXPECT_EQ(changes, 11);
  ASSERT_EQ(host.history.Count(), 10);
  EXPECT_EQ(host.history.At(0).StringA, "s10");
  EXPECT_EQ(host.history.At(9).StringA, "s1");
}

TEST(SearchHistory, MaxHistoryMustBePositive) {
  TSearchHistory history;
  EXPECT_NO_THROW(history.SetMaxHistory(10));
  try {
    history.SetMaxHistory(0);
    FAIL() << "no error";
  } catch (const std::invalid_argument& error) {
    EXPECT_STREQ(error.what(), "MaxHistory must be greater than zero.");
  }
  history.SetMaxHistory(2);
  for (const char* text : {"a", "b", "c"}) history.Add(Entry(text, "", 0, 0));
  EXPECT_EQ(history.Count(), 2);
  EXPECT_EQ(history.At(1).StringA, "b");
}

TEST(SearchHistory, MenuTexts) {
  const struct {
    TSearchHistoryEntry entry;
    int slot;
    const char* caption;
  } cases[] = {
      {Entry("alpha", "", kMatchOr, 1), 0, "&0. \"alpha\" (1 match)"},
      {Entry("alpha", "", kMatchOr, 0), 3, "&3. \"alpha\" (0 matches)"},
      {Entry("a", "b", kMatchOr, 2), 1, "&1. \"a\" or \"b\" (2 matches)"},
      {Entry("a", "b", kMatchAnd, 2), 1, "&1. \"a\" and \"b\" (2 matches)"},
      {Entry("", "b", kMatchAndNot, 5), 9, "&9. \"\" and not \"b\" (5 matches)"},
      {Entry("R&D", "x&&y", kMatchAnd, 1), 2, "&2. \"R&&D\" and \"x&&&&y\" (1 match)"},
  };
  for (const auto& c : cases) EXPECT_EQ(HistoryCaption(c.entry, c.slot), c.caption);
  TSearchHistoryEntry entry;
  entry.Path = "/data/";
  entry.Files = "*.txt";
  EXPECT_EQ(HistoryHint(entry), "/data/*.txt");
}

TEST_F(HistoryFixture, RestoringShowsTheSameNodesAndTheMatchedFilesAreSearchedWithin) {
  tree.Write("a.txt", "one\ntwo\nfind me\nthree\n");
  tree.Write("b.txt", "find me too\n");
  tree.Write("c.txt", "other\n");
  Search("find");
  const std::vector<std::string> first = Rows();
  Search("other");
  ASSERT_EQ(host.history.Count(), 2);

  RestoreHistoryEntry(state, host.history.At(1), false);
  EXPECT_EQ(Rows(), first);
  EXPECT_EQ(state.MatchedFiles.Count(), 2u);
  EXPECT_EQ(state.TotalMatches, 2);

  Search("too", "", true);
  EXPECT_EQ(Rows(), (std::vector<std::string>{tree.RootText() + "b.txt [1 match]", "*    1 find me too"}));
}

TEST_F(HistoryFixture, RestoringForgetsTheLastFindSoAnotherPathIsWalked) {
  tree.Write("A/a.txt", "hit\n");
  tree.Write("B/b.txt", "hit\n");
  Search("hit", tree.RootText() + "A");
  Search("hit", tree.RootText() + "B");
  RestoreHistoryEntry(state, host.history.At(1), false);
  Search("hit", tree.RootText() + "B");
  EXPECT_EQ(Rows(), (std::vector<std::string>{tree.RootText() + "B/b.txt [1 match]", "*    1 hit"}));
}

TEST_F(HistoryFixture, RestoredFileNodesReadTheirFactsAfreshAndMayExpand) {
  tree.Write("a.txt", "hit\n");
  Search("hit");
  tree.Write("a.txt", "hit and more bytes\n");
  RestoreHistoryEntry(state, host.history.At(0), true);
  ASSERT_EQ(state.Results.Count(), 1u);
  EXPECT_EQ(state.Results.At(0).File()->Size, 19);
  EXPECT_TRUE(state.Results.At(0).Expanded);
  EXPECT_EQ(state.Results.At(0).Lines[0].Text, "hit");
}
