#include <gtest/gtest.h>

#include <clocale>

#include "search/engine/walk/FileList.h"
#include "search/engine/results/ResultTree.h"
#include "search/engine/results/TreeViewObject.h"
#include "support/TempTree.h"

using namespace search;

TEST(FileList, EntriesReadBackBitForBitUnderAnyLocale) {
  const TFileListEntry entry{"/data/a|b.txt", 123456789012LL, 38000.123456789012345,
                             45270.999999999993, 1e-12, 2081};
  const char* old = setlocale(LC_NUMERIC, nullptr);
  const std::string saved = old ? old : "C";
  // A locale with a decimal comma must change nothing; scripts/install-deps generates it.
  ASSERT_NE(setlocale(LC_NUMERIC, "de_DE.UTF-8"), nullptr) << "the locale de_DE.UTF-8 is missing: run scripts/install-deps";
  const std::string text = entry.Encode();
  const TFileListEntry decoded = TFileListEntry::Decode(text);
  setlocale(LC_NUMERIC, saved.c_str());
  EXPECT_EQ(text.find(','), std::string::npos) << text;
  EXPECT_EQ(decoded, entry);
}

TEST(FileList, TextFormAndDamagedEntries) {
  const TFileListEntry entry{"/x/y.txt", 5, 38000.5, 0, 0, 32};
  EXPECT_EQ(entry.Encode(), "/x/y.txt|5|38000.5|0|0|32");
  const TFileListEntry damaged = TFileListEntry::Decode("/x/y.txt|abc|zz|1|2|q");
  EXPECT_EQ(damaged.FileName, "/x/y.txt");
  EXPECT_EQ(damaged.Size, -1);
  EXPECT_EQ(damaged.Created, 0);
  EXPECT_EQ(damaged.Modified, 1);
  EXPECT_EQ(damaged.Attributes, -1);
  EXPECT_EQ(TFileListEntry::Decode("only-a-name").FileName, "only-a-name");
}

TEST(FileList, AddFileReadsWhatItCanAndAlwaysAppends) {
  TempTree tree;
  const auto path = tree.Write("a.txt", "abc");
  TFileList list;
  list.AddFile(path.string());
  list.AddFile(tree.RootText() + "vanished.txt");
  ASSERT_EQ(list.Count(), 2u);
  EXPECT_EQ(list.GetEntry(0).Size, 3);
  EXPECT_GT(list.GetEntry(0).Modified, 40000);
  const TFileListEntry gone = list.GetEntry(1);
  EXPECT_EQ(gone.Size, -1);
  EXPECT_EQ(gone.Modified, 0);
  EXPECT_EQ(gone.Attributes, -1);
}

TEST(DisplayText, FileNodePluralsAndBrackets) {
  struct Case {
    int32_t matches;
    int64_t size;
    bool showSize;
    const char* expected;
  } cases[] = {
      {0, 10, false, "/a/f.txt"},
      {1, 1, true, "/a/f.txt [1 match, 1 byte]"},
      {2, 0, true, "/a/f.txt [2 matches, 0 bytes]"},
      {0, 2, true, "/a/f.txt [2 bytes]"},
      {100, -1, true, "/a/f.txt [100 matches]"},
      {0, -1, true, "/a/f.txt"},
  };
  for (const Case& c : cases) {
    TTreeViewFile file("/a/f.txt", c.size, 0, 0, 0, c.matches);
    TDisplayOptions options;
    options.ShowFileSize = c.showSize;
    EXPECT_EQ(file.GetDisplayText(options), c.expected);
  }
}

TEST(DisplayText, DatesInTheLocaleFormatWithoutMidnight) {
  setlocale(LC_TIME, "C");
  TTreeViewFile file("/a/f.txt", 7, 38000.0, 38000.5, 0, 3);
  TDisplayOptions options;
  options.ShowFileCreationDate = options.ShowFileModifiedDate = options.ShowFileAccessedDate = true;
  EXPECT_EQ(file.GetDisplayText(options), "/a/f.txt [3 matches, created 01/14/04, modified 01/14/04 12:00:00]");
}

TEST(DisplayText, BracketRulesNeverTouchThePath) {
  TTreeViewFile file("/a/[, x]/[]y.txt", 1, 0, 0, 0, 0);
  EXPECT_EQ(file.GetDisplayText({}), "/a/[, x]/[]y.txt");
  TDisplayOptions options;
  options.ShowFileSize = true;
  EXPECT_EQ(file.GetDisplayText(options), "/a/[, x]/[]y.txt [1 byte]");
}

TEST(DisplayText, LinesAndErrors) {
  EXPECT_EQ(TTreeViewFileLine("abc", true, 10).GetDisplayText({}), "*   10 abc");
  EXPECT_EQ(TTreeViewFileLine("abc", false, 7).GetDisplayText({}), "     7 abc");
  EXPECT_EQ(TTreeViewFileLine("x", true, 123456).GetDisplayText({}), "*123456 x");
  EXPECT_EQ(TTreeViewError("*** No Files Found ***").GetDisplayText({}), "*** No Files Found ***");
}

TEST(SaveText, SeparatorIsFirstCandidateAbsentFromTheText) {
  EXPECT_EQ(TTreeViewFileLine("a b", true, 3).GetSaveText(), "|TTreeViewFileLine|a b|3|-1");
  EXPECT_EQ(TTreeViewFileLine("a|b", false, 3).GetSaveText(), "!TTreeViewFileLine!a|b!3!0");
  EXPECT_EQ(TTreeViewError("a|b!c").GetSaveText(), "%TTreeViewError%a|b!c");
  EXPECT_EQ(TTreeViewFile("/p", 0, 0, 0, 0, 4).GetSaveText(), "|TTreeViewFile|/p|4");
  // Every candidate present: the backslash is used.
  const std::string all = "|!%*?/#~@{[}]<,>.;\"\xA3$^&()-_=+\xAC:\\";
  EXPECT_EQ(ChooseSaveSeparator(all), '\\');
  EXPECT_EQ(ChooseSaveSeparator("|!%*?/#~@{[}]<,>.;"), '"');
}

TEST(ResultTree, SaveAndLoadRoundTrip) {
  TempTree files;
  const std::string path = files.Write("f.txt", "12345").string();
  TResultTree tree;
  TResultNode& file = tree.AddFileNode(std::make_unique<TTreeViewFile>(path, 3));
  TResultTree::AddLineNode(file, "before | bar", false, 9);
  TResultTree::AddLineNode(file, "", false, 10);
  TResultTree::AddLineNode(file, "match !|%", true, 11);
  tree.AddErrorNode("*** Error reading /x: Permission denied ***");
  std::vector<std::string> texts;
  tree.SaveResultNodes(texts);
  ASSERT_EQ(texts.size(), 5u);

  TResultTree loaded;
  loaded.LoadResultNodes(texts, true);
  const TDisplayOptions sized{true, false, false, false};
  EXPECT_EQ(loaded.DisplayTexts(sized), tree.DisplayTexts(sized));
  EXPECT_EQ(loaded.At(0).File()->Size, 5);  // read afresh from disk
  EXPECT_TRUE(loaded.At(0).Expanded);
  std::vector<std::string> again;
  loaded.SaveResultNodes(again);
  EXPECT_EQ(again, texts);
}
