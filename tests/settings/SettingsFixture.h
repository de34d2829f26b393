#pragma once
// A settings folder of its own for one test, with direct access to the stored values.

#include <gtest/gtest.h>
#include <stdlib.h>

#include "platform/registry/Registry.h"
#include "support/TempTree.h"

class SettingsFixture : public ::testing::Test {
 protected:
  SettingsFixture() { ::setenv("VANTREL_REGISTRY_DIR", tree.Root().c_str(), 1); }

  static constexpr const char* kSettingsKey = "Software\\Vantrel Software\\Search";

  // Writes a value straight into the registry, creating the key.
  void Put(const std::string& name, const platform::registry::Value& value, const char* key = kSettingsKey) {
    platform::registry::Registry registry(tree.Root());
    platform::registry::RegKey opened;
    ASSERT_EQ(registry.CreateKey(platform::registry::RegKey::Of(platform::registry::Root::CurrentUser), key, opened),
              platform::registry::Status::Ok);
    ASSERT_EQ(registry.SetValue(opened, name, value), platform::registry::Status::Ok);
  }

  // The stored value, if any.
  std::optional<platform::registry::Value> Get(const std::string& name, const char* key = kSettingsKey) {
    platform::registry::Registry registry(tree.Root());
    platform::registry::RegKey opened;
    platform::registry::Value value;
    if (registry.OpenKey(platform::registry::RegKey::Of(platform::registry::Root::CurrentUser), key, opened) !=
            platform::registry::Status::Ok ||
        registry.QueryValue(opened, name, value) != platform::registry::Status::Ok) {
      return std::nullopt;
    }
    return value;
  }

  std::vector<std::string> ValueNames(const char* key = kSettingsKey) {
    platform::registry::Registry registry(tree.Root());
    platform::registry::RegKey opened;
    std::vector<std::string> names;
    if (registry.OpenKey(platform::registry::RegKey::Of(platform::registry::Root::CurrentUser), key, opened) ==
        platform::registry::Status::Ok) {
      registry.EnumValues(opened, names);
    }
    return names;
  }

  TempTree tree;
};
