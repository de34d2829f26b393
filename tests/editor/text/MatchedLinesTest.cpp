#include "search/editor/text/MatchedLines.h"

#include <gtest/gtest.h>

#include "search/editor/text/MatchedFiles.h"

using editor::NextMatchedLine;
using editor::PreviousMatchedLine;
using editor::ShiftMatchedLines;

TEST(MatchedLines, StepsWithoutWrapping) {
  const std::vector<int32_t> lines = {3, 7, 7, 12};
  EXPECT_EQ(NextMatchedLine(lines, 1), 3);
  EXPECT_EQ(NextMatchedLine(lines, 3), 7);
  EXPECT_EQ(NextMatchedLine(lines, 7), 12);
  EXPECT_EQ(NextMatchedLine(lines, 12), std::nullopt);
  EXPECT_EQ(PreviousMatchedLine(lines, 12), 7);
  EXPECT_EQ(PreviousMatchedLine(lines, 7), 3);
  EXPECT_EQ(PreviousMatchedLine(lines, 3), std::nullopt);
  EXPECT_EQ(NextMatchedLine({}, 1), std::nullopt);
}

TEST(MatchedLines, MoveWithTheLinesAboveThem) {
  struct Case {
    const char* what;
    int32_t at;
    int32_t added;
    bool fromLineStart;
    std::vector<int32_t> expected;
  };
  // Matched lines 2, 5 and 9 (1-based) before each change.
  const Case cases[] = {
      {"two lines typed in line 1", 0, 2, false, {4, 7, 11}},
      {"a line typed in the matched line itself", 1, 1, false, {2, 6, 10}},
      {"a line break before the matched line's text", 1, 1, true, {3, 6, 10}},
      {"lines 3 and 4 joined into line 2", 1, -2, false, {2, 3, 7}},
      {"the matched line 5 deleted whole", 4, -1, true, {2, 8}},
      {"lines 4 to 6 joined into line 3", 2, -3, false, {2, 6}},
      {"a change below every match", 9, 3, false, {2, 5, 9}},
  };
  for (const Case& c : cases) {
    std::vector<int32_t> lines = {2, 5, 9};
    ShiftMatchedLines(lines, c.at, c.added, c.fromLineStart);
    EXPECT_EQ(lines, c.expected) << c.what;
  }
}

TEST(MatchedFiles, SelectedFilesWithTheirLinesInResultOrder) {
  search::TResultTree tree;
  auto& first = tree.AddFileNode(std::make_unique<search::TTreeViewFile>("/a.txt", 0, 0, 0, 0, 2));
  search::TResultTree::AddLineNode(first, "before", false, 4);
  search::TResultTree::AddLineNode(first, "match", true, 5);
  search::TResultTree::AddLineNode(first, "match", true, 9);
  tree.AddErrorNode("*** notice ***");
  auto& second = tree.AddFileNode(std::make_unique<search::TTreeViewFile>("/b.txt", 0, 0, 0, 0, 1));
  search::TResultTree::AddLineNode(second, "match", true, 2);
  auto& third = tree.AddFileNode(std::make_unique<search::TTreeViewFile>("/c.txt", 0, 0, 0, 0, 0));

  // The second line of a.txt, the file node of b.txt, nothing of c.txt.
  const auto files = editor::CollectMatchedFiles(tree, [](size_t row, int64_t line) {
    return (row == 0 && line == 1) || (row == 2 && line == -1);
  });
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0].FileName, "/a.txt");
  EXPECT_EQ(files[0].Line, 5);
  EXPECT_EQ(files[0].MatchedLines, (std::vector<int32_t>{5, 9}));
  EXPECT_EQ(files[1].FileName, "/b.txt");
  EXPECT_EQ(files[1].Line, 2) << "no line selected: the file's first line";
  (void)third;

  const auto fileOnly = editor::CollectMatchedFiles(tree, [](size_t row, int64_t line) { return row == 3 && line == -1; });
  ASSERT_EQ(fileOnly.size(), 1u);
  EXPECT_EQ(fileOnly[0].Line, 0);
}

TEST(MatchedFiles, AtMostAHundred) {
  search::TResultTree tree;
  for (int i = 0; i < 150; ++i) {
    tree.AddFileNode(std::make_unique<search::TTreeViewFile>("/f" + std::to_string(i), 0, 0, 0, 0, 0));
  }
  const auto files = editor::CollectMatchedFiles(tree, [](size_t, int64_t) { return true; });
  ASSERT_EQ(files.size(), 100u);
  EXPECT_EQ(files.back().FileName, "/f99");
}
