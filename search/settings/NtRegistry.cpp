#include "search/settings/NtRegistry.h"

#include "search/settings/RegistryError.h"

using platform::registry::RegKey;
using platform::registry::Status;

TNTRegistry::TNTRegistry() : TNTRegistry(platform::registry::Registry::DefaultFolder()) {}

TNTRegistry::TNTRegistry(std::filesystem::path folder) : registry_(std::move(folder)) {}

void TNTRegistry::SetRootKey(Root root) {
  if (root == root_) return;
  CloseKey();
  root_ = root;
}

bool TNTRegistry::Resolve(const std::string& key, RegKey& base, std::string& relative) const {
  const bool absolute = !key.empty() && key.front() == '\\';
  relative = absolute ? key.substr(1) : key;
  base = (!absolute && current_) ? *current_ : RegKey::Of(root_);
  return absolute;
}

bool TNTRegistry::OpenKeyLimited(const std::string& key, bool create) {
  RegKey base;
  std::string relative;
  const bool absolute = Resolve(key, base, relative);
  RegKey opened;
  const Status status = (create && !relative.empty()) ? registry_.CreateKey(base, relative, opened)
                                                      : registry_.OpenKey(base, relative, opened);
  if (status != Status::Ok) return false;
  if (!relative.empty()) {
    currentPath_ = (!absolute && current_) ? currentPath_ + "\\" + relative : relative;
  } else if (absolute || !current_) {
    currentPath_.clear();
  }
  current_ = opened;
  return true;
}

void TNTRegistry::CloseKey() {
  current_.reset();
  currentPath_.clear();
}

bool TNTRegistry::ValueExists(const std::string& name) { return GetData(name).has_value(); }

std::optional<TNTRegistry::Value> TNTRegistry::GetData(const std::string& name) {
  if (!current_) return std::nullopt;
  Value value;
  if (registry_.QueryValue(*current_, name, value) != Status::Ok) return std::nullopt;
  return value;
}

std::optional<int32_t> TNTRegistry::GetInteger(const std::string& name) {
  const std::optional<Value> value = GetData(name);
  if (!value || value->type != platform::registry::kRegDword || value->data.size() != 4) return std::nullopt;
  return static_cast<int32_t>(platform::registry::DwordOf(*value));
}

std::optional<std::string> TNTRegistry::GetText(const std::string& name) {
  std::optional<Value> value = GetData(name);
  if (!value || (value->type != platform::registry::kRegSz && value->type != platform::registry::kRegExpandSz)) {
    return std::nullopt;
  }
  std::string text = std::move(value->data);
  if (const size_t nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
  return text;
}

std::vector<std::string> TNTRegistry::GetValueNames() {
  std::vector<std::string> names;
  if (current_) registry_.EnumValues(*current_, names);
  return names;
}

void TNTRegistry::PutData(const std::string& name, const Value& value) {
  if (!current_ || registry_.SetValue(*current_, name, value) != Status::Ok) {
    throw ERegistryException::FailedToSet(name);
  }
}

void TNTRegistry::PutInteger(const std::string& name, int32_t number) {
  PutData(name, platform::registry::DwordValue(static_cast<uint32_t>(number)));
}

void TNTRegistry::PutText(const std::string& name, const std::string& text) {
  PutData(name, platform::registry::TextValue(text));
}

void TNTRegistry::PutBinary(const std::string& name, const std::string& bytes) {
  PutData(name, platform::registry::BinaryValue(bytes));
}

bool TNTRegistry::DeleteValue(const std::string& name) {
  return current_ && registry_.DeleteValue(*current_, name) == Status::Ok;
}

bool TNTRegistry::DeleteTree(const RegKey& parent, const std::string& name) {
  RegKey key;
  if (registry_.OpenKey(parent, name, key) != Status::Ok) return false;
  std::vector<std::string> subkeys;
  registry_.EnumKeys(key, subkeys);
  for (auto it = subkeys.rbegin(); it != subkeys.rend(); ++it) {
    if (!DeleteTree(key, *it)) return false;
  }
  return registry_.DeleteKey(parent, name) == Status::Ok;
}

bool TNTRegistry::DeleteKey(const std::string& key) {
  RegKey base;
  std::string relative;
  Resolve(key, base, relative);
  const std::vector<std::string> path = platform::registry::SplitKeyPath(relative);
  if (path.empty()) return false;
  for (size_t i = 0; i + 1 < path.size(); ++i) {
    RegKey next;
    if (registry_.OpenKey(base, path[i], next) != Status::Ok) return false;
    base = std::move(next);
  }
  platform::registry::RegistryBatch batch(registry_, root_);
  const bool deleted = DeleteTree(base, path.back());
  return batch.End() == Status::Ok && deleted;
}

void TNTRegistry::BeginUpdate() { registry_.BeginBatch(root_); }

bool TNTRegistry::EndUpdate() { return registry_.EndBatch(root_) == Status::Ok; }
