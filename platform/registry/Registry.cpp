#include "platform/registry/Registry.h"

#include <cstdlib>
#include <unistd.h>

#include "platform/fs/HomeFolder.h"

namespace platform::registry {
namespace fs = platform::fs;

std::string RegKey::PathText() const {
  std::string text;
  for (const std::string& name : path) {
    if (!text.empty()) text += '\\';
    text += name;
  }
  return text;
}

// A batch works on the cached hive under the lock. When the lock could not be taken or the
// file could not be read, it works on defaults that are never written.
struct Registry::Batch {
  Batch(HiveCache& cache, HiveFile::Lock heldLock) : lock(std::move(heldLock)), fallback(cache.File().GetRoot()) {
    if (lock.Held()) hive = cache.Current(true);
    usable = hive != nullptr;
    if (!usable) hive = &fallback;
  }
  int depth = 1;
  HiveFile::Lock lock;
  Hive fallback;
  Hive* hive = nullptr;
  bool usable = false;
  bool dirty = false;
};

namespace {

size_t Index(Root root) { return static_cast<size_t>(root); }

// The names along `subkey` below `base`; false when a name cannot be a key name.
bool JoinPath(const RegKey& base, std::string_view subkey, std::vector<std::string>& path) {
  path = base.path;
  for (std::string& name : SplitKeyPath(subkey)) {
    if (!IsValidKeyName(name)) return false;
    path.push_back(std::move(name));
  }
  size_t length = path.empty() ? 0 : path.size() - 1;
  for (const std::string& name : path) length += name.size();
  return path.size() <= kMaxKeyDepth && length <= kMaxKeyPathLength;
}

// The path of `key` with every name as it is stored.
std::vector<std::string> StoredPath(const Hive& hive, const std::vector<std::string>& path) {
  std::vector<std::string> stored;
  const HiveKey* key = &hive.Top();
  for (const std::string& name : path) {
    key = key->FindSubkey(name);
    stored.push_back(key->name);
  }
  return stored;
}

std::filesystem::path HomeFolder() {
  const std::string home = fs::HomeFolder();
  return home.empty() ? std::filesystem::path(".") : std::filesystem::path(home);
}

}  // namespace

Registry::Registry(std::filesystem::path folder) : folder_(std::move(folder)) {}

Registry::~Registry() {
  for (size_t i = 0; i < batches_.size(); ++i) {
    while (batches_[i]) EndBatch(static_cast<Root>(i));
  }
}

std::filesystem::path Registry::DefaultFolder() {
  if (const char* own = std::getenv("VANTREL_REGISTRY_DIR"); own != nullptr && *own != '\0') return own;
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config == '/') {
    return std::filesystem::path(config) / "vantrel-search";
  }
  return HomeFolder() / ".config" / "vantrel-search";
}

HiveCache& Registry::CacheOf(Root root) {
  std::unique_ptr<HiveCache>& cache = caches_[Index(root)];
  if (!cache) cache = std::make_unique<HiveCache>(folder_, root);
  return *cache;
}

void Registry::BeginBatch(Root root) {
  std::unique_ptr<Batch>& batch = batches_[Index(root)];
  if (batch) {
    ++batch->depth;
    return;
  }
  HiveCache& cache = CacheOf(root);
  batch = std::make_unique<Batch>(cache, cache.File().Acquire());
}

Status Registry::EndBatch(Root root) {
  std::unique_ptr<Batch>& batch = batches_[Index(root)];
  if (!batch || --batch->depth > 0) return Status::Ok;
  Status status = Status::Ok;
  if (batch->dirty && (!batch->usable || !CacheOf(root).Save())) status = Status::IoFailed;
  batch.reset();
  return status;
}

template <typename Change>
Status Registry::Modify(Root root, Change&& change) {
  if (Batch* batch = batches_[Index(root)].get()) {
    bool changed = false;
    const Status status = change(*batch->hive, changed);
    batch->dirty = batch->dirty || changed;
    return status;
  }
  HiveCache& cache = CacheOf(root);
  const HiveFile::Lock lock = cache.File().Acquire();
  if (!lock.Held()) return Status::IoFailed;
  Hive* hive = cache.Current(true);
  if (hive == nullptr) return Status::IoFailed;  // never written over a file that could not be read
  bool changed = false;
  const Status status = change(*hive, changed);
  if (status != Status::Ok || !changed) return status;
  return cache.Save() ? Status::Ok : Status::IoFailed;
}

const Hive& Registry::Current(Root root, Hive& snapshot) {
  if (const Batch* batch = batches_[Index(root)].get()) return *batch->hive;
  if (const Hive* hive = CacheOf(root).Current(false)) return *hive;
  return snapshot;  // the file cannot be read just now: defaults for this read
}

Status Registry::OpenKey(const RegKey& base, std::string_view subkey, RegKey& opened) {
  std::vector<std::string> path;
  if (!JoinPath(base, subkey, path)) return Status::InvalidName;
  Hive snapshot(base.root);
  const Hive& hive = Current(base.root, snapshot);
  if (hive.Find(path) == nullptr) return Status::NotFound;
  opened = RegKey{base.root, StoredPath(hive, path)};
  return Status::Ok;
}

Status Registry::CreateKey(const RegKey& base, std::string_view subkey, RegKey& opened, bool* created) {
  std::vector<std::string> path;
  if (!JoinPath(base, subkey, path)) return Status::InvalidName;
  return Modify(base.root, [&](Hive& hive, bool& changed) {
    hive.Create(path, changed);
    if (created != nullptr) *created = changed;
    opened = RegKey{base.root, StoredPath(hive, path)};
    return Status::Ok;
  });
}

Status Registry::DeleteKey(const RegKey& base, std::string_view subkey) {
  std::vector<std::string> path;
  if (!JoinPath(base, subkey, path)) return Status::InvalidName;
  return Modify(base.root, [&](Hive& hive, bool& changed) {
    const HiveKey* key = hive.Find(path);
    if (key == nullptr) return Status::NotFound;
    if (!key->Subkeys().empty() || hive.IsPredefined(path)) return Status::HasSubkeys;
    const std::string name = path.back();
    path.pop_back();
    hive.Find(path)->RemoveSubkey(name);
    changed = true;
    return Status::Ok;
  });
}

template <typename Read>
Status Registry::Inspect(const RegKey& key, Read&& read) {
  Hive snapshot(key.root);
  const HiveKey* found = Current(key.root, snapshot).Find(key.path);
  return found == nullptr ? Status::NotFound : read(*found);
}

Status Registry::EnumKeys(const RegKey& key, std::vector<std::string>& names) {
  names.clear();
  return Inspect(key, [&](const HiveKey& found) {
    for (const HiveKey& subkey : found.Subkeys()) names.push_back(subkey.name);
    return Status::Ok;
  });
}

Status Registry::EnumValues(const RegKey& key, std::vector<std::string>& names) {
  names.clear();
  return Inspect(key, [&](const HiveKey& found) {
    for (const NamedValue& value : found.Values()) names.push_back(value.name);
    return Status::Ok;
  });
}

Status Registry::QueryInfo(const RegKey& key, KeyInfo& info) {
  return Inspect(key, [&](const HiveKey& found) {
    info = KeyInfo{found.Subkeys().size(), found.Values().size()};
    return Status::Ok;
  });
}

Status Registry::QueryValue(const RegKey& key, std::string_view name, Value& value) {
  return Inspect(key, [&](const HiveKey& found) {
    const NamedValue* stored = found.FindValue(name);
    if (stored == nullptr) return Status::NotFound;
    value = stored->value;
    return Status::Ok;
  });
}

Status Registry::SetValue(const RegKey& key, std::string_view name, const Value& value) {
  if (!IsValidValueName(name)) return Status::InvalidName;
  return Modify(key.root, [&](Hive& hive, bool& changed) {
    HiveKey* found = hive.Find(key.path);
    if (found == nullptr) return Status::NotFound;
    changed = found->SetValue(name, value);
    return Status::Ok;
  });
}

Status Registry::DeleteValue(const RegKey& key, std::string_view name) {
  return Modify(key.root, [&](Hive& hive, bool& changed) {
    HiveKey* found = hive.Find(key.path);
    if (found == nullptr) return Status::NotFound;
    changed = found->DeleteValue(name);
    return changed ? Status::Ok : Status::NotFound;
  });
}

}  // namespace platform::registry
