// Whole-file writes that either replace the target or leave it untouched.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/fs/ReplaceFile.h"
#include "support/TempTree.h"

namespace {

std::string Read(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace

TEST(ReplaceFile, CreatesAndReplacesKeepingTheMode) {
  TempTree tree;
  const auto path = tree.Root() / "out.txt";
  ASSERT_EQ(platform::fs::ReplaceFileContents(path.string(), "first\n"), 0);
  EXPECT_EQ(Read(path), "first\n");
  ::chmod(path.c_str(), 0640);
  ASSERT_EQ(platform::fs::ReplaceFileContents(path.string(), std::string("a\0b\n", 4)), 0);
  EXPECT_EQ(Read(path), std::string("a\0b\n", 4));
  struct stat info {};
  ::stat(path.c_str(), &info);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tree.Root()), {}), 1);
}

TEST(ReplaceFile, AFolderThatCannotBeWrittenLeavesTheOldFile) {
  TempTree tree;
  if (::geteuid() != 0) {
    const auto path = tree.Write("locked/out.txt", "old contents\n");
    ::chmod((tree.Root() / "locked").c_str(), 0555);
    EXPECT_EQ(platform::fs::ReplaceFileContents(path.string(), "new\n"), EACCES);
    ::chmod((tree.Root() / "locked").c_str(), 0755);
    EXPECT_EQ(Read(path), "old contents\n");
  }
  // Root writes into any folder, but no one creates files in /proc.
  const std::string before = Read("/proc/version");
  EXPECT_NE(platform::fs::ReplaceFileContents("/proc/version", "new\n"), 0);
  EXPECT_EQ(Read("/proc/version"), before);
}
