#pragma once
// Our registry: keys holding named values under predefined roots, one hive file per root.
// Every change locks the root, reads the file (when it changed since this object last saw it),
// changes it and writes it back whole, so that several running programs keep each other's
// values. Reads use the hive held in memory while its file is unchanged.

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/HiveCache.h"
#include "platform/registry/RegKey.h"

namespace platform::registry {

struct KeyInfo {
  size_t subkeyCount = 0;
  size_t valueCount = 0;
};

class Registry {
 public:
  // The hive files live in `folder`.
  explicit Registry(std::filesystem::path folder);
  // $VANTREL_REGISTRY_DIR when set, else ${XDG_CONFIG_HOME:-~/.config}/vantrel-search.
  static std::filesystem::path DefaultFolder();

  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;
  ~Registry();

  const std::filesystem::path& Folder() const { return folder_; }

  // Opens the existing key `subkey` (backslash-separated) below `base`.
  Status OpenKey(const RegKey& base, std::string_view subkey, RegKey& opened);
  // Opens `subkey` below `base`, creating every missing key along the way.
  Status CreateKey(const RegKey& base, std::string_view subkey, RegKey& opened, bool* created = nullptr);
  // Deletes the key `subkey` below `base`; it must have no subkeys.
  Status DeleteKey(const RegKey& base, std::string_view subkey);
  Status EnumKeys(const RegKey& key, std::vector<std::string>& names);
  Status QueryInfo(const RegKey& key, KeyInfo& info);

  // The empty name stands for the key's default value.
  Status QueryValue(const RegKey& key, std::string_view name, Value& value);
  Status SetValue(const RegKey& key, std::string_view name, const Value& value);
  Status DeleteValue(const RegKey& key, std::string_view name);
  // The names of the key's values, as stored.
  Status EnumValues(const RegKey& key, std::vector<std::string>& names);

  // Between BeginBatch and EndBatch the root stays locked and every change is written once,
  // at EndBatch, as one replacement of the file. Batches nest.
  void BeginBatch(Root root);
  Status EndBatch(Root root);

 private:
  struct Batch;
  template <typename Change>
  Status Modify(Root root, Change&& change);
  template <typename Read>
  Status Inspect(const RegKey& key, Read&& read);
  const Hive& Current(Root root, Hive& snapshot);
  HiveCache& CacheOf(Root root);

  std::filesystem::path folder_;
  std::array<std::unique_ptr<HiveCache>, kRootCount> caches_;
  std::array<std::unique_ptr<Batch>, kRootCount> batches_;
};

// Holds a batch for its lifetime; End reports the outcome of the write.
class RegistryBatch {
 public:
  RegistryBatch(Registry& registry, Root root) : registry_(registry), root_(root) { registry_.BeginBatch(root_); }
  ~RegistryBatch() {
    if (open_) registry_.EndBatch(root_);
  }
  RegistryBatch(const RegistryBatch&) = delete;
  RegistryBatch& operator=(const RegistryBatch&) = delete;
  Status End() {
    open_ = false;
    return registry_.EndBatch(root_);
  }

 private:
  Registry& registry_;
  Root root_;
  bool open_ = true;
};

}  // namespace platform::registry
