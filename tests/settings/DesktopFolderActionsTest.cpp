// The desktop's folder actions: valid desktop files, a working script, the user's own files
// left alone.

#include "search/settings/DesktopFolderActions.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/TempTree.h"

namespace {

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

class DesktopFolderActionsTest : public ::testing::Test {
 protected:
  TempTree tree;
  TDesktopFolderActions actions{tree.Root() / "data", "/opt/vantrel search/kestrix-host"};
};

TEST_F(DesktopFolderActionsTest, DefaultDataHomeFollowsTheDesktopRules) {
  ::setenv("HOME", "/home/someone", 1);
  ::setenv("XDG_DATA_HOME", "/data/home", 1);
  EXPECT_EQ(TDesktopFolderActions::DefaultDataHome(), "/data/home");
  ::setenv("XDG_DATA_HOME", "relative/ignored", 1);
  EXPECT_EQ(TDesktopFolderActions::DefaultDataHome(), "/home/someone/.local/share");
  ::unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(TDesktopFolderActions::DefaultDataHome(), "/home/someone/.local/share");
}

TEST_F(DesktopFolderActionsTest, DesktopFilesAreValid) {
  if (std::system("command -v desktop-file-validate >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "desktop-file-validate (package desktop-file-utils) is not installed";
  }
  ASSERT_TRUE(actions.Install().empty());
  const auto files = actions.Files();
  for (const auto& file : {files[0], files[2]}) {
    const std::string report = (tree.Root() / "report").string();
    const int status = std::system(("desktop-file-validate " + Quoted(file.string()) + " >" + Quoted(report) + " 2>&1").c_str());
    EXPECT_EQ(status, 0) << file << "\n" << ReadFileText(report);
    EXPECT_EQ(ReadFileText(report), "") << file;
  }
}

TEST_F(DesktopFolderActionsTest, EntriesRunTheHostOnTheSelectedFolders) {
  EXPECT_NE(actions.ServiceMenuText().find("Exec=\"/opt/vantrel search/kestrix-host\" --invoke %F\n"),
            std::string::npos);
  EXPECT_NE(actions.ServiceMenuText().find("MimeType=inode/directory;\n"), std::string::npos);
  EXPECT_NE(actions.ApplicationEntryText().find("Exec=\"/opt/vantrel search/kestrix-host\" --invoke %F\n"),
            std::string::npos);
  EXPECT_NE(actions.ApplicationEntryText().find("MimeType=inode/directory;\n"), std::string::npos);
}

TEST_F(DesktopFolderActionsTest, ExecValuesQuoteAndEscapeThePath) {
  struct Case {
    std::string program;
    std::string value;
  };
  const Case cases[] = {
      {"/usr/bin/kestrix-host", "\"/usr/bin/kestrix-host\" --invoke %F"},
      {"/a b/host", "\"/a b/host\" --invoke %F"},
      {"/a$b/host", "\"/a\\\\$b/host\" --invoke %F"},
      {"/a\"b/host", "\"/a\\\\\"b/host\" --invoke %F"},
      {"/a\\b/host", "\"/a\\\\\\\\b/host\" --invoke %F"},
      {"/a`b/host", "\"/a\\\\`b/host\" --invoke %F"},
      {"/100%/host", "\"/100%%/host\" --invoke %F"},
  };
  for (const Case& c : cases) EXPECT_EQ(DesktopExecValue(c.program, {"--invoke", "%F"}), c.value) << c.program;
}

TEST_F(DesktopFolderActionsTest, ScriptRunsTheHostWithTheSelectedNames) {
  // A stand-in host that records its arguments and the folder it ran in.
  const auto host = tree.Write("host dir/it's host",
                               "#!/bin/sh\n"
                               "{ pwd; for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done; } > \"$(dirname \"$0\")/ran\"\n");
  std::filesystem::permissions(host, std::filesystem::perms::owner_all);
  TDesktopFolderActions withHost(tree.Root() / "data", host.string());
  ASSERT_TRUE(withHost.Install().empty());
  const auto script = withHost.Files()[1];
  EXPECT_NE(std::filesystem::status(script).permissions() & std::filesystem::perms::owner_exec,
            std::filesystem::perms::none);

  const auto shown = tree.MakeFolder("shown");
  const std::string ran = (tree.Root() / "host dir" / "ran").string();
  ASSERT_EQ(std::system(("cd " + Quoted(shown.string()) + " && " + Quoted(script.string()) + " 'a b' '$x'").c_str()), 0);
  EXPECT_EQ(ReadFileText(ran), shown.string() + "\n[--invoke]\n[--]\n[a b]\n[$x]\n");

  // Chosen on the folder's background, with nothing selected: the shown folder.
  ASSERT_EQ(std::system(("cd " + Quoted(shown.string()) + " && " + Quoted(script.string())).c_str()), 0);
  EXPECT_EQ(ReadFileText(ran), shown.string() + "\n[--invoke]\n[--]\n[" + shown.string() + "]\n");
}

TEST_F(DesktopFolderActionsTest, TheUsersOwnFilesAreNeverTouched) {
  const auto files = actions.Files();
  const auto own = tree.Write("data/applications/vantrel-search-folder.desktop", "[Desktop Entry]\nName=Mine\n");
  ASSERT_TRUE(actions.Install().empty());
  EXPECT_EQ(ReadFileText(own), "[Desktop Entry]\nName=Mine\n");
  EXPECT_TRUE(TDesktopFolderActions::IsOurs(files[0]));
  actions.Remove();
  EXPECT_EQ(ReadFileText(own), "[Desktop Entry]\nName=Mine\n");
  EXPECT_FALSE(std::filesystem::exists(files[0]));
  EXPECT_FALSE(std::filesystem::exists(files[1]));
}

TEST_F(DesktopFolderActionsTest, OurFilesAreRewrittenForANewPlace) {
  ASSERT_TRUE(actions.Install().empty());
  TDesktopFolderActions moved(tree.Root() / "data", "/opt/new/kestrix-host");
  ASSERT_TRUE(moved.Install().empty());
  for (const auto& file : moved.Files()) {
    EXPECT_NE(ReadFileText(file).find("/opt/new/kestrix-host"), std::string::npos) << file;
    EXPECT_EQ(ReadFileText(file).find("vantrel search"), std::string::npos) << file;
  }
  // Nothing half-written is left beside them.
  size_t entries = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(tree.Root() / "data")) {
    entries += entry.is_regular_file() ? 1 : 0;
  }
  EXPECT_EQ(entries, 3u);
}

}  // namespace
