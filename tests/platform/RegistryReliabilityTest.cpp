// Damaged files, kills in the middle of a write and several processes writing at once.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <sstream>

#include "platform/registry/HiveText.h"
#include "platform/registry/Registry.h"
#include "support/TempTree.h"

using namespace platform::registry;

namespace {

std::vector<std::filesystem::path> FilesStartingWith(const std::filesystem::path& folder, const std::string& prefix) {
  std::vector<std::filesystem::path> found;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().filename().string().starts_with(prefix)) found.push_back(entry.path());
  }
  return found;
}

RegKey TestKey(Registry& registry) {
  RegKey key;
  EXPECT_EQ(registry.CreateKey(RegKey::Of(Root::CurrentUser), "Software\\Test", key), Status::Ok);
  return key;
}

// Runs `work` in a child process; the child's exit code is 0 when `work` returned true.
pid_t RunChild(const std::function<bool()>& work) {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(work() ? 0 : 1);
  return pid;
}

int WaitFor(pid_t pid) {
  int status = 0;
  ::waitpid(pid, &status, 0);
  return status;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Reading a hive file that `makeHive` put in place gives defaults with one line on standard
// error, and the file is moved aside; the settings then go on in a new file.
void ExpectMovedAsideAndDefaults(const std::function<void(const std::filesystem::path&)>& makeHive,
                                 const std::optional<std::string>& content = std::nullopt) {
  TempTree tree;
  makeHive(tree.Root() / "HKEY_CURRENT_USER.reg");
  Registry registry(tree.Root());

  ::testing::internal::CaptureStderr();
  RegKey key;
  const Status status = registry.OpenKey(RegKey::Of(Root::CurrentUser), "Software\\Test", key);
  const std::string message = ::testing::internal::GetCapturedStderr();

  EXPECT_EQ(status, Status::NotFound);
  EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
  EXPECT_NE(message.find("damaged"), std::string::npos);
  const auto aside = FilesStartingWith(tree.Root(), "HKEY_CURRENT_USER.reg.damaged-");
  ASSERT_EQ(aside.size(), 1u);
  if (content) {
    EXPECT_EQ(ReadFile(aside[0]), *content);  // kept as it was
  }

  // The settings go on in a new file.

  const RegKey created = TestKey(registry);
  EXPECT_EQ(registry.SetValue(created, "A", DwordValue(1)), Status::Ok);
  Value value;
  EXPECT_EQ(Registry(tree.Root()).QueryValue(created, "A", value), Status::Ok);
}

void ExpectMovedAsideAndDefaults(const std::string& damaged) {
  ExpectMovedAsideAndDefaults([&](const std::filesystem::path& hive) { std::ofstream(hive, std::ios::binary) << damaged; },
                              damaged);
}

// Runs `work` in a child process that is killed after a while, so that a read that blocks
// fails the test instead of hanging it; true when `work` ran to its end without a failure.
bool RunsToTheEnd(const std::function<void()>& work) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::alarm(20);
    work();
    ::_exit(::testing::Test::HasFailure() ? 1 : 0);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

class DamagedHive : public ::testing::TestWithParam<std::string> {};

TEST_P(DamagedHive, GivesDefaultsAndIsMovedAsideWithOneLine) { ExpectMovedAsideAndDefaults(GetParam()); }

TEST(RegistryReliability, KeysNestedTooDeeplyAreDamage) {
  std::string deep = "REGEDIT4\n\n[HKEY_CURRENT_USER";
  for (int i = 0; i < 100000; ++i) deep += "\\k";
  ExpectMovedAsideAndDefaults(deep + "]\n");
}

TEST(RegistryReliability, AKeyPathThatWouldExpandWithoutBoundIsDamage) {
  // Every key's section line spells its whole path: 512 levels of 255-byte names in 131 KB
  // would be written back as 33 MB, and grow again at every start.
  std::string deep = "REGEDIT4\n\n[HKEY_CURRENT_USER";
  for (size_t i = 0; i < kMaxKeyDepth; ++i) deep += "\\" + std::string(255, static_cast<char>('a' + i % 26));
  ExpectMovedAsideAndDefaults(deep + "]\n\"A\"=dword:00000001\n");
}

TEST(RegistryReliability, ManyKeysThatWouldWriteMoreThanAHiveFileMayHoldAreDamage) {
  std::string text = "REGEDIT4\n\n";
  const std::string name(250, 'n');
  for (int chain = 0; chain < 60; ++chain) {
    text += "[HKEY_CURRENT_USER\\" + std::to_string(chain);
    for (int level = 0; level < 120; ++level) text += "\\" + name;
    text += "]\n";
  }
  ExpectMovedAsideAndDefaults(text);
}

TEST(RegistryReliability, FilesThatAreNotRegularFilesAreDamageAndNeverBlock) {
  const std::vector<std::pair<std::string, std::function<void(const std::filesystem::path&)>>> cases = {
      {"a pipe", [](const std::filesystem::path& hive) { ASSERT_EQ(::mkfifo(hive.c_str(), 0600), 0); }},
      {"a link to an endless device", [](const std::filesystem::path& hive) { std::filesystem::create_symlink("/dev/zero", hive); }},
      {"a link to a random device", [](const std::filesystem::path& hive) { std::filesystem::create_symlink("/dev/urandom", hive); }},
      {"a folder", [](const std::filesystem::path& hive) { std::filesystem::create_directory(hive); }},
      {"a file larger than a hive may be", [](const std::filesystem::path& hive) {
         std::filesystem::path sparse = hive;
         { std::ofstream(sparse) << "REGEDIT4\n"; }
         std::filesystem::resize_file(sparse, kMaxHiveTextSize + 1);
       }},
  };
  for (const auto& [what, makeHive] : cases) {
    EXPECT_TRUE(RunsToTheEnd([&] { ExpectMovedAsideAndDefaults(makeHive); })) << what;
  }
}

TEST(RegistryReliability, AFileThatCannotBeReadJustNowIsNeitherDamageNorWrittenOver) {
  TempTree tree;
  const std::filesystem::path hive = tree.Root() / "HKEY_CURRENT_USER.reg";
  {
    Registry registry(tree.Root());
    ASSERT_EQ(registry.SetValue(TestKey(registry), "A", DwordValue(42)), Status::Ok);
  }
  const std::string before = ReadFile(hive);

  // A process that has run out of file descriptors.
  EXPECT_TRUE(RunsToTheEnd([&] {
    Registry registry(tree.Root());
    ::testing::internal::CaptureStderr();
    rlimit limit{};
    ::getrlimit(RLIMIT_NOFILE, &limit);
    limit.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &limit), 0);
    std::vector<int> filler;
    for (int fd; (fd = ::dup(0)) >= 0;) filler.push_back(fd);
    ASSERT_EQ(errno, EMFILE);

    RegKey key{Root::CurrentUser, {"Software", "Test"}};
    Value value;
    EXPECT_EQ(registry.QueryValue(key, "A", value), Status::NotFound);  // defaults for this read
    EXPECT_EQ(registry.QueryValue(key, "A", value), Status::NotFound);
    EXPECT_EQ(registry.SetValue(key, "B", DwordValue(1)), Status::IoFailed);
    registry.BeginBatch(Root::CurrentUser);
    registry.SetValue(RegKey{Root::CurrentUser, {"Software"}}, "C", DwordValue(1));
    EXPECT_EQ(registry.EndBatch(Root::CurrentUser), Status::IoFailed);
    for (int fd : filler) ::close(fd);
    const std::string message = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;  // reported once
    EXPECT_NE(message.find("could not be read"), std::string::npos) << message;
    EXPECT_EQ(message.find("damaged"), std::string::npos) << message;

    // Once descriptors are free again, the values are there.
    EXPECT_EQ(registry.QueryValue(key, "A", value), Status::Ok);
    EXPECT_EQ(value, DwordValue(42));
  }));
  EXPECT_EQ(ReadFile(hive), before);
  EXPECT_TRUE(FilesStartingWith(tree.Root(), "HKEY_CURRENT_USER.reg.damaged-").empty());
  Registry next(tree.Root());
  Value value;
  EXPECT_EQ(next.QueryValue(TestKey(next), "A", value), Status::Ok);
  EXPECT_EQ(value, DwordValue(42));
}

INSTANTIATE_TEST_SUITE_P(
    Registry, DamagedHive,
    ::testing::Values(std::string("\x7f" "ELF\x02\x01\x01\x00\x00\xff\xfe garbage", 20),
                      "no header here\n[HKEY_CURRENT_USER\\Software\\Test]\n\"A\"=dword:1\n",
                      "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Test]\n\"A\"=\"unterminated\n",
                      "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Test]\n\"A\"=hex:01,zz\n",
                      "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Test]\n\"A\"=dword:123456789\n",
                      "REGEDIT4\n\n\"A\"=dword:00000001\n",
                      "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software]\n",
                      "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\\\Test]\n",
                      "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Test\n",
                      std::string("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software]\n\"A\"=\"x\0y\"\n", 40),
                      ""));

TEST(RegistryReliability, AnUnreadableHiveGivesDefaults) {
  TempTree tree;
  tree.MakeFolder("HKEY_CURRENT_USER.reg");  // cannot be read as a file, not even by root
  Registry registry(tree.Root());
  ::testing::internal::CaptureStderr();
  RegKey key;
  EXPECT_EQ(registry.OpenKey(RegKey::Of(Root::CurrentUser), "Software", key), Status::Ok);
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("damaged"), std::string::npos);
  EXPECT_EQ(FilesStartingWith(tree.Root(), "HKEY_CURRENT_USER.reg.damaged-").size(), 1u);
  EXPECT_EQ(registry.SetValue(key, "A", DwordValue(1)), Status::Ok);
}

TEST(RegistryReliability, AKillDuringWritesNeverLeavesAHalfWrittenFile) {
  TempTree tree;
  {
    Registry registry(tree.Root());
    ASSERT_EQ(registry.SetValue(TestKey(registry), "Big", BinaryValue(std::string(300000, 'a'))), Status::Ok);
  }
  std::mt19937 random(12345);
  for (int round = 0; round < 12; ++round) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t writer = RunChild([&] {
      Registry registry(tree.Root());
      const RegKey key = TestKey(registry);
      ::write(ready[1], "x", 1);
      for (int i = 0;; ++i) {
        const char fill = static_cast<char>('a' + i % 26);
        registry.SetValue(key, "Big", BinaryValue(std::string(300000, fill)));
        registry.SetValue(key, "Counter", DwordValue(static_cast<uint32_t>(i)));
      }
      return true;
    });
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ::close(ready[0]);
    ::close(ready[1]);
    ::usleep(std::uniform_int_distribution<unsigned>(0, 40000)(random));
    ::kill(writer, SIGKILL);
    WaitFor(writer);

    ::testing::internal::CaptureStderr();
    Registry reader(tree.Root());
    RegKey key;
    ASSERT_EQ(reader.OpenKey(RegKey::Of(Root::CurrentUser), "Software\\Test", key), Status::Ok);
    Value big;
    ASSERT_EQ(reader.QueryValue(key, "Big", big), Status::Ok);
    ASSERT_EQ(big.data.size(), 300000u);
    EXPECT_EQ(big.data, std::string(300000, big.data[0]));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  }
  EXPECT_TRUE(FilesStartingWith(tree.Root(), "HKEY_CURRENT_USER.reg.damaged-").empty());
}

TEST(RegistryReliability, TwoProcessesWritingAtOnceKeepEveryValue) {
  TempTree tree;
  constexpr int kWrites = 200;
  auto writeMany = [&](const std::string& prefix) {
    return RunChild([&, prefix] {
      Registry registry(tree.Root());
      RegKey key;
      if (registry.CreateKey(RegKey::Of(Root::CurrentUser), "Software\\Test", key) != Status::Ok) return false;
      for (int i = 0; i < kWrites; ++i) {
        if (registry.SetValue(key, prefix + std::to_string(i), DwordValue(static_cast<uint32_t>(i))) != Status::Ok) {
          return false;
        }
      }
      return true;
    });
  };
  const pid_t first = writeMany("First");
  const pid_t second = writeMany("Second");
  EXPECT_EQ(WaitFor(first), 0);
  EXPECT_EQ(WaitFor(second), 0);

  Registry registry(tree.Root());
  RegKey key;
  ASSERT_EQ(registry.OpenKey(RegKey::Of(Root::CurrentUser), "Software\\Test", key), Status::Ok);
  KeyInfo info;
  ASSERT_EQ(registry.QueryInfo(key, info), Status::Ok);
  EXPECT_EQ(info.valueCount, 2u * kWrites);
  for (const std::string prefix : {"First", "Second"}) {
    for (int i = 0; i < kWrites; ++i) {
      Value value;
      ASSERT_EQ(registry.QueryValue(key, prefix + std::to_string(i), value), Status::Ok) << prefix << i;
      EXPECT_EQ(value, DwordValue(static_cast<uint32_t>(i)));
    }
  }
}
