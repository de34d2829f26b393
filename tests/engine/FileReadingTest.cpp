// How files are read: to their real end, only when they are regular files, with a limit on
// one line, Cancel seen inside a line, and trees deeper than the path-length limit.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <fstream>
#include <sstream>

#include "search/engine/results/TreeViewObject.h"
#include "search/engine/run/SearchRun.h"
#include "search/engine/scanning/FileScanner.h"
#include "support/RecordingHost.h"
#include "support/TempTree.h"

using namespace search;

namespace {

using Lines = std::vector<std::string>;

// Cancels from the given call on.
class TCountingControl final : public TScanControl {
 public:
  explicit TCountingControl(int cancelFrom = INT_MAX) : cancelFrom_(cancelFrom) {}
  bool Cancelled() override { return ++calls_ >= cancelFrom_; }

 private:
  int cancelFrom_;
  int calls_ = 0;
};

struct ReadFixture : ::testing::Test {
  TFileScanResult Scan(const std::string& path, const std::string& text, TScanControl& control) {
    matcher = std::make_unique<TLineMatcher>(MakePlainStringTest(text, criteria), nullptr, kMatchOr, false);
    settings.Matcher = matcher.get();
    return ScanFile({path, {}}, settings, buffers, control);
  }
  TFileScanResult Scan(const std::string& path, const std::string& text) {
    TCountingControl control;
    return Scan(path, text, control);
  }

  TempTree tree;
  TSearchCriteria criteria;
  TScanSettings settings;
  TScanBuffers buffers;
  std::unique_ptr<TLineMatcher> matcher;
};

std::string WholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST_F(ReadFixture, AFileThatSaysItIsEmptyIsReadToItsEnd) {
  // Pseudo files report size 0; this one is longer than one read gives.
  struct stat info {};
  ASSERT_EQ(stat("/proc/self/maps", &info), 0);
  ASSERT_EQ(info.st_size, 0);
  criteria.CaseSensitive = true;
  settings.ShowMatches = false;
  const TFileScanResult result = Scan("/proc/self/maps", "-");  // every line holds an address range
  const std::string bytes = WholeFile("/proc/self/maps");
  const auto lines = std::count(bytes.begin(), bytes.end(), '\n');
  ASSERT_GT(bytes.size(), 4096u);
  EXPECT_FALSE(result.Failed) << result.ErrorMessage;
  // The maps change a little as the test runs; a cut after the first read loses most lines.
  EXPECT_GT(result.Matches, lines * 9 / 10);
  EXPECT_EQ(result.Matches, result.LineCount);
}

TEST_F(ReadFixture, AFileNotInThePageCacheIsSaidToWaitOnTheDisk) {
  std::string content;
  for (int i = 0; i < 20000; ++i) content += "needle " + std::to_string(i) + "\n";
  const std::string path = tree.Write("cold.txt", content).string();
  if (!tree.DropFromPageCache("cold.txt")) GTEST_SKIP() << "this file system keeps the file in its cache";
  const TFileScanResult cold = Scan(path, "needle");
  EXPECT_TRUE(cold.WaitedOnDisk);
  EXPECT_EQ(cold.Matches, 20000);
  EXPECT_EQ(cold.Lines.size(), 20000u) << "the whole file is read after the read that found it not cached";
  const TFileScanResult warm = Scan(path, "needle");
  EXPECT_FALSE(warm.WaitedOnDisk);
  EXPECT_EQ(warm.Matches, 20000);
}

TEST_F(ReadFixture, OnlyRegularFilesAreOpened) {
  const std::string fifo = (tree.Root() / "pipe").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  const TFileScanResult result = Scan(fifo, "x");
  EXPECT_FALSE(result.Opened);
  EXPECT_EQ(result.ErrorMessage, "Not a regular file");
  // Had the pipe been opened for reading, a writer would find a reader there now and then.
  errno = 0;
  EXPECT_EQ(open(fifo.c_str(), O_WRONLY | O_NONBLOCK), -1);
  EXPECT_EQ(errno, ENXIO);

  EXPECT_FALSE(Scan("/dev/null", "x").Opened);
  EXPECT_EQ(Scan(tree.RootText(), "x").ErrorCode, EISDIR);
  // A link to a regular file is read.
  const std::string target = tree.Write("t.txt", "a x\n").string();
  ASSERT_EQ(symlink(target.c_str(), (tree.Root() / "link").c_str()), 0);
  EXPECT_EQ(Scan((tree.Root() / "link").string(), "x").Matches, 1);
}

TEST_F(ReadFixture, ALineLongerThanTheLimitEndsThatFileWithANotice) {
  settings.MaxLineLength = 100000;
  const std::string path = tree.Write("f.txt", "x 1\n" + std::string(300000, 'n') + "\nx 3\n").string();
  TFileScanResult result = Scan(path, "x");
  EXPECT_TRUE(result.Opened);
  EXPECT_TRUE(result.Failed);
  EXPECT_EQ(result.ErrorMessage, "line longer than 100000 bytes");
  EXPECT_EQ(result.Matches, 1);  // what came before stays
  // A line within the limit, however long, is read whole.
  settings.MaxLineLength = 300000;
  result = Scan(path, "x");
  EXPECT_FALSE(result.Failed);
  EXPECT_EQ(result.Matches, 2);
  EXPECT_EQ(result.LineCount, 3);
  EXPECT_GT(DefaultMaxLineLength(), size_t{100} << 20);
}

TEST_F(ReadFixture, CancelIsSeenInsideOneLongLine) {
  // 8 MB without a line end: Cancel given while the line is still being read.
  const std::string path = tree.Write("nul", std::string(8 << 20, '\0')).string();
  TCountingControl control(3);
  const TFileScanResult result = Scan(path, "x", control);
  EXPECT_TRUE(result.Cancelled);
  EXPECT_EQ(result.LineCount, 0) << "the line was read to its end before Cancel was seen";
  // And a file is not opened at all once Cancel has been given.
  TCountingControl already(1);
  EXPECT_FALSE(Scan(path, "x", already).Opened);
}

TEST_F(ReadFixture, AHugeBeforeContextCostsOnlyTheLinesTheFileHas) {
  settings.Before = INT_MAX;
  settings.After = INT_MAX;
  const std::string path = tree.Write("f.txt", "a\nb\nx\nc\n").string();
  const TFileScanResult result = Scan(path, "x");
  ASSERT_FALSE(result.Failed) << result.ErrorMessage;
  ASSERT_EQ(result.Lines.size(), 4u);
  EXPECT_EQ(result.TextOf(result.Lines[0]), "a");
  EXPECT_TRUE(result.Lines[2].Matched);
}

// A single line of 20 MB, found at its end, in its middle, or not at all.
TEST_F(ReadFixture, ASingleLineOfTwentyMegabytes) {
  std::string line(20 << 20, 'a');
  for (size_t i = 0; i < line.size(); i += 97) line[i] = ' ';
  line.replace(line.size() / 2, 6, "MIDDLE");
  line.replace(line.size() - 3, 3, "END");
  const std::string path = tree.Write("one.txt", line).string();
  settings.MinimiseWhitespace = false;
  for (const char* text : {"END", "MIDDLE"}) {
    criteria.CaseSensitive = true;
    const TFileScanResult result = Scan(path, text);
    ASSERT_EQ(result.Lines.size(), 1u) << text;
    EXPECT_EQ(result.TextOf(result.Lines[0]), line);
    const TTreeViewFileLine row(std::string(result.TextOf(result.Lines[0])), true, result.Lines[0].Number);
    EXPECT_EQ(row.GetDisplayText({}), "*    1 " + line);
  }
  const TFileScanResult missing = Scan(path, "ABSENT");
  EXPECT_FALSE(missing.HasFileNode);
  EXPECT_EQ(missing.LineCount, 1);
  EXPECT_TRUE(buffers.Read.size() < (8u << 20)) << "a buffer grown for one long line is given back";
}

TEST(LineNumbers, CountAndShowBeyondThirtyTwoBits) {
  const int64_t number = int64_t{3} << 31;
  const TTreeViewFileLine line("text", true, number);
  EXPECT_EQ(line.GetDisplayText({}), "*6442450944 text");
  TResultTree tree;
  tree.LoadResultNodes({"|TTreeViewFile|/a.txt|1", line.GetSaveText()}, false);
  EXPECT_EQ(tree.At(0).Lines.at(0).LineNumber, number);
}

// Makes a chain of folders deeper than the path-length limit, with a file at the bottom, and
// removes it again: the usual calls cannot reach that far.
class TDeepTree {
 public:
  TDeepTree(const std::filesystem::path& root, int depth, const std::string& name) : root_(root), depth_(depth), name_(name) {
    int folder = open(root.c_str(), O_RDONLY | O_DIRECTORY);
    for (int i = 0; i < depth; ++i) {
      mkdirat(folder, name.c_str(), 0755);
      const int next = openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY);
      close(folder);
      folder = next;
    }
    const int file = openat(folder, "deep.txt", O_WRONLY | O_CREAT, 0644);
    const std::string content = "one\nfound down here\n";
    EXPECT_EQ(write(file, content.data(), content.size()), static_cast<ssize_t>(content.size()));
    close(file);
    close(folder);
  }
  ~TDeepTree() {
    std::vector<int> folders{open(root_.c_str(), O_RDONLY | O_DIRECTORY)};
    for (int i = 0; i < depth_; ++i) folders.push_back(openat(folders.back(), name_.c_str(), O_RDONLY | O_DIRECTORY));
    unlinkat(folders.back(), "deep.txt", 0);
    for (int i = depth_; i > 0; --i) {
      close(folders[static_cast<size_t>(i)]);
      unlinkat(folders[static_cast<size_t>(i - 1)], name_.c_str(), AT_REMOVEDIR);
    }
    close(folders[0]);
  }
  std::string FilePath() const {
    std::string path = root_.string();
    for (int i = 0; i < depth_; ++i) path += "/" + name_;
    return path + "/deep.txt";
  }

 private:
  std::filesystem::path root_;
  int depth_;
  std::string name_;
};

TEST(DeepTree, AFileBelowAPathLongerThanTheLimitIsFoundAndSearched) {
  TempTree tree;
  const TDeepTree deep(tree.Root(), 700, "folder-name");  // about 8,400 bytes of path
  const std::string path = deep.FilePath();
  ASSERT_GT(path.size(), 2u * PATH_MAX);
  for (int threads : {1, 2}) {
    TSearchState state;
    TSearchCriteria criteria;
    criteria.Path = tree.RootText();
    criteria.Files = "*.txt";
    criteria.RecurseSubdirectories = true;
    criteria.StringA = "found";
    criteria.ScanThreads = threads;
    criteria.NumberOfLinesToShowBeforeMatch = 0;
    criteria.NumberOfLinesToShowAfterMatch = 0;
    RecordingHost host;
    RunSearch(state, criteria, host);
    EXPECT_EQ(state.Results.DisplayTexts({}), (Lines{path + " [1 match]", "*    2 found down here"}))
        << threads << " threads";
  }
}

}  // namespace
