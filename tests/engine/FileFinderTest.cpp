#include "search/engine/walk/FileFinder.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/RecordingHost.h"
#include "support/TempTree.h"

using namespace search;

namespace {

// Runs a find over the key and returns the found paths relative to the tree, plus the notices.
struct FindResult {
  std::vector<std::string> files;
  std::vector<std::string> notices;
};

FindResult Find(const TempTree& tree, TFindKey key, RecordingHost& host, unsigned threads = 1) {
  TResultTree results;
  TSearchContext context(host, results);
  TFileList found;
  TFileFinder finder(key, found, context, true, threads);
  finder.FindFiles([] {});
  FindResult result;
  for (const std::string& text : found.Texts()) {
    std::string path = TFileListEntry::Decode(text).FileName;
    if (path.rfind(tree.RootText(), 0) == 0) path = path.substr(tree.RootText().size());
    result.files.push_back(path);
  }
  for (const std::string& text : results.DisplayTexts({})) result.notices.push_back(text);
  return result;
}

FindResult Find(const TempTree& tree, TFindKey key) {
  RecordingHost host;
  return Find(tree, std::move(key), host);
}

std::vector<std::string> Sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}

}  // namespace

TEST(FileFinder, MasksExtensionsAndDots) {
  TempTree tree;
  tree.Write("readme");
  tree.Write("a.htm");
  tree.Write("b.html");
  tree.Write("C.TXT");
  EXPECT_EQ(Sorted(Find(tree, {tree.RootText(), "*.*", "", "", false}).files),
            (std::vector<std::string>{"C.TXT", "a.htm", "b.html"}));
  EXPECT_EQ(Sorted(Find(tree, {tree.RootText(), "*", "", "", false}).files),
            (std::vector<std::string>{"C.TXT", "a.htm", "b.html", "readme"}));
  EXPECT_EQ(Find(tree, {tree.RootText(), "*.htm", "", "", false}).files, std::vector<std::string>{"a.htm"});
  EXPECT_EQ(Find(tree, {tree.RootText(), "*.txt", "", "", false}).files, std::vector<std::string>{"C.TXT"});
}

TEST(FileFinder, WalkOrderIsMaskByMaskThenSubfoldersDepthFirst) {
  TempTree tree;
  tree.Write("top.c");
  tree.Write("top.h");
  tree.Write("sub/inner.c");
  tree.Write("sub/deeper/deep.h");
  const FindResult result = Find(tree, {tree.RootText(), "*.h;*.c", "", "", true});
  EXPECT_EQ(result.files,
            (std::vector<std::string>{"top.h", "top.c", "sub/inner.c", "sub/deeper/deep.h"}));
}

TEST(FileFinder, FileMatchedByTwoMasksIsListedTwice) {
  TempTree tree;
  tree.Write("abc.txt");
  EXPECT_EQ(Find(tree, {tree.RootText(), "a*;*.txt", "", "", false}).files.size(), 2u);
}

TEST(FileFinder, ListRulesForMasksAndPaths) {
  TempTree tree;
  tree.Write("one/a.txt");
  tree.Write("one/b.c");
  tree.Write("two/c.txt");
  const std::string one = tree.RootText() + "one";
  const std::string two = tree.RootText() + "two";
  EXPECT_EQ(Find(tree, {one, "*.txt; ;*.c", "", "", false}).files, std::vector<std::string>{"one/a.txt"});
  EXPECT_EQ(Find(tree, {one + ";;" + two, "*.txt;", "", "", false}).files,
            std::vector<std::string>{"one/a.txt"});
  EXPECT_EQ(Find(tree, {one + "; " + two + "/", "*.txt", "", "", false}).files,
            (std::vector<std::string>{"one/a.txt", "two/c.txt"}));
}

TEST(FileFinder, ExclusionsFoldAsciiOnlyAndApplyAtAnyDepth) {
  TempTree tree;
  tree.Write("keep.txt");
  tree.Write("old.BAK");
  tree.Write("\xC3\xA9t\xC3\xA9.txt");  // été.txt
  tree.Write("Build/x.txt");
  tree.Write("src/build/y.txt");
  tree.Write("src/z.txt");
  const FindResult result =
      Find(tree, {tree.RootText(), "*.*", "*.bak;\xC3\x89T\xC3\x89.TXT", "build", true});
  EXPECT_EQ(Sorted(result.files),
            (std::vector<std::string>{"keep.txt", "src/z.txt", "\xC3\xA9t\xC3\xA9.txt"}));
}

TEST(FileFinder, HiddenAndSystemFilesAreFoundWithoutSubfolders) {
  TempTree tree;
  tree.Write(".hidden.txt");
  tree.Write("sub/no.txt");
  EXPECT_EQ(Find(tree, {tree.RootText(), "*.txt", "", "", false}).files,
            std::vector<std::string>{".hidden.txt"});
}

TEST(FileFinder, MissingFolderGivesOneNoticePerMaskAndTheWalkGoesOn) {
  TempTree tree;
  tree.Write("real/a.txt");
  const std::string missing = tree.RootText() + "missing";
  const FindResult result =
      Find(tree, {missing + ";" + tree.RootText() + "real", "*.txt;*.c", "", "", true});
  EXPECT_EQ(result.files, std::vector<std::string>{"real/a.txt"});
  const std::string notice = "*** No such file or directory: " + missing + "/ ***";
  EXPECT_EQ(result.notices, (std::vector<std::string>{notice, notice}));
}

TEST(FileFinder, FileInsteadOfFolderIsAnError) {
  TempTree tree;
  const std::string file = tree.Write("plain.txt").string();
  const FindResult result = Find(tree, {file, "*.*", "", "", false});
  EXPECT_EQ(result.notices, std::vector<std::string>{"*** Not a directory: " + file + "/ ***"});
}

TEST(FileFinder, LinkedFoldersAreNotEnteredButLinkedFilesAreFound) {
  TempTree tree;
  tree.Write("real/a.txt");
  std::filesystem::create_directory_symlink(tree.Root() / "real", tree.Root() / "real" / "loop");
  std::filesystem::create_symlink(tree.Root() / "real" / "a.txt", tree.Root() / "link.txt");
  EXPECT_EQ(Sorted(Find(tree, {tree.RootText(), "*", "", "", true}).files),
            (std::vector<std::string>{"link.txt", "real/a.txt"}));
}

TEST(FileFinder, CancelStopsTheWalkAtTheNextEntry) {
  TempTree tree;
  for (int i = 0; i < 50; ++i) tree.Write("d" + std::to_string(i) + "/f.txt");
  RecordingHost host;
  host.cancelWhen = [](RecordingHost& h) { return h.cancelPolls > 20; };
  const FindResult result = Find(tree, {tree.RootText(), "*.*", "", "", true}, host);
  EXPECT_LT(result.files.size(), 50u);
}

TEST(FileFinder, ParallelWalkGivesTheOrderOfTheSingleThreadedWalk) {
  TempTree tree;
  for (int i = 0; i < 400; ++i) {
    std::string folder;
    for (int depth = 0; depth <= i % 5; ++depth) folder += "d" + std::to_string((i * 7 + depth) % 9) + "/";
    tree.Write(folder + "f" + std::to_string(i) + (i % 3 ? ".c" : ".h"));
  }
  tree.MakeFolder("d1/skip/deeper");
  tree.Write("d1/skip/deeper/x.c");
  std::filesystem::create_symlink(tree.Root() / "nowhere", tree.Root() / "d2" / "dangling.c");
  const std::string paths = tree.RootText() + ";" + tree.RootText() + "missing;" + tree.RootText() + "d3";
  const TFindKey key{paths, "*.h;*.c", "", "skip", true};
  RecordingHost host;
  const FindResult single = Find(tree, key, host, 1);
  EXPECT_GT(single.files.size(), 400u);
  for (unsigned threads : {2u, 3u}) {
    RecordingHost other;
    const FindResult parallel = Find(tree, key, other, threads);
    EXPECT_EQ(parallel.files, single.files) << threads;
    EXPECT_EQ(parallel.notices, single.notices) << threads;
  }
}

TEST(FileFinder, ExcludedFolderInPathText) {
  EXPECT_TRUE(PathHasExcludedFolder("build", "/home/x/Build/"));
  EXPECT_TRUE(PathHasExcludedFolder("b*", "/a/x;/b/y/"));
  EXPECT_FALSE(PathHasExcludedFolder("build", "/home/x/builds/"));
  EXPECT_FALSE(PathHasExcludedFolder("", "/home/x/"));
  EXPECT_TRUE(IsExcludedName("*.bak;*.tmp", "X.TMP"));
  EXPECT_FALSE(IsExcludedName("*.bak;;*.tmp", "x.tmp"));
}
