#include "platform/fs/FileSystem.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <vector>

#include "support/TempTree.h"

using namespace platform::fs;

TEST(FileSystem, ListingGivesNamesAndFolderFlag) {
  TempTree tree;
  tree.Write("a.txt", "x");
  tree.Write(".hidden", "");
  tree.MakeFolder("sub");
  FolderListing listing(tree.RootText());
  ASSERT_EQ(listing.OpenError(), 0);
  std::vector<std::pair<std::string, bool>> seen;
  FolderEntry entry;
  while (listing.Next(entry)) seen.emplace_back(entry.name, entry.isDirectory);
  EXPECT_EQ(listing.ReadError(), 0);
  std::sort(seen.begin(), seen.end());
  EXPECT_EQ(seen, (std::vector<std::pair<std::string, bool>>{
                      {".hidden", false}, {"a.txt", false}, {"sub", true}}));
}

TEST(FileSystem, MissingFolderReportsItsError) {
  TempTree tree;
  FolderListing listing(tree.RootText() + "nope/");
  EXPECT_EQ(listing.OpenError(), ENOENT);
  FolderEntry entry;
  EXPECT_FALSE(listing.Next(entry));
  EXPECT_EQ(ErrorMessage(listing.OpenError()), "No such file or directory");
}

TEST(FileSystem, FactsOfAFile) {
  TempTree tree;
  const auto path = tree.Write("data.bin", "12345");
  const FileFacts facts = QueryFile(path.string());
  EXPECT_EQ(facts.size, 5);
  EXPECT_EQ(facts.attributes & kArchive, kArchive);
  EXPECT_EQ(facts.attributes & (kHidden | kSystem | kDirectory | kReadOnly), 0);
  // Modified now, as a local day number.
  const time_t now = time(nullptr);
  EXPECT_NEAR(facts.modified, LocalDayNumber(now, 0), 60.0 / 86400);
  EXPECT_GT(facts.accessed, 40000);
}

TEST(FileSystem, AttributesFollowTheLinuxMapping) {
  TempTree tree;
  const auto hidden = tree.Write(".profile", "");
  const auto readOnly = tree.Write("locked", "");
  chmod(readOnly.c_str(), 0444);
  mkfifo((tree.Root() / "pipe").c_str(), 0644);
  EXPECT_EQ(QueryAttributes(hidden.string()) & kHidden, kHidden);
  EXPECT_EQ(QueryAttributes(readOnly.string()) & kReadOnly, kReadOnly);
  EXPECT_EQ(QueryAttributes((tree.Root() / "pipe").string()) & (kSystem | kArchive), kSystem);
  EXPECT_EQ(QueryAttributes(tree.RootText()) & kDirectory, kDirectory);
}

TEST(FileSystem, VanishedFileHasUnavailableFacts) {
  TempTree tree;
  const FileFacts facts = QueryFile(tree.RootText() + "gone.txt");
  EXPECT_EQ(facts.size, -1);
  EXPECT_EQ(facts.created, 0);
  EXPECT_EQ(facts.modified, 0);
  EXPECT_EQ(facts.attributes, -1);
}

TEST(FileSystem, ATimeAtTheUnixEpochIsAvailable) {
  TempTree tree;
  const auto file = tree.Write("old.txt", "x");
  const struct timespec epoch[2] = {{0, 0}, {0, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), epoch, 0), 0);
  setenv("TZ", "UTC", 1);
  tzset();
  const FileFacts facts = QueryFile(file.string());
  EXPECT_EQ(facts.modified, 25569.0);  // 1 January 1970, not "unavailable"
  EXPECT_EQ(facts.accessed, 25569.0);
  unsetenv("TZ");
  tzset();
}

TEST(FileSystem, DayNumbersOfKnownInstants) {
  setenv("TZ", "UTC", 1);
  tzset();
  EXPECT_DOUBLE_EQ(LocalDayNumber(0, 0), 25569.0);
  EXPECT_DOUBLE_EQ(LocalDayNumber(86400 + 43200, 0), 25570.5);
  EXPECT_DOUBLE_EQ(LocalDayNumber(-86400, 0), 25568.0);
  setenv("TZ", "Europe/Berlin", 1);
  tzset();
  // 2004-01-15 12:00 UTC is 13:00 in Berlin (winter time), 2004-07-15 12:00 UTC is 14:00.
  EXPECT_NEAR(LocalDayNumber(1074168000, 0), 38001.0 + 13.0 / 24, 1e-9);
  EXPECT_NEAR(LocalDayNumber(1089892800, 0), 38183.0 + 14.0 / 24, 1e-9);
  unsetenv("TZ");
  tzset();
}

TEST(FileSystem, PathRules) {
  EXPECT_EQ(WithTrailingSeparator("/a"), "/a/");
  EXPECT_EQ(WithTrailingSeparator("/a/"), "/a/");
  EXPECT_EQ(WithTrailingSeparator(""), "");
  EXPECT_EQ(WithoutTrailingSeparators("/a///"), "/a");
  EXPECT_EQ(FileNamePart("/a/b.txt"), "b.txt");
  EXPECT_EQ(FileNamePart("b.txt"), "b.txt");
}
