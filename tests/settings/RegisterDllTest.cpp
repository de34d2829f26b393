// The program's registration of the folder extension: the registry entries it writes, tests
// and removes, and the desktop's folder actions installed with them.

#include "search/settings/RegisterDll.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/registry/Registry.h"
#include "support/TempTree.h"

using namespace platform::registry;

namespace {

constexpr const char* kClassKey = "CLSID\\{6E1F0C3A-92B7-4D58-A1C4-3F7E2B9D8A65}";
constexpr const char* kHandlerKey = "Folder\\shellex\\ContextMenuHandlers\\Vantrel Software &Search...";
constexpr const char* kFindKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FindExtensions\\Static\\VantrelSearch";

class RegisterDllTest : public ::testing::Test {
 protected:
  TShellIntegrationPlaces Places(const std::string& programFolder = "/opt/vantrel search") {
    return {tree.Root() / "registry", programFolder, tree.Root() / "data"};
  }

  Registry Store() { return Registry(tree.Root() / "registry"); }

  // The value `name` of `key` under `root`; nullopt when the key or the value is missing.
  std::optional<std::string> Text(Root root, const std::string& key, const std::string& name = "") {
    Registry store = Store();
    RegKey opened;
    Value value;
    if (store.OpenKey(RegKey::Of(root), key, opened) != Status::Ok) return std::nullopt;
    if (store.QueryValue(opened, name, value) != Status::Ok || value.type != kRegSz) return std::nullopt;
    return value.data;
  }

  void Put(Root root, const std::string& key, const std::string& text) {
    Registry store = Store();
    RegKey opened;
    ASSERT_EQ(store.CreateKey(RegKey::Of(root), key, opened), Status::Ok);
    ASSERT_EQ(store.SetValue(opened, "", TextValue(text)), Status::Ok);
  }

  TempTree tree;
};

TEST_F(RegisterDllTest, RegistrationWritesEveryEntry) {
  TRegisterDll registration(Places());
  EXPECT_EQ(registration.ExtensionFilePath(), "/opt/vantrel search/libKestrix.so");
  EXPECT_FALSE(registration.IsExtensionRegistered());
  registration.RegisterExtension();
  EXPECT_TRUE(registration.IsExtensionRegistered());

  const std::string classId = "{6E1F0C3A-92B7-4D58-A1C4-3F7E2B9D8A65}";
  const std::string server = std::string(kClassKey) + "\\InProcServer32";
  const std::string find = kFindKey;
  struct Entry {
    Root root;
    std::string key;
    std::string name;
    std::string data;
  };
  const Entry entries[] = {
      {Root::ClassesRoot, kClassKey, "", "Search folder using Vantrel Software Search"},
      {Root::ClassesRoot, server, "", "/opt/vantrel search/libKestrix.so"},
      {Root::ClassesRoot, server, "ThreadingModel", "Apartment"},
      {Root::ClassesRoot, kHandlerKey, "", classId},
      {Root::LocalMachine, find, "", classId},
      {Root::LocalMachine, find + "\\0", "", "Vantrel Software &Search..."},
      {Root::LocalMachine, find + "\\0\\DefaultIcon", "", "/opt/vantrel search/libKestrix.so,0"},
  };
  for (const Entry& entry : entries) {
    EXPECT_EQ(Text(entry.root, entry.key, entry.name), entry.data) << entry.key << " " << entry.name;
  }
}

TEST_F(RegisterDllTest, RegisteredFromAnotherFolderCountsAsNotRegistered) {
  TRegisterDll(Places("/opt/old")).RegisterExtension();
  TRegisterDll moved(Places("/opt/new"));
  EXPECT_FALSE(moved.IsExtensionRegistered());
  // Linux file names are case-sensitive: another letter case is another folder.
  EXPECT_FALSE(TRegisterDll(Places("/opt/OLD")).IsExtensionRegistered());
  moved.RegisterExtension();
  EXPECT_TRUE(moved.IsExtensionRegistered());
}

TEST_F(RegisterDllTest, EachOfTheThreeTestedEntriesDecides) {
  TRegisterDll registration(Places());
  struct Change {
    const char* what;
    std::string key;
    std::string text;
    bool registered;
  };
  const Change changes[] = {
      {"description in other letter case", kClassKey, "SEARCH FOLDER USING VANTREL SOFTWARE SEARCH", true},
      {"class identifier in lower case", kHandlerKey, "{6e1f0c3a-92b7-4d58-a1c4-3f7e2b9d8a65}", true},
      {"other description", kClassKey, "Something else", false},
      {"other library", std::string(kClassKey) + "\\InProcServer32", "/elsewhere/libKestrix.so", false},
      {"other handler class", kHandlerKey, "{00000000-0000-0000-0000-000000000000}", false},
  };
  for (const Change& change : changes) {
    registration.RegisterExtension();
    Put(Root::ClassesRoot, change.key, change.text);
    EXPECT_EQ(registration.IsExtensionRegistered(), change.registered) << change.what;
  }
  registration.RegisterExtension();
  Registry store = Store();
  ASSERT_EQ(store.DeleteKey(RegKey::Of(Root::ClassesRoot), kHandlerKey), Status::Ok);
  EXPECT_FALSE(registration.IsExtensionRegistered()) << "handler key missing";
}

TEST_F(RegisterDllTest, TheFindEntryIsNotTested) {
  TRegisterDll registration(Places());
  registration.RegisterExtension();
  Registry store = Store();
  RegKey find;
  ASSERT_EQ(store.OpenKey(RegKey::Of(Root::LocalMachine), kFindKey, find), Status::Ok);
  store.DeleteKey(RegKey::Of(Root::LocalMachine), std::string(kFindKey) + "\\0\\DefaultIcon");
  store.DeleteKey(RegKey::Of(Root::LocalMachine), std::string(kFindKey) + "\\0");
  store.DeleteKey(RegKey::Of(Root::LocalMachine), kFindKey);
  EXPECT_TRUE(registration.IsExtensionRegistered());
}

TEST_F(RegisterDllTest, UnregistrationRemovesTheKeysWithTheirSubkeysAndNothingElse) {
  Put(Root::ClassesRoot, "CLSID\\{11111111-2222-3333-4444-555555555555}", "another class");
  Put(Root::ClassesRoot, "Folder\\shellex\\ContextMenuHandlers\\Other", "another handler");
  TRegisterDll registration(Places());
  registration.RegisterExtension();
  registration.UnregisterExtension();

  EXPECT_FALSE(registration.IsExtensionRegistered());
  Registry store = Store();
  RegKey key;
  for (const auto& [root, path] : {std::pair{Root::ClassesRoot, std::string(kClassKey)},
                                   std::pair{Root::ClassesRoot, std::string(kHandlerKey)},
                                   std::pair{Root::LocalMachine, std::string(kFindKey)}}) {
    EXPECT_EQ(store.OpenKey(RegKey::Of(root), path, key), Status::NotFound) << path;
  }
  EXPECT_EQ(Text(Root::ClassesRoot, "CLSID\\{11111111-2222-3333-4444-555555555555}"), "another class");
  EXPECT_EQ(Text(Root::ClassesRoot, "Folder\\shellex\\ContextMenuHandlers\\Other"), "another handler");

  registration.UnregisterExtension();  // nothing left to remove
  EXPECT_FALSE(registration.IsExtensionRegistered());
}

TEST_F(RegisterDllTest, RegistrationInstallsTheFolderActionsAndUnregistrationRemovesThem) {
  TRegisterDll registration(Places());
  registration.RegisterExtension();
  const auto files = registration.FolderActions().Files();
  ASSERT_EQ(files.size(), 3u);
  EXPECT_EQ(files[0], tree.Root() / "data/kio/servicemenus/vantrel-search.desktop");
  EXPECT_EQ(files[1], tree.Root() / "data/nautilus/scripts/Vantrel Software Search...");
  EXPECT_EQ(files[2], tree.Root() / "data/applications/vantrel-search-folder.desktop");
  for (const auto& file : files) {
    EXPECT_TRUE(std::filesystem::is_regular_file(file)) << file;
    EXPECT_NE(ReadFileText(file).find("/opt/vantrel search/kestrix-host"), std::string::npos) << file;
  }
  registration.UnregisterExtension();
  for (const auto& file : files) EXPECT_FALSE(std::filesystem::exists(file)) << file;
  EXPECT_TRUE(std::filesystem::is_directory(tree.Root() / "data/applications")) << "the folders stay";
}

TEST_F(RegisterDllTest, FolderActionsThatCannotBeWrittenAreReportedAfterTheRegistry) {
  tree.Write("data", "a file where the data folder should be");
  TRegisterDll registration(Places());
  EXPECT_THROW(registration.RegisterExtension(), std::runtime_error);
  EXPECT_TRUE(registration.IsExtensionRegistered());
}

}  // namespace
