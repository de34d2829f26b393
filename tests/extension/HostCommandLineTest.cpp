// kestrix-host as scripts and file managers run it: its options, output and exit codes.

#include "extension/host/HostCommandLine.h"

#include <cstdlib>

#include "search/settings/RegisterDll.h"
#include "ExtensionFixture.h"

namespace {

struct Outcome {
  int exitCode = -1;
  std::string out;
  std::string err;
};

class HostCommandLineTest : public ExtensionFixture {
 protected:
  HostCommandLineTest() {
    ::setenv("XDG_DATA_HOME", (tree.Root() / "data").c_str(), 1);
    ::setenv("HOME", (tree.Root() / "home").c_str(), 1);
  }

  static std::string Quoted(const std::string& text) { return "'" + text + "'"; }

  Outcome Run(const std::string& arguments) {
    const auto out = tree.Root() / "out";
    const auto err = tree.Root() / "err";
    const std::string command = Quoted(KESTRIX_HOST_PATH) + " " + arguments + " >" + Quoted(out.string()) + " 2>" +
                                Quoted(err.string());
    const int status = std::system(command.c_str());
    Outcome outcome;
    outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    outcome.out = ReadFileText(out);
    outcome.err = ReadFileText(err);
    return outcome;
  }

  TRegisterDll ProgramRegistration() {
    return TRegisterDll({tree.Root() / "registry", std::filesystem::path(KESTRIX_HOST_PATH).parent_path(),
                         tree.Root() / "data"});
  }
};

TEST_F(HostCommandLineTest, MenuPrintsEachEntryWithItsHelpText) {
  const Outcome outcome = Run("--menu /tmp");
  EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
  EXPECT_EQ(outcome.out, "Vantrel Software &Search...\tSearch folder using Vantrel Software Search\n");
}

TEST_F(HostCommandLineTest, InvokeStartsTheProgramWithTheFolders) {
  SetProgram(RecordingProgram());
  const Outcome outcome = Run("--invoke /data/a '/data/b c'");
  EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
  EXPECT_EQ(RecordedArguments(), "1\n[/data/a; /data/b c]\n");
}

TEST_F(HostCommandLineTest, InvokeWithoutAProgramFailsWithOneLine) {
  const Outcome outcome = Run("--invoke /tmp");
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_EQ(outcome.err, "kestrix-host: Error: Could not start Vantrel Software Search.\n");
}

TEST_F(HostCommandLineTest, RegisterAndUnregisterCallTheEntryPoints) {
  EXPECT_EQ(Run("--register").exitCode, 0);
  platform::registry::RegKey key;
  EXPECT_EQ(Store().OpenKey(platform::registry::RegKey::Of(platform::registry::Root::ClassesRoot),
                            std::string("CLSID\\") + kestrix::kClassIdText + "\\InprocServer32", key),
            platform::registry::Status::Ok);
  EXPECT_EQ(Run("--unregister").exitCode, 0);
  EXPECT_EQ(Store().OpenKey(platform::registry::RegKey::Of(platform::registry::Root::ClassesRoot),
                            std::string("CLSID\\") + kestrix::kClassIdText, key),
            platform::registry::Status::NotFound);
}

TEST_F(HostCommandLineTest, InstallRunsTheProgramsOwnRegistration) {
  Outcome outcome = Run("--install");
  EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
  TRegisterDll registration = ProgramRegistration();
  EXPECT_TRUE(registration.IsExtensionRegistered());
  for (const auto& file : registration.FolderActions().Files()) EXPECT_TRUE(std::filesystem::exists(file)) << file;

  outcome = Run("--uninstall");
  EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
  EXPECT_FALSE(registration.IsExtensionRegistered());
  for (const auto& file : registration.FolderActions().Files()) EXPECT_FALSE(std::filesystem::exists(file)) << file;
}

TEST_F(HostCommandLineTest, InstallThatCannotWriteFailsWithOneLine) {
  tree.Write("data", "a file where the data folder should be");
  const Outcome outcome = Run("--install");
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
  EXPECT_NE(outcome.err.find("kestrix-host: Could not write the folder action"), std::string::npos) << outcome.err;
}

TEST_F(HostCommandLineTest, ALibraryThatCannotBeLoadedFails) {
  const Outcome outcome = Run("--library " + Quoted((tree.Root() / "none.so").string()) + " --menu /tmp");
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_NE(outcome.err.find("cannot load"), std::string::npos) << outcome.err;
}

TEST(HostOptionsTest, CommandLinesAreReadOrRefused) {
  const std::string here = std::filesystem::current_path().string();
  struct Case {
    std::vector<std::string> arguments;
    bool valid;
    kestrix::THostCommand command;
    std::vector<std::string> folders;
    std::string library;
  };
  using kestrix::THostCommand;
  const Case cases[] = {
      {{"--menu", "/a", "/b"}, true, THostCommand::Menu, {"/a", "/b"}, ""},
      {{"--library", "/x/lib.so", "--invoke", "rel"}, true, THostCommand::Invoke, {here + "/rel"}, "/x/lib.so"},
      {{"--invoke", "--", "-dash", "--menu"}, true, THostCommand::Invoke, {here + "/-dash", here + "/--menu"}, ""},
      {{"--invoke"}, true, THostCommand::Invoke, {}, ""},
      {{"--install"}, true, THostCommand::Install, {}, ""},
      {{}, false, {}, {}, ""},
      {{"/a"}, false, {}, {}, ""},
      {{"--menu", "--invoke"}, false, {}, {}, ""},
      {{"--register", "/a"}, false, {}, {}, ""},
      {{"--menu", "--library"}, false, {}, {}, ""},
      {{"--frobnicate"}, false, {}, {}, ""},
  };
  for (const Case& c : cases) {
    kestrix::THostOptions options;
    std::string error;
    const bool valid = kestrix::ParseHostOptions(c.arguments, options, error);
    ASSERT_EQ(valid, c.valid) << (c.arguments.empty() ? "(none)" : c.arguments.front()) << " " << error;
    if (!valid) {
      EXPECT_FALSE(error.empty());
      continue;
    }
    EXPECT_EQ(options.command, c.command);
    EXPECT_EQ(options.folders, c.folders);
    EXPECT_EQ(options.library, c.library);
  }
}

}  // namespace
