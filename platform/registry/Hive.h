#pragma once
// The keys and values of one registry root held in memory.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/registry/RegistryValue.h"

namespace platform::registry {

struct NamedValue {
  std::string name;  // empty for the default (unnamed) value
  Value value;
};

// A line of the hive file this version does not understand (written by a newer one). It is
// written back unchanged; when it names a value, setting or deleting that value drops it.
struct KeptLine {
  std::string text;
  bool namesValue = false;
  std::string valueName;
};

// One key: its values and subkeys in the order they were added, each also indexed by name so
// that a key with many of them is read and changed in constant time per name.
class HiveKey {
 public:
  explicit HiveKey(std::string keyName = {}) : name(std::move(keyName)) {}

  std::string name;  // as written by whoever created the key

  const std::vector<NamedValue>& Values() const { return values_; }
  const std::vector<HiveKey>& Subkeys() const { return subkeys_; }
  const std::vector<KeptLine>& KeptLines() const { return keptLines_; }

  HiveKey* FindSubkey(std::string_view subkey);
  const HiveKey* FindSubkey(std::string_view subkey) const;
  // Appends a subkey; the caller has made sure that none of that name exists.
  HiveKey& AddSubkey(std::string_view subkey);
  // False when there was no such subkey.
  bool RemoveSubkey(std::string_view subkey);

  const NamedValue* FindValue(std::string_view valueName) const;
  // Stores the value (replacing one of the same name); false when nothing changed.
  bool SetValue(std::string_view valueName, const Value& value);
  // False when there was no such value.
  bool DeleteValue(std::string_view valueName);

  void KeepLine(KeptLine line) { keptLines_.push_back(std::move(line)); }

 private:
  bool DropKeptLinesFor(std::string_view valueName);

  std::vector<NamedValue> values_;
  std::unordered_map<std::string, size_t> valueIndex_;  // by ASCII-lower-cased name
  std::vector<KeptLine> keptLines_;
  std::vector<HiveKey> subkeys_;
  std::unordered_map<std::string, size_t> subkeyIndex_;
};

class Hive {
 public:
  // A hive with the keys every root starts with (HKEY_CURRENT_USER\Software and
  // HKEY_LOCAL_MACHINE\Software, as on Windows).
  explicit Hive(Root root);

  Root GetRoot() const { return root_; }
  HiveKey& Top() { return top_; }
  const HiveKey& Top() const { return top_; }

  // The key along the path of names (empty path: the root itself), or null.
  HiveKey* Find(const std::vector<std::string>& path);
  const HiveKey* Find(const std::vector<std::string>& path) const;
  // Finds or creates every key along the path; `created` tells whether anything was added.
  HiveKey& Create(const std::vector<std::string>& path, bool& created);
  // Keys that must always exist and cannot be deleted.
  bool IsPredefined(const std::vector<std::string>& path) const;
  void AddPredefinedKeys();

 private:
  Root root_;
  HiveKey top_;
};

// Splits a key text at backslashes, leaving out empty pieces.
std::vector<std::string> SplitKeyPath(std::string_view text);

}  // namespace platform::registry
