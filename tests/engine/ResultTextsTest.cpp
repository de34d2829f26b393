// What copy and save take out of the results tree.

#include <gtest/gtest.h>

#include "search/engine/results/FileNameOrder.h"
#include "search/engine/results/ResultTexts.h"
#include "search/engine/results/SelectedFiles.h"

using namespace search;

namespace {

struct TextsFixture : ::testing::Test {
  TResultNode& File(const std::string& path, std::initializer_list<const char*> lines = {}) {
    TResultNode& node = tree.AddFileNode(std::make_unique<TTreeViewFile>(path, -1, 0, 0, 0, int32_t(lines.size())));
    int32_t number = 0;
    for (const char* line : lines) TResultTree::AddLineNode(node, line, true, ++number);
    return node;
  }
  TResultTree tree;
};

using Names = std::vector<std::string>;

}  // namespace

TEST(FileNameOrder, CaseIgnoredThenBytesAndOnlyIdenticalNamesDropped) {
  Names names = {"/d/b.txt", "/d/A.txt", "/d/x.txt", "/d/X.TXT", "/d/a.txt", "/d/A.txt", "/d/X.txt"};
  SortFileNames(names);
  EXPECT_EQ(names, (Names{"/d/A.txt", "/d/a.txt", "/d/b.txt", "/d/X.TXT", "/d/X.txt", "/d/x.txt"}));
}

TEST_F(TextsFixture, AllFileNamesAreSortedWithoutNoticesOrRepeats) {
  File("/c/b.txt");
  tree.AddErrorNode("*** Search Cancelled ***");
  File("/c/A.txt");
  File("/c/b.txt");
  EXPECT_EQ(JoinLines(GetAllFileNames(tree)), "/c/A.txt\n/c/b.txt\n");
}

TEST_F(TextsFixture, OnlyNoticesGiveTheEmptyText) {
  tree.AddErrorNode("*** No Matches Found ***");
  EXPECT_EQ(JoinLines(GetAllFileNames(tree)), "");
  EXPECT_EQ(GetAllEntries(tree, {}), "*** No Matches Found ***\n");
}

TEST_F(TextsFixture, AFileAndTwoOfItsLinesSelected) {
  File("/c/a.txt", {"one", "two", "three"});
  File("/c/b.txt", {"four"});
  const std::vector<TNodeRef> selected = {{0, 2}, {0, -1}, {0, 0}};
  EXPECT_EQ(GetSelectedFileNames(tree, selected), (Names{"/c/a.txt"}));
  EXPECT_EQ(GetSelectedEntries(tree, selected, {}), "/c/a.txt [3 matches]\n*    1 one\n*    3 three\n");
}

TEST_F(TextsFixture, AllEntriesIncludeCollapsedLinesAndNoticesInTreeOrder) {
  File("/c/b.txt", {"x"}).Expanded = false;
  tree.AddErrorNode("*** Search Cancelled ***");
  File("/c/a.txt", {"y", "z"}).Expanded = true;
  EXPECT_EQ(GetAllEntries(tree, {}),
            "/c/b.txt [1 match]\n*    1 x\n*** Search Cancelled ***\n/c/a.txt [2 matches]\n*    1 y\n*    2 z\n");
}

TEST_F(TextsFixture, PathBytesSurviveWhole) {
  const std::string odd = "/c/caf\xE9\nnew line.txt";
  File(odd, {"hit"});
  EXPECT_EQ(GetSelectedFileNames(tree, {{0, 0}}), (Names{odd}));
  EXPECT_EQ(GetAllFileNames(tree), (Names{odd}));
}

TEST_F(TextsFixture, SelectedExtensions) {
  File("/c/a.TXT");
  File("/c/b.txt", {"l"});
  File("/c/noext");
  File("/c.d/also");
  File("/c/c.txt");
  EXPECT_EQ(GetSelectedExtensions(tree, {{0, -1}, {1, 0}, {2, -1}, {3, -1}, {4, -1}}),
            (Names{"", ".TXT", ".txt"}));
}

TEST_F(TextsFixture, RowsOutsideTheTreeAreIgnored) {
  File("/c/a.txt", {"one"});
  EXPECT_EQ(GetSelectedEntries(tree, {{0, 5}, {3, -1}, {0, 0}}, {}), "*    1 one\n");
}

TEST_F(TextsFixture, EachSelectedFileOnceWithItsFirstSelectedLine) {
  File("/c/a.txt", {"one", "two", "three"});
  tree.AddErrorNode("*** notice ***");
  File("/c/b.txt", {"four", "five"});
  const auto files = SelectedFiles(tree, {{2, 1}, {0, 2}, {0, -1}, {1, -1}, {0, 1}, {2, 0}});
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0].Path, "/c/a.txt");
  EXPECT_EQ(files[0].Line, 0);  // the file row comes first
  EXPECT_EQ(files[1].Path, "/c/b.txt");
  EXPECT_EQ(files[1].Line, 1);
}

TEST_F(TextsFixture, TheEditorGetsWantedFilesWithAllTheirMatchedLines) {
  TResultNode& a = File("/c/a.txt");
  TResultTree::AddLineNode(a, "context", false, 4);
  TResultTree::AddLineNode(a, "hit", true, 5);
  TResultTree::AddLineNode(a, "hit", true, 9);
  File("/c/b.txt", {"x"});
  File("/c/c.txt", {"y", "z"});
  const auto files = FilesForEditor(tree, {{0, 2}, {2, -1}});
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0].Line, 9);
  EXPECT_EQ(files[0].MatchedLines, (std::vector<int64_t>{5, 9}));
  EXPECT_EQ(files[1].Path, "/c/c.txt");
  EXPECT_EQ(files[1].Line, 1);

  TResultTree many;
  std::vector<TNodeRef> all;
  for (size_t i = 0; i < 150; ++i) {
    many.AddFileNode(std::make_unique<TTreeViewFile>("/f" + std::to_string(i), -1, 0, 0, 0, 0));
    all.push_back({i, -1});
  }
  EXPECT_EQ(FilesForEditor(many, all).size(), 100u);
}
