#include "search/engine/results/ResultSorting.h"

#include <gtest/gtest.h>

using namespace search;

namespace {

// A tree of file nodes (name, matches, size, modified) and notices, in the given order.
struct FileSpec {
  std::string name;
  int32_t matches = 0;
  int64_t size = 0;
  double modified = 0;
};

TResultTree MakeTree(const std::vector<FileSpec>& files, const std::vector<std::string>& notices = {}) {
  TResultTree tree;
  for (const std::string& notice : notices) tree.AddErrorNode(notice);
  for (const FileSpec& f : files) {
    TResultNode& node =
        tree.AddFileNode(std::make_unique<TTreeViewFile>(f.name, f.size, 0, f.modified, 0, f.matches));
    TResultTree::AddLineNode(node, "second", false, 2);
    TResultTree::AddLineNode(node, "first", true, 1);
  }
  return tree;
}

std::vector<std::string> Order(const TResultTree& tree) {
  std::vector<std::string> names;
  for (const auto& node : tree.TopLevel()) {
    names.push_back(node->File() ? node->File()->FileName : node->Payload->GetDisplayText({}));
  }
  return names;
}

using Names = std::vector<std::string>;

}  // namespace

TEST(ResultSorting, MatchCountsSortByValue) {
  TResultTree tree = MakeTree({{"/c", 100}, {"/a", 9}, {"/b", 10}});
  SortResults(tree, {kSortMatches, true});
  EXPECT_EQ(Order(tree), (Names{"/a", "/b", "/c"}));
}

TEST(ResultSorting, UnreadableSizeComesFirstAscending) {
  TResultTree tree = MakeTree({{"/ten", 0, 10}, {"/none", 0, -1}, {"/nine", 0, 9}, {"/zero", 0, 0}});
  SortResults(tree, {kSortSize, true});
  EXPECT_EQ(Order(tree), (Names{"/none", "/zero", "/nine", "/ten"}));
}

TEST(ResultSorting, DatesCompareByValueWithUnavailableFirst) {
  // Day 9999 (1927) sorts before day 38000 (2004); 0 means unknown and comes first.
  TResultTree tree = MakeTree({{"/2004", 0, 0, 38000}, {"/1927", 0, 0, 9999}, {"/unknown", 0, 0, 0},
                               {"/1850", 0, 0, -18000}});
  SortResults(tree, {kSortModified, true});
  EXPECT_EQ(Order(tree), (Names{"/unknown", "/1850", "/1927", "/2004"}));
}

TEST(ResultSorting, TextKeysFoldOnlyAsciiLettersAndTiesKeepTheirOrder) {
  TResultTree tree = MakeTree({{"/one/b.txt"}, {"/x/a_b"}, {"/two/B.TXT"}, {"/y/aB"}});
  SortResults(tree, {kSortName, true});
  EXPECT_EQ(Order(tree), (Names{"/y/aB", "/x/a_b", "/one/b.txt", "/two/B.TXT"}));
  SortResults(tree, {kSortName, false});
  EXPECT_EQ(Order(tree), (Names{"/one/b.txt", "/two/B.TXT", "/x/a_b", "/y/aB"}));
}

TEST(ResultSorting, DescendingThenAscendingRestoresTheOrderWithTies) {
  TResultTree tree = MakeTree({{"/a", 1}, {"/b", 2}, {"/c", 1}, {"/d", 2}});
  SortResults(tree, {kSortMatches, true});
  const Names ascending = Order(tree);
  EXPECT_EQ(ascending, (Names{"/a", "/c", "/b", "/d"}));
  SortResults(tree, {kSortMatches, false});
  EXPECT_EQ(Order(tree), (Names{"/b", "/d", "/a", "/c"}));
  SortResults(tree, {kSortMatches, true});
  EXPECT_EQ(Order(tree), ascending);
}

TEST(ResultSorting, NoticesFollowFilesAscendingAndPrecedeThemDescending) {
  TResultTree tree = MakeTree({{"/b"}, {"/a"}}, {"*** No Matches Found ***", "*** Error reading /z ***"});
  SortResults(tree, {kSortPath, true});
  EXPECT_EQ(Order(tree), (Names{"/a", "/b", "*** Error reading /z ***", "*** No Matches Found ***"}));
  SortResults(tree, {kSortPath, false});
  EXPECT_EQ(Order(tree), (Names{"*** No Matches Found ***", "*** Error reading /z ***", "/b", "/a"}));
}

TEST(ResultSorting, LinesUnderAFileAreNeverReordered) {
  TResultTree tree = MakeTree({{"/b"}, {"/a"}});
  SortResults(tree, {kSortPath, true});
  EXPECT_EQ(tree.At(0).Lines[0].Text, "second");
  EXPECT_EQ(tree.At(0).Lines[1].Text, "first");
}

TEST(ResultSorting, UnknownFieldKeepsTheOrder) {
  TResultTree tree = MakeTree({{"/b"}, {"/a"}});
  SortResults(tree, {42, true});
  EXPECT_EQ(Order(tree), (Names{"/b", "/a"}));
}
