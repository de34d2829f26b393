#pragma once
// The extension library loaded as a file manager loads it, on a registry of the test's own, with
// helpers for the value "Program" and a fixture program that records the arguments it gets.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <optional>
#include <thread>

#include "extension/KestrixIdentity.h"
#include "extension/host/KestrixHost.h"
#include "extension/host/KestrixLibrary.h"
#include "platform/registry/Registry.h"
#include "support/TempTree.h"

class ExtensionFixture : public ::testing::Test {
 protected:
  ExtensionFixture() {
    ::setenv("VANTREL_REGISTRY_DIR", (tree.Root() / "registry").c_str(), 1);
    std::string error;
    library = kestrix::TKestrixLibrary::Load(KESTRIX_LIBRARY_PATH, error);
    if (!library) ADD_FAILURE() << error;
  }

  platform::registry::Registry Store() { return platform::registry::Registry(tree.Root() / "registry"); }

  void SetProgram(const std::string& program) {
    auto store = Store();
    platform::registry::RegKey key;
    ASSERT_EQ(store.CreateKey(platform::registry::RegKey::Of(platform::registry::Root::CurrentUser),
                              kestrix::kProgramKey, key),
              platform::registry::Status::Ok);
    ASSERT_EQ(store.SetValue(key, kestrix::kProgramValue, platform::registry::TextValue(program)),
              platform::registry::Status::Ok);
  }

  // A program in a folder with a blank in its name that writes its argument count and each
  // argument in brackets, one per line, to the file `arguments` beside it.
  std::string RecordingProgram() {
    const auto script = tree.Write("fixture program/record",
                                   "#!/bin/sh\n"
                                   "out=\"$(dirname \"$0\")/arguments\"\n"
                                   "{ echo \"$#\"; for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done; } > \"$out.part\"\n"
                                   "mv \"$out.part\" \"$out\"\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    return script.string();
  }

  // What the recording program wrote, once it has run (nullopt if it never does).
  std::optional<std::string> RecordedArguments() {
    const auto file = tree.Root() / "fixture program" / "arguments";
    for (int i = 0; i < 3000 && !std::filesystem::exists(file); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!std::filesystem::exists(file)) return std::nullopt;
    return ReadFileText(file);
  }

  TempTree tree;
  std::optional<kestrix::TKestrixLibrary> library;
};
