#include "search/engine/run/SearchRun.h"

#include <gtest/gtest.h>

#include "support/RecordingHost.h"
#include "support/TempTree.h"

using namespace search;

namespace {

struct RunFixture : ::testing::Test {
  TSearchCriteria Criteria(const std::string& files = "*.txt") {
    TSearchCriteria criteria;
    criteria.Path = tree.RootText();
    criteria.Files = files;
    criteria.RecurseSubdirectories = true;
    return criteria;
  }
  TSearchOutcome Run(TSearchCriteria criteria) {
    host = RecordingHost();
    host.cancelWhen = cancelWhen;
    lastCriteria = criteria;
    return RunSearch(state, lastCriteria, host);
  }
  std::vector<std::string> Rows() const { return state.Results.DisplayTexts({}); }

  TempTree tree;
  TSearchState state;
  RecordingHost host;
  TSearchCriteria lastCriteria;
  std::function<bool(RecordingHost&)> cancelWhen;
};

}  // namespace

TEST_F(RunFixture, NameOnlySearchListsSortedFilesAndStatus) {
  tree.Write("b.txt", "x");
  tree.Write("A.txt", "y");
  tree.Write("sub/c.txt");
  EXPECT_EQ(Run(Criteria()), TSearchOutcome::Finished);
  const std::string root = tree.RootText();
  EXPECT_EQ(Rows(), (std::vector<std::string>{root + "A.txt", root + "b.txt", root + "sub/c.txt"}));
  const TStatusTexts& status = host.LastStatus();
  EXPECT_EQ(status.Panels[0], "Finished");
  EXPECT_EQ(status.Panels[1], " 3 Files Found");
  EXPECT_EQ(status.Panels[2], " 3 Files Matched");
  EXPECT_EQ(status.Panels[3], " 0 Matches in Total");
  EXPECT_TRUE(host.windowEnabled);
  EXPECT_EQ(host.bracketDepth, 0);
  EXPECT_EQ(host.busyShown, 1);
  EXPECT_EQ(host.busyClosed, 1);
  ASSERT_EQ(host.history.size(), 1u);
  EXPECT_EQ(host.history[0].FoundFiles.Count(), 3u);
  EXPECT_EQ(host.history[0].ResultTexts.size(), 3u);
}

TEST_F(RunFixture, StatusUsesSingularForExactlyOne) {
  tree.Write("one.txt");
  Run(Criteria());
  EXPECT_EQ(host.LastStatus().Panels[1], " 1 File Found");
  EXPECT_EQ(host.LastStatus().Panels[2], " 1 File Matched");
}

TEST_F(RunFixture, UnchangedKeyReusesTheFoundFilesAndLetterCaseForcesANewFind) {
  tree.Write("a.txt");
  Run(Criteria());
  tree.Write("b.txt");
  Run(Criteria());
  EXPECT_EQ(Rows().size(), 1u) << "the second search must not read the folder again";
  Run(Criteria("*.TXT"));
  EXPECT_EQ(Rows().size(), 2u);
}

TEST_F(RunFixture, BlanksAroundFilesNeverEqualTheKey) {
  tree.Write("a.txt");
  Run(Criteria(" *.txt"));
  tree.Write("b.txt");
  Run(Criteria(" *.txt"));
  EXPECT_EQ(Rows().size(), 2u);
}

TEST_F(RunFixture, EmptyFilesBoxBecomesStarDotStar) {
  tree.Write("a.txt");
  tree.Write("noext");
  Run(Criteria("  "));
  EXPECT_EQ(lastCriteria.Files, "*.*");
  EXPECT_EQ(Rows().size(), 1u);
}

TEST_F(RunFixture, PathIsNormalisedWithOneTrailingSeparatorAndCaseKept) {
  tree.Write("Mixed/a.txt");
  TSearchCriteria criteria = Criteria();
  criteria.Path = " " + tree.RootText() + "Mixed/// ";
  Run(criteria);
  EXPECT_EQ(lastCriteria.Path, tree.RootText() + "Mixed/");
  EXPECT_EQ(host.rememberedPath, tree.RootText() + "Mixed/");
  EXPECT_EQ(Rows(), std::vector<std::string>{tree.RootText() + "Mixed/a.txt"});
  EXPECT_EQ(NormalisePathText("///"), "/");
  EXPECT_EQ(NormalisePathText("/a;/b//"), "/a;/b/");
  EXPECT_EQ(NormalisePathText(""), "");
}

TEST_F(RunFixture, MissingFolderGivesItsNoticeThenNoFilesFound) {
  TSearchCriteria criteria = Criteria();
  criteria.Path = tree.RootText() + "gone";
  criteria.Files = "*.txt";
  EXPECT_EQ(Run(criteria), TSearchOutcome::Finished);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"*** No Files Found ***",
                                              "*** No such file or directory: " + tree.RootText() +
                                                  "gone/ ***"}));
}

TEST_F(RunFixture, ExcludedFolderInThePathReadsNothing) {
  tree.Write("build/a.txt");
  TSearchCriteria criteria = Criteria();
  criteria.Path = tree.RootText() + "build";
  criteria.ExcludeFolders = "BUILD";
  Run(criteria);
  EXPECT_EQ(Rows(), (std::vector<std::string>{
                        "*** Excluded folder in search path: " + tree.RootText() + "build/ ***",
                        "*** No Files Found ***"}));
}

TEST_F(RunFixture, CancelDuringTheFindSaysCancelledOnlyAndTheNextSearchFindsAgain) {
  for (int i = 0; i < 40; ++i) tree.Write("d" + std::to_string(i) + "/f.txt");
  cancelWhen = [](RecordingHost& h) { return h.cancelPolls > 10; };
  EXPECT_EQ(Run(Criteria()), TSearchOutcome::Cancelled);
  const auto rows = Rows();
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows.back(), "*** Search Cancelled ***");
  EXPECT_EQ(std::count(rows.begin(), rows.end(), "*** No Files Found ***"), 0);
  EXPECT_EQ(host.LastStatus().Panels[0], "Search cancelled");
  EXPECT_TRUE(host.windowEnabled);
  EXPECT_EQ(host.history.size(), 1u);

  cancelWhen = nullptr;
  Run(Criteria());
  EXPECT_EQ(Rows().size(), 40u);
}

TEST_F(RunFixture, RecentValuesMoveToTheFrontWithoutCaseDuplicates) {
  tree.Write("a.txt");
  for (int i = 0; i < 14; ++i) Run(Criteria("*.t" + std::to_string(i)));
  Run(Criteria("*.T3"));
  ASSERT_EQ(host.recent.Files.size(), 12u);
  EXPECT_EQ(host.recent.Files[0], "*.T3");
  EXPECT_EQ(host.recent.Files[1], "*.t13");
  EXPECT_EQ(std::count_if(host.recent.Files.begin(), host.recent.Files.end(),
                          [](const std::string& s) { return s == "*.t3"; }),
            0);
  EXPECT_EQ(host.recent.StringA, std::vector<std::string>{""});
}

TEST_F(RunFixture, MatchTypeRules) {
  EXPECT_EQ(GetMatchType(TMatchButton::AndNot, "", ""), kMatchAndNot);
  EXPECT_EQ(GetMatchType(TMatchButton::And, "a", ""), kMatchOr);
  EXPECT_EQ(GetMatchType(TMatchButton::Or, "", "b"), kMatchOr);
  EXPECT_EQ(GetMatchType(TMatchButton::And, "a", "b"), kMatchAnd);
}

TEST_F(RunFixture, ResultsAreSortedByTheChosenFieldAtTheEnd) {
  tree.Write("big.txt", std::string(100, 'x'));
  tree.Write("small.txt", "x");
  tree.Write("mid.txt", std::string(10, 'x'));
  TSearchCriteria criteria = Criteria();
  criteria.Sort = {kSortSize, false};
  Run(criteria);
  const std::string root = tree.RootText();
  EXPECT_EQ(Rows(), (std::vector<std::string>{root + "big.txt", root + "mid.txt", root + "small.txt"}));
}

TEST_F(RunFixture, AListingByNameAfterASearchOfContentsShowsSizes) {
  tree.Write("a.txt", "abc");
  TSearchCriteria criteria = Criteria();
  criteria.StringA = "zzz";  // a search of contents finds without reading sizes
  Run(criteria);
  criteria.StringA = "";     // the same key: the found files are reused
  Run(criteria);
  ASSERT_EQ(state.Results.Count(), 1u);
  EXPECT_EQ(state.Results.At(0).File()->Size, 3);
  EXPECT_EQ(state.FoundFiles.GetEntry(0).Attributes & 32, 32);
}

// The filter narrows the found files of both kinds of search, but not the matched files
// searched again, and a changed filter needs no new find.
TEST_F(RunFixture, FilterNarrowsTheFoundFilesOnly) {
  tree.Write("big.txt", "needle " + std::string(2000, 'x'));
  tree.Write("small.txt", "needle");
  tree.Write("tiny.txt", "n");
  TSearchCriteria criteria = Criteria();
  criteria.StringA = "needle";
  criteria.ShowMatches = false;
  Run(criteria);  // without a filter, so the found files come without their facts
  ASSERT_EQ(state.Results.FileNodeCount(), 2u);

  criteria.Filter.FilterUseSize = true;
  criteria.Filter.FilterMaxSize = 1024;
  tree.Write("late.txt", "needle");
  Run(criteria);
  const std::string root = tree.RootText();
  EXPECT_EQ(Rows(), (std::vector<std::string>{root + "small.txt [1 match]"})) << "the found files are reused";
  EXPECT_EQ(host.counters.Found, 2) << "the busy dialog counts the files to scan";

  criteria.StringA = "";
  Run(criteria);
  EXPECT_EQ(Rows(), (std::vector<std::string>{root + "small.txt", root + "tiny.txt"}));
  EXPECT_EQ(state.MatchedFiles.Count(), 2u);
  EXPECT_EQ(host.LastStatus().Panels[1], " 3 Files Found") << "the count is of the found files before filtering";

  // Searching within the matched files ignores the filter.
  criteria.StringA = "n";
  criteria.Filter.FilterMinSize = 5;
  criteria.SearchWithinMatchedFiles = true;
  Run(criteria);
  EXPECT_EQ(state.Results.FileNodeCount(), 2u);
}

TEST_F(RunFixture, FilterThatLeavesNothingGivesNoMatchesForContentsAndNoNoticeByName) {
  tree.Write("a.txt", "abc");
  TSearchCriteria criteria = Criteria();
  criteria.Filter.FilterUseSize = true;
  criteria.Filter.FilterMinSize = 1 << 20;
  Run(criteria);
  EXPECT_TRUE(Rows().empty());
  criteria.StringA = "abc";
  Run(criteria);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"*** No Matches Found ***"}));
}
