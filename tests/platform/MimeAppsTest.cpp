// The desktop's applications for a file type, read from a fixture of XDG folders, and the
// program calls their Exec lines make.

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>

#include "platform/shell/MimeApps.h"
#include "support/TempTree.h"

using namespace platform::shell;
using Words = std::vector<std::string>;

namespace {

struct XdgFixture : ::testing::Test {
  void SetUp() override {
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS"}) {
      const char* value = std::getenv(name);
      saved.emplace_back(name, value ? value : "");
    }
    setenv("XDG_CONFIG_HOME", (tree.RootText() + "config").c_str(), 1);
    setenv("XDG_CONFIG_DIRS", (tree.RootText() + "etc").c_str(), 1);
    setenv("XDG_DATA_HOME", (tree.RootText() + "home").c_str(), 1);
    setenv("XDG_DATA_DIRS", (tree.RootText() + "share").c_str(), 1);
  }
  void TearDown() override {
    for (const auto& [name, value] : saved) setenv(name.c_str(), value.c_str(), 1);
  }
  void App(const std::string& id, const std::string& body) {
    tree.Write("share/applications/" + id, "[Desktop Entry]\nType=Application\n" + body);
  }
  std::vector<std::string> Ids(const std::vector<std::string>& types) {
    std::vector<std::string> ids;
    for (const TDesktopEntry& entry : ApplicationsForMimeTypes(types)) ids.push_back(entry.Id);
    return ids;
  }
  TempTree tree;
  std::vector<std::pair<std::string, std::string>> saved;
};

}  // namespace

TEST_F(XdgFixture, DefaultFirstThenTheOthersAndRemovedOnesLeftOut) {
  App("alpha.desktop", "Name=Alpha\nExec=alpha %F\nMimeType=text/plain;text/x-c;\n");
  App("beta.desktop", "Name=Beta\nExec=beta %u\nMimeType=text/plain\n");
  App("gamma.desktop", "Name=Gamma\nExec=gamma\nMimeType=text/plain;\n");
  App("hidden.desktop", "Name=H\nExec=h\nHidden=true\nMimeType=text/plain;\n");
  App("viewer.desktop", "Name=Viewer\nExec=viewer %f\nMimeType=image/png;\n");
  tree.Write("config/mimeapps.list",
             "[Default Applications]\ntext/plain=beta.desktop;missing.desktop\n"
             "[Removed Associations]\ntext/plain=gamma.desktop;\n[Added Associations]\ntext/plain=viewer.desktop;\n");
  EXPECT_EQ(Ids({"text/plain"}), (Words{"beta.desktop", "viewer.desktop", "alpha.desktop"}));
  EXPECT_EQ(Ids({"text/x-c", "text/plain"}), (Words{"alpha.desktop", "beta.desktop", "viewer.desktop"}));
  EXPECT_EQ(Ids({"application/x-none"}), Words{});
}

TEST(DesktopEntry, ExecFieldCodesBecomeSeparateArguments) {
  TDesktopEntry entry;
  entry.Name = "My Editor";
  entry.Icon = "editor";
  entry.FilePath = "/usr/share/applications/e.desktop";
  const Words files = {"/d/a b.txt", "/d/$(x).txt"};
  const struct {
    const char* exec;
    const char* program;
    Words arguments;
  } cases[] = {
      {"edit %F", "edit", files},
      {"edit %f", "edit", {"/d/a b.txt"}},
      {"edit --new-window %U", "edit", {"--new-window", "file:///d/a%20b.txt", "file:///d/%24%28x%29.txt"}},
      {"edit --file=%f", "edit", {"--file=/d/a b.txt"}},
      {"\"/opt/My Apps/edit\" %i %c %k", "/opt/My Apps/edit", {"--icon", "editor", "My Editor", entry.FilePath}},
      {"sh -c \"echo \\\"$1\\\"\" %f", "sh", {"-c", "echo \"$1\"", "/d/a b.txt"}},
      {"edit 100%% %d %m", "edit", {"100%"}},
  };
  for (const auto& c : cases) {
    entry.Exec = c.exec;
    const TProgramCall call = ExecCall(entry, files);
    EXPECT_EQ(call.Program, c.program) << c.exec;
    EXPECT_EQ(call.Arguments, c.arguments) << c.exec;
  }
  entry.Exec = "edit %f %U";
  EXPECT_EQ(ExecCall(entry, {}).Arguments, Words{});
}

TEST_F(XdgFixture, EntriesAreReadWithEscapesAndAMissingProgramIsNoticed) {
  App("odd.desktop", "Name=Odd\\sName\nExec=no-such-program-here %f\nIcon=odd\nMimeType=text/plain;\n");
  tree.Write("share/applications/link.desktop", "[Desktop Entry]\nType=Link\nURL=http://x\n");
  const auto apps = ApplicationsForMimeTypes({"text/plain"});
  ASSERT_EQ(apps.size(), 1u);
  EXPECT_EQ(apps[0].Name, "Odd Name");
  EXPECT_EQ(apps[0].Icon, "odd");
  EXPECT_EQ(EntryProgram(apps[0]), "");
  TDesktopEntry shell = apps[0];
  shell.Exec = "sh %f";
  EXPECT_EQ(EntryProgram(shell), ResolveProgram("sh"));
}
