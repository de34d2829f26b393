#include "search/settings/RegMgr.h"

#include <gtest/gtest.h>

#include <limits>

#include "search/settings/RegistryError.h"
#include "search/settings/VersionData.h"
#include "SettingsFixture.h"

using namespace platform::registry;

namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int v : values) bytes += static_cast<char>(v);
  return bytes;
}

class RegMgrTest : public SettingsFixture {
 protected:
  // A manager on the product's settings key, as the data module sets it up.
  std::unique_ptr<TRegistryManager> OpenManager() {
    auto manager = std::make_unique<TRegistryManager>(tree.Root());
    manager->SetVersionData(&versionData);
    manager->Loaded();
    return manager;
  }

  TVersionData versionData;
};

}  // namespace

TEST_F(RegMgrTest, FirstStartCreatesTheKeyAndLoadsDefaults) {
  TRegistryManager manager(tree.Root());
  int changes = 0;
  manager.OnChange = [&](TRegistryManager&) { ++changes; };
  manager.SetVersionData(&versionData);
  EXPECT_EQ(changes, 0);  // nothing opens before construction completes
  manager.Loaded();
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(manager.Company(), "Vantrel Software");
  EXPECT_EQ(manager.ApplicationName(), "Search");
  EXPECT_EQ(manager.Registry().CurrentPath(), "Software\\Vantrel Software\\Search");
  EXPECT_TRUE(ValueNames().empty());
  Registry registry(tree.Root());
  RegKey key;
  EXPECT_EQ(registry.OpenKey(RegKey::Of(Root::CurrentUser), kSettingsKey, key), Status::Ok);

  EXPECT_TRUE(manager.LoadBool("ShowHints", true));
  EXPECT_EQ(manager.LoadInteger("SplitterPosition", 300), 300);
  EXPECT_EQ(manager.LoadFloat("FilterMinCreatedDT", -657434.0), -657434.0);
  EXPECT_EQ(manager.LoadInt64("FilterMaxSize", std::numeric_limits<int64_t>::max()), std::numeric_limits<int64_t>::max());
  EXPECT_EQ(manager.LoadText("FontName", "Courier New"), "Courier New");
  EXPECT_EQ(manager.LoadRect("MainFormWindowRect", TRect{1, 2, 3, 4}), (TRect{1, 2, 3, 4}));
  std::vector<std::string> list = {"stale"};
  manager.LoadList("Path", list);
  EXPECT_TRUE(list.empty());
}

TEST_F(RegMgrTest, PropertyChangesReopenTheKeyOnlyWhenTheyDiffer) {
  auto manager = OpenManager();
  int changes = 0;
  manager->OnChange = [&](TRegistryManager&) { ++changes; };
  manager->SetCompany("Vantrel Software");
  EXPECT_EQ(changes, 0);
  manager->SetSubKey("Extra");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(manager->Registry().CurrentPath(), "Software\\Vantrel Software\\Search\\Extra");
  manager->SetRootKey(TRootKeyType::HKeyLocalMachine);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(manager->Registry().RootKey(), Root::LocalMachine);
  EXPECT_TRUE(std::filesystem::exists(tree.Root() / "HKEY_LOCAL_MACHINE.reg"));
}

TEST_F(RegMgrTest, RootKeyTypesMapToThePredefinedRoots) {
  const std::pair<TRootKeyType, Root> roots[] = {
      {TRootKeyType::HKeyClassesRoot, Root::ClassesRoot},   {TRootKeyType::HKeyCurrentUser, Root::CurrentUser},
      {TRootKeyType::HKeyLocalMachine, Root::LocalMachine}, {TRootKeyType::HKeyUsers, Root::Users},
      {TRootKeyType::HKeyCurrentConfig, Root::CurrentConfig}, {TRootKeyType::HkeyDynData, Root::DynData},
  };
  auto manager = OpenManager();
  manager->SetBaseKey("Base");
  for (const auto& [type, root] : roots) {
    Registry registry(tree.Root());
    RegKey base;
    ASSERT_EQ(registry.CreateKey(RegKey::Of(root), "Base", base), Status::Ok);
    manager->SetRootKey(type);
    EXPECT_EQ(manager->Registry().RootKey(), root);
    manager->SaveInteger("Here", static_cast<int32_t>(type));
    RegKey key;
    Value value;
    ASSERT_EQ(registry.OpenKey(RegKey::Of(root), "Base\\Vantrel Software\\Search", key), Status::Ok);
    ASSERT_EQ(registry.QueryValue(key, "Here", value), Status::Ok);
    EXPECT_EQ(value, DwordValue(static_cast<uint32_t>(type)));
  }
}

TEST_F(RegMgrTest, WithoutAnApplicationNameNoKeyOpensAndSavesFail) {
  TRegistryManager manager(tree.Root());
  int changes = 0;
  manager.OnChange = [&](TRegistryManager&) { ++changes; };
  manager.Loaded();
  EXPECT_EQ(changes, 1);  // raised although nothing opened
  EXPECT_FALSE(manager.Registry().HasCurrentKey());
  EXPECT_EQ(manager.LoadInteger("SplitterPosition", 300), 300);
  try {
    manager.SaveBool("ShowHints", true);
    FAIL() << "the save should fail";
  } catch (const ERegistryException& error) {
    EXPECT_STREQ(error.what(), "Failed to set data for 'ShowHints'");
  }
  EXPECT_THROW(manager.SaveList("Path", {"a"}), ERegistryException);
}

TEST_F(RegMgrTest, AMissingBaseKeyIsNeverCreated) {
  TRegistryManager manager(tree.Root());
  manager.SetBaseKey("Programs");
  manager.SetVersionData(&versionData);
  manager.Loaded();
  EXPECT_FALSE(manager.Registry().HasCurrentKey());
  Registry registry(tree.Root());
  RegKey key;
  EXPECT_EQ(registry.OpenKey(RegKey::Of(Root::CurrentUser), "Programs", key), Status::NotFound);
}

TEST_F(RegMgrTest, AnUnwritableSettingsFolderFailsTheSave) {
  tree.Write("blocker", "");
  TRegistryManager manager(tree.Root() / "blocker" / "registry");
  manager.SetVersionData(&versionData);
  manager.Loaded();
  EXPECT_THROW(manager.SaveText("Program", "/usr/bin/search"), ERegistryException);
}

TEST_F(RegMgrTest, TypedValuesRoundTripInTheirStorageForms) {
  auto manager = OpenManager();
  manager->SaveBool("On", true);
  manager->SaveBool("Off", false);
  manager->SaveInteger("Colour", static_cast<int32_t>(0xFF000008u));
  manager->SaveFloat("Date", 2958465.99999);
  manager->SaveInt64("Size", std::numeric_limits<int64_t>::max());
  manager->SaveInt64("Negative", -2);
  manager->SaveText("Name", "C:\\a \"b\"\nc");
  manager->SaveRect("Rect", TRect{-8, 20, 900, 640});

  EXPECT_EQ(Get("On"), DwordValue(1));
  EXPECT_EQ(Get("Off"), DwordValue(0));
  EXPECT_EQ(Get("Colour"), DwordValue(0xFF000008u));
  EXPECT_EQ(Get("Size"), BinaryValue(Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F})));
  EXPECT_EQ(Get("Negative"), BinaryValue(Bytes({0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})));
  EXPECT_EQ(Get("Rect"), TextValue("-8,20,900,640"));
  EXPECT_EQ(Get("Date")->type, kRegBinary);
  EXPECT_EQ(Get("Date")->data.size(), 8u);

  auto fresh = OpenManager();
  EXPECT_TRUE(fresh->LoadBool("On", false));
  EXPECT_FALSE(fresh->LoadBool("Off", true));
  EXPECT_EQ(fresh->LoadInteger("Colour", 0), -16777208);
  EXPECT_EQ(fresh->LoadFloat("Date", 0), 2958465.99999);
  EXPECT_EQ(fresh->LoadInt64("Size", 0), std::numeric_limits<int64_t>::max());
  EXPECT_EQ(fresh->LoadInt64("Negative", 0), -2);
  EXPECT_EQ(fresh->LoadText("Name", ""), "C:\\a \"b\"\nc");
  EXPECT_EQ(fresh->LoadRect("Rect", TRect{}), (TRect{-8, 20, 900, 640}));
}

TEST_F(RegMgrTest, ValuesOfAnotherTypeOrSizeGiveTheDefault) {
  Put("TextOne", TextValue("1"));
  Put("Dword", DwordValue(5));
  Put("ShortDword", Value{kRegDword, "\x01\x02"});
  Put("FourByteFloat", BinaryValue("\x00\x00\x80\x3f"));
  Put("NineBytes", BinaryValue(std::string(9, '\x01')));
  Put("EightCharText", TextValue("12345678"));
  Put("EightUnknown", Value{11, Bytes({7, 0, 0, 0, 0, 0, 0, 0})});
  Put("Expand", TextValue("%HOME%/x", kRegExpandSz));
  Put("WithNul", TextValue(std::string("abc\0def", 7)));
  auto manager = OpenManager();

  EXPECT_FALSE(manager->LoadBool("TextOne", false));
  EXPECT_EQ(manager->LoadInteger("TextOne", 9), 9);
  EXPECT_EQ(manager->LoadInteger("ShortDword", 9), 9);
  EXPECT_TRUE(manager->LoadBool("Dword", false));
  EXPECT_EQ(manager->LoadFloat("FourByteFloat", 2.5), 2.5);
  EXPECT_EQ(manager->LoadFloat("NineBytes", 2.5), 2.5);
  EXPECT_EQ(manager->LoadFloat("EightUnknown", 2.5), 2.5);
  EXPECT_EQ(manager->LoadInt64("EightCharText", 3), 3);
  EXPECT_EQ(manager->LoadInt64("Dword", 3), 3);
  EXPECT_EQ(manager->LoadInt64("EightUnknown", 3), 7);
  EXPECT_EQ(manager->LoadText("Dword", "default"), "default");
  EXPECT_EQ(manager->LoadText("Expand", ""), "%HOME%/x");
  EXPECT_EQ(manager->LoadText("WithNul", ""), "abc");
  EXPECT_EQ(manager->LoadRect("Dword", TRect{1, 1, 1, 1}), (TRect{1, 1, 1, 1}));
}

TEST_F(RegMgrTest, RectanglesNeedFourNumbers) {
  const TRect fallback{1, 2, 3, 4};
  const std::pair<const char*, TRect> cases[] = {
      {"10,20,30", fallback},       {"10,x,30,40", fallback},          {"10,20,30,40,50", {10, 20, 30, 40}},
      {"-5,0,-1,7", {-5, 0, -1, 7}}, {"", fallback},                    {",1,2,3", fallback},
      {"1,2,3,4,", {1, 2, 3, 4}},   {"1, 2,3,4", fallback},            {"1,2,3,99999999999", fallback},
  };
  for (const auto& [text, expected] : cases) Put(std::string("Rect ") + text, TextValue(text));
  auto manager = OpenManager();
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(manager->LoadRect(std::string("Rect ") + text, fallback), expected) << text;
  }
}

TEST_F(RegMgrTest, ListsSkipMissingAndUnusableItems) {
  Put("Path", DwordValue(3));
  Put("Path1", TextValue("first"));
  Put("Path3", TextValue("third"));
  Put("Path4", TextValue("beyond the count"));
  Put("Files", DwordValue(3));
  Put("Files1", TextValue("*.txt"));
  Put("Files2", DwordValue(7));
  Put("Files3", TextValue("*.cpp"));
  Put("StringA", TextValue("2"));
  Put("StringA1", TextValue("x"));
  Put("StringB", DwordValue(0x7FFFFFFF));  // a damaged count
  Put("StringB1", TextValue("only"));
  Put("StringB01", TextValue("not an item name"));
  Put("ExcludeFiles", DwordValue(0xFFFFFFFF));
  Put("ExcludeFiles1", TextValue("x"));
  auto manager = OpenManager();
  std::vector<std::string> list;
  manager->LoadList("path", list);
  EXPECT_EQ(list, (std::vector<std::string>{"first", "third"}));
  manager->LoadList("Files", list);
  EXPECT_EQ(list, (std::vector<std::string>{"*.txt", "*.cpp"}));
  manager->LoadList("StringA", list);
  EXPECT_TRUE(list.empty());
  manager->LoadList("StringB", list);
  EXPECT_EQ(list, std::vector<std::string>{"only"});
  manager->LoadList("ExcludeFiles", list);
  EXPECT_TRUE(list.empty());
}

TEST_F(RegMgrTest, SavingAShorterListDeletesTheOldItems) {
  auto manager = OpenManager();
  manager->SaveList("Path", {"a", "b", "c", "d", "e"});
  EXPECT_EQ(Get("Path"), DwordValue(5));
  EXPECT_EQ(Get("Path5"), TextValue("e"));
  manager->SaveList("Path", {"x", "y"});
  EXPECT_EQ(Get("Path"), DwordValue(2));
  EXPECT_EQ(Get("Path1"), TextValue("x"));
  EXPECT_EQ(Get("Path2"), TextValue("y"));
  for (const char* gone : {"Path3", "Path4", "Path5"}) EXPECT_FALSE(Get(gone).has_value()) << gone;
  manager->SaveList("Path", {});
  EXPECT_EQ(ValueNames(), std::vector<std::string>{"Path"});
  EXPECT_EQ(Get("Path"), DwordValue(0));
}

TEST_F(RegMgrTest, SavingOverACountOfAnotherTypeOverwritesIt) {
  Put("Files", TextValue("three"));
  auto manager = OpenManager();
  manager->SaveList("Files", {"*.*"});
  EXPECT_EQ(Get("Files"), DwordValue(1));
  EXPECT_EQ(Get("Files1"), TextValue("*.*"));
}

TEST(NtRegistry, AbsoluteAndRelativeKeyTexts) {
  TempTree tree;
  TNTRegistry registry(tree.Root());
  EXPECT_FALSE(registry.OpenKeyLimited("Software\\Missing", false));
  EXPECT_FALSE(registry.HasCurrentKey());
  ASSERT_TRUE(registry.OpenKeyLimited("Software", false));
  EXPECT_EQ(registry.CurrentPath(), "Software");
  ASSERT_TRUE(registry.OpenKeyLimited("Vantrel Software", true));
  EXPECT_EQ(registry.CurrentPath(), "Software\\Vantrel Software");
  ASSERT_TRUE(registry.OpenKeyLimited("\\Software\\Other", true));
  EXPECT_EQ(registry.CurrentPath(), "Software\\Other");
  registry.PutInteger("Where", 1);
  EXPECT_FALSE(registry.OpenKeyLimited("Nowhere", false));
  EXPECT_EQ(registry.CurrentPath(), "Software\\Other");  // a failed open changes nothing
  EXPECT_TRUE(registry.ValueExists("where"));

  Registry check(tree.Root());
  RegKey key;
  EXPECT_EQ(check.OpenKey(RegKey::Of(Root::CurrentUser), "Software\\Vantrel Software\\Software", key), Status::NotFound);
  EXPECT_EQ(check.OpenKey(RegKey::Of(Root::CurrentUser), "Software\\Other", key), Status::Ok);
}

TEST(NtRegistry, DeletesAKeyWithAllItsSubkeys) {
  TempTree tree;
  TNTRegistry registry(tree.Root());
  ASSERT_TRUE(registry.OpenKeyLimited("\\Software\\Top\\A\\A1", true));
  ASSERT_TRUE(registry.OpenKeyLimited("\\Software\\Top\\A\\A2", true));
  ASSERT_TRUE(registry.OpenKeyLimited("\\Software\\Top\\B", true));
  registry.PutText("x", "y");
  ASSERT_TRUE(registry.OpenKeyLimited("\\Software", false));
  EXPECT_TRUE(registry.DeleteKey("Top"));
  EXPECT_FALSE(registry.OpenKeyLimited("Top", false));
  EXPECT_FALSE(registry.DeleteKey("Top"));
  EXPECT_TRUE(registry.OpenKeyLimited("\\Software", false));
  ASSERT_TRUE(registry.OpenKeyLimited("\\Software\\Keep", true));
  EXPECT_TRUE(registry.DeleteValue("missing") == false);
}
