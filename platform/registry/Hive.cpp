#include "platform/registry/Hive.h"

#include <algorithm>

namespace platform::registry {
namespace {

// Removes the entry at `position` from an indexed list and renumbers the entries after it.
template <typename Item>
void EraseIndexed(std::vector<Item>& items, std::unordered_map<std::string, size_t>& index, size_t position,
                  const std::string& folded) {
  items.erase(items.begin() + static_cast<std::ptrdiff_t>(position));
  index.erase(folded);
  for (auto& [name, at] : index) {
    if (at > position) --at;
  }
}

}  // namespace

HiveKey* HiveKey::FindSubkey(std::string_view subkey) {
  const auto it = subkeyIndex_.find(FoldedName(subkey));
  return it == subkeyIndex_.end() ? nullptr : &subkeys_[it->second];
}

const HiveKey* HiveKey::FindSubkey(std::string_view subkey) const {
  return const_cast<HiveKey*>(this)->FindSubkey(subkey);
}

HiveKey& HiveKey::AddSubkey(std::string_view subkey) {
  subkeyIndex_.emplace(FoldedName(subkey), subkeys_.size());
  return subkeys_.emplace_back(std::string(subkey));
}

bool HiveKey::RemoveSubkey(std::string_view subkey) {
  const std::string folded = FoldedName(subkey);
  const auto it = subkeyIndex_.find(folded);
  if (it == subkeyIndex_.end()) return false;
  EraseIndexed(subkeys_, subkeyIndex_, it->second, folded);
  return true;
}

const NamedValue* HiveKey::FindValue(std::string_view valueName) const {
  const auto it = valueIndex_.find(FoldedName(valueName));
  return it == valueIndex_.end() ? nullptr : &values_[it->second];
}

bool HiveKey::DropKeptLinesFor(std::string_view valueName) {
  if (keptLines_.empty()) return false;
  return std::erase_if(keptLines_, [&](const KeptLine& line) {
           return line.namesValue && NamesEqual(line.valueName, valueName);
         }) > 0;
}

bool HiveKey::SetValue(std::string_view valueName, const Value& value) {
  const bool droppedKept = DropKeptLinesFor(valueName);
  const auto [it, added] = valueIndex_.try_emplace(FoldedName(valueName), values_.size());
  if (added) {
    values_.push_back(NamedValue{std::string(valueName), value});
    return true;
  }
  Value& existing = values_[it->second].value;
  if (existing == value) return droppedKept;
  existing = value;
  return true;
}

bool HiveKey::DeleteValue(std::string_view valueName) {
  const bool droppedKept = DropKeptLinesFor(valueName);
  const std::string folded = FoldedName(valueName);
  const auto it = valueIndex_.find(folded);
  if (it == valueIndex_.end()) return droppedKept;
  EraseIndexed(values_, valueIndex_, it->second, folded);
  return true;
}

Hive::Hive(Root root) : root_(root), top_(std::string(RootName(root))) { AddPredefinedKeys(); }

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
      next = &key->AddSubkey(name);
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
