#pragma once
// Registry access for the settings: one root, the currently open key and its path, typed
// reading and writing of values, and deletion of values and whole key trees.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry/Registry.h"

class TNTRegistry {
 public:
  using Root = platform::registry::Root;
  using Value = platform::registry::Value;

  // Works on the registry in Registry::DefaultFolder().
  TNTRegistry();
  explicit TNTRegistry(std::filesystem::path folder);

  Root RootKey() const { return root_; }
  // Changing the root closes the open key.
  void SetRootKey(Root root);

  // Opens (with `create`, creates when missing) a key. A text beginning with a backslash is
  // taken from the root; any other text is relative to the open key, or to the root when none
  // is open. On success the new key replaces the open one; on failure nothing changes.
  bool OpenKeyLimited(const std::string& key, bool create);
  void CloseKey();
  bool HasCurrentKey() const { return current_.has_value(); }
  // The path of the open key relative to the root, as the keys were named when opened.
  const std::string& CurrentPath() const { return currentPath_; }

  bool ValueExists(const std::string& name);
  // The value's type and data; nullopt when it does not exist or no key is open.
  std::optional<Value> GetData(const std::string& name);
  std::optional<int32_t> GetInteger(const std::string& name);   // REG_DWORD of 4 bytes
  std::optional<std::string> GetText(const std::string& name);  // REG_SZ or REG_EXPAND_SZ, up to a NUL
  // The names of the open key's values.
  std::vector<std::string> GetValueNames();

  // Writes a value; throws ERegistryException "Failed to set data for '<name>'" when it cannot
  // be written (no key open, the file cannot be written).
  void PutData(const std::string& name, const Value& value);
  void PutInteger(const std::string& name, int32_t number);
  void PutText(const std::string& name, const std::string& text);
  void PutBinary(const std::string& name, const std::string& bytes);

  bool DeleteValue(const std::string& name);
  // Deletes a key (absolute or relative as for OpenKeyLimited) with all its subkeys, the last
  // subkey first.
  bool DeleteKey(const std::string& key);

  // Changes made between BeginUpdate and EndUpdate are written as one. EndUpdate returns false
  // when that write failed.
  void BeginUpdate();
  bool EndUpdate();

 private:
  bool Resolve(const std::string& key, platform::registry::RegKey& base, std::string& relative) const;
  bool DeleteTree(const platform::registry::RegKey& parent, const std::string& name);

  platform::registry::Registry registry_;
  Root root_ = Root::CurrentUser;
  std::optional<platform::registry::RegKey> current_;
  std::string currentPath_;
};
