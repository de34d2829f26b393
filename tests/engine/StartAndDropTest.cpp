// The program's command-line argument, and names dropped on the Path and Files boxes.

#include <gtest/gtest.h>

#include "search/engine/run/DroppedNames.h"
#include "search/engine/run/StartArgument.h"
#include "support/TempTree.h"

using namespace search;

TEST(StartArgument, TrayWordsFolderListsAndRelativeFolders) {
  const struct {
    const char* argument;
    bool useToolTray;
    bool tray;
    const char* path;
  } cases[] = {
      {"hide", true, true, ""},
      {"HIDE", true, true, ""},
      {" NoShow\t", true, true, ""},
      {"inactive", true, true, ""},
      {"tooltray", true, true, ""},
      {"hide", false, false, "/start/hide"},
      {"", true, false, ""},
      {"  ", false, false, ""},
      {"/srv/data; /home/me/src", true, false, "/srv/data; /home/me/src"},
      {" /Program Files/x ", false, false, "/Program Files/x"},
      {".", false, false, "/start/"},
      {"./sub;/abs", false, false, "/start/sub; /abs"},
      {"a;rm -rf ~", false, false, "/start/a; /start/rm -rf ~"},
      {"/", false, false, "/"},
  };
  for (const auto& c : cases) {
    const TStartRequest request = ParseStartArgument(c.argument, c.useToolTray, "/start");
    EXPECT_EQ(request.StartInTray, c.tray) << c.argument;
    EXPECT_EQ(request.Path, c.path) << c.argument;
  }
}

TEST(DroppedNames, PathBoxTakesFoldersOnceInDropOrder) {
  TempTree tree;
  const std::string root = tree.RootText();
  tree.Write("Data/a.txt");
  tree.Write("Data/b.txt");
  tree.Write("data/c.txt");
  tree.Write("x/y.doc");
  EXPECT_EQ(PathBoxFromDrop({root + "Data/a.txt", root + "Data/b.txt"}), root + "Data/");
  EXPECT_EQ(PathBoxFromDrop({root + "Data", root + "x/y.doc"}), root + "Data/; " + root + "x/");
  EXPECT_EQ(PathBoxFromDrop({root + "Data", root + "data/c.txt"}), root + "Data/; " + root + "data/");
  EXPECT_EQ(PathBoxFromDrop({}), "");
}

TEST(DroppedNames, FilesBoxTakesFileNamesOnceIgnoringCase) {
  TempTree tree;
  const std::string root = tree.RootText();
  tree.Write("Data/a.txt");
  tree.Write("Other/A.TXT");
  const std::string longName(300, 'n');
  tree.Write("Data/" + longName);
  EXPECT_EQ(FilesBoxFromDrop({root + "Data/a.txt", root + "Other/A.TXT", root + "Data"}), "a.txt");
  EXPECT_EQ(FilesBoxFromDrop({root + "Data"}), "");
  EXPECT_EQ(FilesBoxFromDrop({root + "Data/" + longName}), longName);
}
