#include "search/editor/text/TextFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "search/editor/text/LineEnds.h"
#include "support/TempTree.h"

namespace fs = std::filesystem;
using editor::TLineEnd;

namespace {

std::string Read(const fs::path& path) { return editor::ReadFileBytes(path.string()); }

size_t FilesIn(const fs::path& folder) {
  return static_cast<size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

}  // namespace

TEST(LineEnds, MostCommonLineEndDecidesNewLines) {
  struct Case {
    std::string text;
    TLineEnd expected;
  };
  const Case cases[] = {
      {"", TLineEnd::Lf},
      {"one line", TLineEnd::Lf},
      {"a\nb\n", TLineEnd::Lf},
      {"a\r\nb\r\nc\n", TLineEnd::CrLf},
      {"a\rb\rc\r\n", TLineEnd::Cr},
      {"a\r\nb\n", TLineEnd::Lf},  // a tie goes to LF
      {"\r\n", TLineEnd::CrLf},
  };
  for (const Case& c : cases) EXPECT_EQ(editor::MostCommonLineEnd(c.text), c.expected) << c.text;
}

TEST(LineEnds, Utf8Validity) {
  EXPECT_TRUE(editor::IsValidUtf8(""));
  EXPECT_TRUE(editor::IsValidUtf8("plain ascii text that is long enough for the fast path"));
  EXPECT_TRUE(editor::IsValidUtf8("caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"));
  EXPECT_TRUE(editor::IsValidUtf8(std::string("a\0b", 3)));
  EXPECT_FALSE(editor::IsValidUtf8("caf\xE9"));            // Latin-1
  EXPECT_FALSE(editor::IsValidUtf8("\xC0\xAF"));           // overlong
  EXPECT_FALSE(editor::IsValidUtf8("\xED\xA0\x80"));       // surrogate
  EXPECT_FALSE(editor::IsValidUtf8("abcdefgh\xE2\x82"));   // cut short
}

TEST(TextFile, ReadsEveryByte) {
  TempTree tree;
  const std::string bytes("a\r\nb\rc\nd\0\xFF", 10);
  const fs::path path = tree.Write("f.bin", bytes);
  EXPECT_EQ(Read(path), bytes);
  EXPECT_THROW(Read(tree.Root() / "missing"), editor::TFileError);
  EXPECT_THROW(Read(tree.Root()), editor::TFileError);
}

TEST(TextFile, SaveReplacesTheFileAndKeepsItsPermissions) {
  TempTree tree;
  const fs::path path = tree.Write("script.sh", "old");
  ::chmod(path.c_str(), 0751);
  editor::SaveFileAtomically(path.string(), std::string("new\0bytes", 9));
  EXPECT_EQ(Read(path), std::string("new\0bytes", 9));
  struct stat facts {};
  ASSERT_EQ(::stat(path.c_str(), &facts), 0);
  EXPECT_EQ(facts.st_mode & 07777, 0751u);
  EXPECT_EQ(FilesIn(tree.Root()), 1u) << "no temporary file is left";
}

TEST(TextFile, SaveCreatesANewFileWithTheUsualPermissions) {
  TempTree tree;
  const fs::path path = tree.Root() / "new.txt";
  const mode_t mask = ::umask(022);
  editor::SaveFileAtomically(path.string(), "text\n");
  ::umask(mask);
  EXPECT_EQ(Read(path), "text\n");
  struct stat facts {};
  ASSERT_EQ(::stat(path.c_str(), &facts), 0);
  EXPECT_EQ(facts.st_mode & 0777, 0644u);
}

TEST(TextFile, SaveThroughALinkWritesItsTarget) {
  TempTree tree;
  const fs::path target = tree.Write("real/target.txt", "old");
  const fs::path link = tree.Root() / "link.txt";
  fs::create_symlink("real/target.txt", link);
  editor::SaveFileAtomically(link.string(), "new");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Read(target), "new");
  EXPECT_EQ(FilesIn(tree.Root() / "real"), 1u);
}

TEST(TextFile, FailedSaveLeavesTheOriginal) {
  TempTree tree;
  // A folder where the file was: the save fails whoever runs it.
  const fs::path folder = tree.MakeFolder("was-a-file");
  EXPECT_THROW(editor::SaveFileAtomically(folder.string(), "x"), editor::TFileError);
  EXPECT_TRUE(fs::is_directory(folder));
  // A folder that no longer exists.
  EXPECT_THROW(editor::SaveFileAtomically((tree.Root() / "gone" / "f.txt").string(), "x"), editor::TFileError);
}

TEST(TextFile, FailedSaveInAReadOnlyFolderLeavesTheFileIntact) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  TempTree tree;
  const fs::path path = tree.Write("locked/file.txt", "original");
  ::chmod((tree.Root() / "locked").c_str(), 0555);
  try {
    editor::SaveFileAtomically(path.string(), "changed");
    FAIL() << "the save should fail";
  } catch (const editor::TFileError& error) {
    EXPECT_NE(std::string(error.what()).find("file.txt"), std::string::npos) << error.what();
  }
  EXPECT_EQ(Read(path), "original");
  EXPECT_EQ(FilesIn(tree.Root() / "locked"), 1u);
}

TEST(TextFile, StampFollowsChanges) {
  TempTree tree;
  const fs::path path = tree.Write("f.txt", "one");
  const auto before = editor::ReadFileStamp(path.string());
  ASSERT_TRUE(before.has_value());
  EXPECT_EQ(before->size, 3);
  tree.Write("f.txt", "three");
  EXPECT_NE(editor::ReadFileStamp(path.string()), before);
  EXPECT_FALSE(editor::ReadFileStamp((tree.Root() / "missing").string()).has_value());
  EXPECT_FALSE(editor::ReadFileStamp("").has_value());
}
