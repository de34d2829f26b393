#include "platform/registry/Hive.h"

#include <algorithm>

namespace platform::registry {
namespace {

template <typename Key>
Key* FindIn(std::vector<Key>& keys, std::string_view name) {
  auto it = std::find_if(keys.begin(), keys.end(),
                         [&](const Key& key) { return NamesEqual(key.name, name); });
  return it == keys.end() ? nullptr : &*it;
}

void DropKeptLinesFor(std::vector<KeptLine>& lines, std::string_view valueName) {
  std::erase_if(lines, [&](const KeptLine& line) {
    return line.namesValue && NamesEqual(line.valueName, valueName);
  });
}

}  // namespace

HiveKey* HiveKey::FindSubkey(std::string_view subkey) { return FindIn(subkeys, subkey); }

const HiveKey* HiveKey::FindSubkey(std::string_view subkey) const {
  return const_cast<HiveKey*>(this)->FindSubkey(subkey);
}

const NamedValue* HiveKey::FindValue(std::string_view valueName) const {
  return FindIn(const_cast<std::vector<NamedValue>&>(values), valueName);
}

bool HiveKey::SetValue(std::string_view valueName, const Value& value) {
  const size_t keptBefore = keptLines.size();
  DropKeptLinesFor(keptLines, valueName);
  const bool droppedKept = keptLines.size() != keptBefore;
  if (NamedValue* existing = FindIn(values, valueName)) {
    if (existing->value == value) return droppedKept;
    existing->value = value;
    return true;
  }
  values.push_back(NamedValue{std::string(valueName), value});
  return true;
}

bool HiveKey::DeleteValue(std::string_view valueName) {
  const size_t before = values.size() + keptLines.size();
  DropKeptLinesFor(keptLines, valueName);
  std::erase_if(values, [&](const NamedValue& v) { return NamesEqual(v.name, valueName); });
  return values.size() + keptLines.size() != before;
}

Hive::Hive(Root root) : root_(root) {
  top_.name = std::string(RootName(root));
  AddPredefinedKeys();
}

HiveKey* Hive::Find(const std::vector<std::string>& path) {
  HiveKey* key = &top_;
  for (const std::string& name : path) {
    key = key->FindSubkey(name);
    if (key == nullptr) return nullptr;
  }
  return key;
}

const HiveKey* Hive::Find(const std::vector<std::string>& path) const {
  return const_cast<Hive*>(this)->Find(path);
}

HiveKey& Hive::Create(const std::vector<std::string>& path, bool& created) {
  created = false;
  HiveKey* key = &top_;
  for (const std::string& name : path) {
    HiveKey* next = key->FindSubkey(name);
    if (next == nullptr) {
      key->subkeys.push_back(HiveKey{name, {}, {}, {}});
      next = &key->subkeys.back();
      created = true;
    }
    key = next;
  }
  return *key;
}

bool Hive::IsPredefined(const std::vector<std::string>& path) const {
  const bool hasSoftware = root_ == Root::CurrentUser || root_ == Root::LocalMachine;
  return path.empty() || (hasSoftware && path.size() == 1 && NamesEqual(path[0], "Software"));
}

void Hive::AddPredefinedKeys() {
  if (root_ == Root::CurrentUser || root_ == Root::LocalMachine) {
    bool created = false;
    Create({"Software"}, created);
  }
}

std::vector<std::string> SplitKeyPath(std::string_view text) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\\', start);
    if (end == std::string_view::npos) end = text.size();
    if (end > start) parts.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

}  // namespace platform::registry
