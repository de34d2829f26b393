#include "platform/registry/Registry.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <sstream>

#include "support/OpenCounter.h"
#include "support/TempTree.h"

using namespace platform::registry;

namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

std::string AllBytes(size_t length) {
  std::string bytes(length, '\0');
  for (size_t i = 0; i < length; ++i) bytes[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
  return bytes;
}

class RegistryTest : public ::testing::Test {
 protected:
  std::filesystem::path HivePath() const { return tree.Root() / "HKEY_CURRENT_USER.reg"; }
  RegKey OpenTestKey(Registry& registry) {
    RegKey key;
    EXPECT_EQ(registry.OpenKey(RegKey::Of(Root::CurrentUser), "Software\\Test", key), Status::Ok);
    return key;
  }
  RegKey Create(Registry& registry, std::string_view path) {
    RegKey key;
    EXPECT_EQ(registry.CreateKey(RegKey::Of(Root::CurrentUser), path, key), Status::Ok);
    return key;
  }

  TempTree tree;
};

}  // namespace

TEST_F(RegistryTest, SoftwareExistsOnAnEmptyRegistry) {
  Registry registry(tree.Root());
  RegKey key;
  EXPECT_EQ(registry.OpenKey(RegKey::Of(Root::CurrentUser), "Software", key), Status::Ok);
  EXPECT_EQ(registry.OpenKey(RegKey::Of(Root::LocalMachine), "software", key), Status::Ok);
  EXPECT_EQ(registry.OpenKey(RegKey::Of(Root::CurrentUser), "Software\\Vantrel Software", key), Status::NotFound);
  EXPECT_FALSE(std::filesystem::exists(HivePath()));  // reading never creates files
}

TEST_F(RegistryTest, KeyNamesIgnoreCaseButKeepTheirSpelling) {
  Registry registry(tree.Root());
  bool created = false;
  RegKey key;
  ASSERT_EQ(registry.CreateKey(RegKey::Of(Root::CurrentUser), "Software\\Vantrel Software\\Search", key, &created),
            Status::Ok);
  EXPECT_TRUE(created);
  ASSERT_EQ(registry.CreateKey(RegKey::Of(Root::CurrentUser), "SOFTWARE\\vantrel software\\SEARCH", key, &created),
            Status::Ok);
  EXPECT_FALSE(created);
  EXPECT_EQ(key.PathText(), "Software\\Vantrel Software\\Search");

  RegKey software;
  ASSERT_EQ(registry.OpenKey(RegKey::Of(Root::CurrentUser), "software", software), Status::Ok);
  std::vector<std::string> names;
  ASSERT_EQ(registry.EnumKeys(software, names), Status::Ok);
  EXPECT_EQ(names, std::vector<std::string>{"Vantrel Software"});
  EXPECT_NE(ReadFile(HivePath()).find("[HKEY_CURRENT_USER\\Software\\Vantrel Software\\Search]"), std::string::npos);
}

TEST_F(RegistryTest, ValueNamesIgnoreCaseButKeepTheirSpelling) {
  Registry registry(tree.Root());
  const RegKey key = Create(registry, "Software\\Test");
  ASSERT_EQ(registry.SetValue(key, "ShowHints", DwordValue(1)), Status::Ok);
  ASSERT_EQ(registry.SetValue(key, "SHOWHINTS", DwordValue(0)), Status::Ok);
  Value value;
  ASSERT_EQ(registry.QueryValue(key, "showhints", value), Status::Ok);
  EXPECT_EQ(value, DwordValue(0));
  ASSERT_EQ(registry.SetValue(key, "Other", DwordValue(0)), Status::Ok);
  KeyInfo info;
  ASSERT_EQ(registry.QueryInfo(key, info), Status::Ok);
  EXPECT_EQ(info.valueCount, 2u);
  std::vector<std::string> names;
  ASSERT_EQ(registry.EnumValues(key, names), Status::Ok);
  EXPECT_EQ(names, (std::vector<std::string>{"ShowHints", "Other"}));
  EXPECT_NE(ReadFile(HivePath()).find("\"ShowHints\"=dword:00000000"), std::string::npos);
}

TEST_F(RegistryTest, DefaultValueIsTheEmptyName) {
  Registry registry(tree.Root());
  const RegKey key = Create(registry, "Software\\Test");
  ASSERT_EQ(registry.SetValue(key, "", TextValue("unnamed")), Status::Ok);
  EXPECT_NE(ReadFile(HivePath()).find("@=\"unnamed\""), std::string::npos);
  Registry fresh(tree.Root());
  Value value;
  ASSERT_EQ(fresh.QueryValue(key, "", value), Status::Ok);
  EXPECT_EQ(value, TextValue("unnamed"));
}

TEST_F(RegistryTest, EveryValueRoundTripsExactlyThroughTheFile) {
  const std::vector<std::pair<std::string, Value>> cases = {
      {"Empty", TextValue("")},
      {"Quotes", TextValue("say \"hi\" and \"\"")},
      {"Backslashes", TextValue("C:\\temp\\\\share\\")},
      {"LineBreaks", TextValue("one\ntwo\r\nthree\r")},
      {"HighBytes", TextValue("caf\xc3\xa9 \xe9\xff\x80 \xa9")},
      {"EmbeddedNul", TextValue(std::string("a\0b", 3))},
      {"Tab", TextValue("a\tb")},
      {"Expand", TextValue("%HOME%\\x", kRegExpandSz)},
      {"DwordZero", DwordValue(0)},
      {"DwordMax", DwordValue(0xFFFFFFFFu)},
      {"DwordSystemColour", DwordValue(0xFF000008u)},
      {"BinaryEmpty", BinaryValue("")},
      {"BinaryOne", BinaryValue(AllBytes(1))},
      {"BinaryEight", BinaryValue(AllBytes(8))},
      {"BinaryOneLine", BinaryValue(AllBytes(25))},
      {"BinaryTwoLines", BinaryValue(AllBytes(26))},
      {"BinaryLarge", BinaryValue(AllBytes(100000))},
      {"UnknownType", Value{11, AllBytes(8)}},
      {"name with \"quotes\" and \\ and \xe9", TextValue("v")},
  };
  {
    Registry registry(tree.Root());
    const RegKey key = Create(registry, "Software\\Test");
    for (const auto& [name, value] : cases) ASSERT_EQ(registry.SetValue(key, name, value), Status::Ok) << name;
  }
  Registry fresh(tree.Root());
  const RegKey key = OpenTestKey(fresh);
  for (const auto& [name, value] : cases) {
    Value read;
    ASSERT_EQ(fresh.QueryValue(key, name, read), Status::Ok) << name;
    EXPECT_EQ(read.type, value.type) << name;
    EXPECT_EQ(read.data, value.data) << name;
  }
}

TEST_F(RegistryTest, NamesTheFileCannotHoldAreRefused) {
  Registry registry(tree.Root());
  const RegKey key = Create(registry, "Software\\Test");
  EXPECT_EQ(registry.SetValue(key, "line\nbreak", DwordValue(1)), Status::InvalidName);
  RegKey ignored;
  EXPECT_EQ(registry.CreateKey(key, "bad\rkey", ignored), Status::InvalidName);
  std::string deep;
  for (size_t i = 0; i < kMaxKeyDepth; ++i) deep += "k\\";
  EXPECT_EQ(registry.CreateKey(RegKey::Of(Root::CurrentUser), deep, ignored), Status::Ok);
  EXPECT_EQ(registry.CreateKey(RegKey::Of(Root::CurrentUser), deep + "one-more", ignored), Status::InvalidName);
}

TEST_F(RegistryTest, KeyPathsHaveABoundedLength) {
  Registry registry(tree.Root());
  const std::string name(255, 'n');
  std::string longest = "Software";
  while (longest.size() + 1 + name.size() <= kMaxKeyPathLength) longest += "\\" + name;
  RegKey key;
  EXPECT_EQ(registry.CreateKey(RegKey::Of(Root::CurrentUser), longest, key), Status::Ok);
  EXPECT_EQ(registry.CreateKey(key, name, key), Status::InvalidName);
  EXPECT_EQ(Registry(tree.Root()).OpenKey(RegKey::Of(Root::CurrentUser), longest, key), Status::Ok);
}

TEST_F(RegistryTest, ReadsTheFileAgainOnlyWhenItChanged) {
  {
    Registry writer(tree.Root());
    ASSERT_EQ(writer.SetValue(Create(writer, "Software\\Test"), "A", DwordValue(1)), Status::Ok);
  }
  OpenCounter opens(HivePath());
  Registry reader(tree.Root());
  const RegKey key = OpenTestKey(reader);
  Value value;
  for (int i = 0; i < 100; ++i) ASSERT_EQ(reader.QueryValue(key, "A", value), Status::Ok);
  EXPECT_EQ(opens.Count(), 1);
  for (int i = 0; i < 20; ++i) ASSERT_EQ(reader.SetValue(key, "Own" + std::to_string(i), DwordValue(1)), Status::Ok);
  EXPECT_EQ(opens.Count(), 1);  // its own writes need no new reading

  // Another program's write is seen at the next read.
  ASSERT_EQ(Registry(tree.Root()).SetValue(key, "A", DwordValue(2)), Status::Ok);
  const int afterOtherWriter = opens.Count();
  ASSERT_EQ(reader.QueryValue(key, "A", value), Status::Ok);
  EXPECT_EQ(value, DwordValue(2));
  EXPECT_EQ(opens.Count(), afterOtherWriter + 1);
  ASSERT_EQ(reader.QueryValue(key, "Own19", value), Status::Ok);

  // So is an edit made in place, without replacing the file.
  { std::ofstream(HivePath(), std::ios::app) << "[HKEY_CURRENT_USER\\Software\\Test]\n\"B\"=dword:00000003\n"; }
  ASSERT_EQ(reader.QueryValue(key, "B", value), Status::Ok);
  EXPECT_EQ(value, DwordValue(3));
  // And a file removed gives defaults.
  std::filesystem::remove(HivePath());
  EXPECT_EQ(reader.QueryValue(key, "B", value), Status::NotFound);
}

TEST_F(RegistryTest, ManyValuesInOneKeyKeepTheirOrderAndNames) {
  constexpr int kCount = 20000;
  std::string text = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Test]\n";
  for (int i = 0; i < kCount; ++i) text += "\"Value" + std::to_string(i) + "\"=dword:" + std::to_string(i % 10) + "\n";
  text += "\"value5\"=dword:00000009\n";  // the same name in other letters replaces in place
  tree.Write("HKEY_CURRENT_USER.reg", text);

  Registry registry(tree.Root());
  const RegKey key = OpenTestKey(registry);
  std::vector<std::string> names;
  ASSERT_EQ(registry.EnumValues(key, names), Status::Ok);
  ASSERT_EQ(names.size(), static_cast<size_t>(kCount));
  EXPECT_EQ(names[5], "Value5");
  EXPECT_EQ(names.back(), "Value" + std::to_string(kCount - 1));
  Value value;
  ASSERT_EQ(registry.QueryValue(key, "VALUE5", value), Status::Ok);
  EXPECT_EQ(value, DwordValue(9));

  ASSERT_EQ(registry.DeleteValue(key, "value100"), Status::Ok);
  ASSERT_EQ(registry.SetValue(key, "Value101", DwordValue(7)), Status::Ok);
  ASSERT_EQ(registry.SetValue(key, "Last", DwordValue(8)), Status::Ok);
  Registry fresh(tree.Root());
  ASSERT_EQ(fresh.EnumValues(key, names), Status::Ok);
  ASSERT_EQ(names.size(), static_cast<size_t>(kCount));
  EXPECT_EQ(names[99], "Value99");
  EXPECT_EQ(names[100], "Value101");
  EXPECT_EQ(names.back(), "Last");
  EXPECT_EQ(fresh.QueryValue(key, "Value100", value), Status::NotFound);
  ASSERT_EQ(fresh.QueryValue(key, "value101", value), Status::Ok);
  EXPECT_EQ(value, DwordValue(7));
  ASSERT_EQ(fresh.QueryValue(key, "Value19999", value), Status::Ok);
  EXPECT_EQ(value, DwordValue(9));
}

TEST_F(RegistryTest, DeletingValuesAndKeys) {
  Registry registry(tree.Root());
  const RegKey key = Create(registry, "Software\\Test\\Inner");
  ASSERT_EQ(registry.SetValue(key, "A", DwordValue(1)), Status::Ok);
  EXPECT_EQ(registry.DeleteValue(key, "a"), Status::Ok);
  EXPECT_EQ(registry.DeleteValue(key, "a"), Status::NotFound);
  Value value;
  EXPECT_EQ(registry.QueryValue(key, "A", value), Status::NotFound);

  RegKey software;
  ASSERT_EQ(registry.OpenKey(RegKey::Of(Root::CurrentUser), "Software", software), Status::Ok);
  EXPECT_EQ(registry.DeleteKey(software, "Test"), Status::HasSubkeys);
  EXPECT_EQ(registry.DeleteKey(software, "test\\inner"), Status::Ok);
  EXPECT_EQ(registry.DeleteKey(software, "Test"), Status::Ok);
  EXPECT_EQ(registry.DeleteKey(software, "Test"), Status::NotFound);
  EXPECT_EQ(registry.DeleteKey(RegKey::Of(Root::CurrentUser), "Software"), Status::HasSubkeys);
  EXPECT_EQ(registry.OpenKey(RegKey::Of(Root::CurrentUser), "Software\\Test", software), Status::NotFound);
}

TEST_F(RegistryTest, RootsHaveTheirOwnFiles) {
  Registry registry(tree.Root());
  RegKey key;
  ASSERT_EQ(registry.CreateKey(RegKey::Of(Root::ClassesRoot), "Directory\\shell", key), Status::Ok);
  EXPECT_TRUE(std::filesystem::exists(tree.Root() / "HKEY_CLASSES_ROOT.reg"));
  EXPECT_FALSE(std::filesystem::exists(HivePath()));
  EXPECT_EQ(registry.OpenKey(RegKey::Of(Root::CurrentUser), "Directory", key), Status::NotFound);
}

TEST_F(RegistryTest, LinesOfANewerVersionAreKept) {
  tree.Write("HKEY_CURRENT_USER.reg",
             "REGEDIT4\n\n"
             "; written by a later release\n"
             "[HKEY_CURRENT_USER\\Software\\Test]\n"
             "\"Old\"=dword:00000005\n"
             "\"Future\"=qword:0000000000000001\n"
             "\"Replaced\"=float:1.5\n"
             "future-directive on\n");
  Registry registry(tree.Root());
  const RegKey key = OpenTestKey(registry);
  Value value;
  EXPECT_EQ(registry.QueryValue(key, "Future", value), Status::NotFound);
  ASSERT_EQ(registry.SetValue(key, "New", DwordValue(7)), Status::Ok);
  ASSERT_EQ(registry.SetValue(key, "Replaced", DwordValue(2)), Status::Ok);
  const std::string text = ReadFile(HivePath());
  EXPECT_NE(text.find("; written by a later release\n"), std::string::npos);
  EXPECT_NE(text.find("\"Future\"=qword:0000000000000001\n"), std::string::npos);
  EXPECT_NE(text.find("future-directive on\n"), std::string::npos);
  EXPECT_EQ(text.find("float:1.5"), std::string::npos);  // the program's own value replaced it
  EXPECT_NE(text.find("\"Old\"=dword:00000005\n"), std::string::npos);
  EXPECT_NE(text.find("\"New\"=dword:00000007\n"), std::string::npos);
}

TEST_F(RegistryTest, LinesKeptUnreadKeepTheirCarriageReturns) {
  const std::string kept = "\"Future\"=qword:1\r\r\r\nfuture-directive\r\n";
  tree.Write("HKEY_CURRENT_USER.reg", "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Test]\n" + kept);
  for (uint32_t round = 0; round < 3; ++round) {
    Registry registry(tree.Root());
    ASSERT_EQ(registry.SetValue(OpenTestKey(registry), "Round", DwordValue(round)), Status::Ok);
    EXPECT_NE(ReadFile(HivePath()).find(kept), std::string::npos) << round;
  }
}

TEST_F(RegistryTest, HexValuesMayContinueOverLines) {
  tree.Write("HKEY_CURRENT_USER.reg",
             "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Test]\r\n\"Bin\"=hex:01,02,\\\r\n  03,04\r\n"
             "\"Exp\"=hex(2):41,42\r\n");
  Registry registry(tree.Root());
  const RegKey key = OpenTestKey(registry);
  Value value;
  ASSERT_EQ(registry.QueryValue(key, "Bin", value), Status::Ok);
  EXPECT_EQ(value, BinaryValue("\x01\x02\x03\x04"));
  ASSERT_EQ(registry.QueryValue(key, "Exp", value), Status::Ok);
  EXPECT_EQ(value, TextValue("AB", kRegExpandSz));
}

TEST_F(RegistryTest, BatchWritesOnceAtTheEnd) {
  Registry registry(tree.Root());
  const RegKey key = Create(registry, "Software\\Test");
  {
    RegistryBatch batch(registry, Root::CurrentUser);
    ASSERT_EQ(registry.SetValue(key, "A", DwordValue(1)), Status::Ok);
    ASSERT_EQ(registry.SetValue(key, "B", DwordValue(2)), Status::Ok);
    Value value;
    EXPECT_EQ(registry.QueryValue(key, "A", value), Status::Ok);  // the batch sees its own changes
    EXPECT_EQ(ReadFile(HivePath()).find("\"A\""), std::string::npos);
    EXPECT_EQ(batch.End(), Status::Ok);
  }
  const std::string text = ReadFile(HivePath());
  EXPECT_NE(text.find("\"A\"=dword:00000001"), std::string::npos);
  EXPECT_NE(text.find("\"B\"=dword:00000002"), std::string::npos);
}

TEST_F(RegistryTest, AHiveFileThatIsALinkStaysALink) {
  const auto elsewhere = tree.MakeFolder("dotfiles");
  tree.Write("dotfiles/HKEY_CURRENT_USER.reg", "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Test]\n");
  std::filesystem::create_symlink("dotfiles/HKEY_CURRENT_USER.reg", HivePath());
  Registry registry(tree.Root());
  ASSERT_EQ(registry.SetValue(OpenTestKey(registry), "A", DwordValue(1)), Status::Ok);
  EXPECT_TRUE(std::filesystem::is_symlink(HivePath()));
  EXPECT_NE(ReadFile(elsewhere / "HKEY_CURRENT_USER.reg").find("\"A\"=dword:00000001"), std::string::npos);
}

TEST_F(RegistryTest, AFolderThatCannotBeMadeFailsTheWrite) {
  tree.Write("blocker", "a file where the folder should be");
  Registry registry(tree.Root() / "blocker" / "registry");
  RegKey key;
  EXPECT_EQ(registry.CreateKey(RegKey::Of(Root::CurrentUser), "Software\\Test", key), Status::IoFailed);
  RegKey software;
  ASSERT_EQ(registry.OpenKey(RegKey::Of(Root::CurrentUser), "Software", software), Status::Ok);
  EXPECT_EQ(registry.SetValue(software, "A", DwordValue(1)), Status::IoFailed);
}

namespace {

// Sets or clears an environment variable for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) saved_ = old;
    if (value != nullptr) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (saved_) {
      ::setenv(name_, saved_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> saved_;
};

}  // namespace

TEST(RegistryFolder, FollowsTheEnvironment) {
  ScopedEnv home("HOME", "/home/someone");
  {
    ScopedEnv own("VANTREL_REGISTRY_DIR", "/tmp/own-registry");
    ScopedEnv xdg("XDG_CONFIG_HOME", "/tmp/xdg");
    EXPECT_EQ(Registry::DefaultFolder(), "/tmp/own-registry");
  }
  ScopedEnv own("VANTREL_REGISTRY_DIR", nullptr);
  {
    ScopedEnv xdg("XDG_CONFIG_HOME", "/tmp/xdg");
    EXPECT_EQ(Registry::DefaultFolder(), "/tmp/xdg/vantrel-search");
  }
  ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
  EXPECT_EQ(Registry::DefaultFolder(), "/home/someone/.config/vantrel-search");
}
