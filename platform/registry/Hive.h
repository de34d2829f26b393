#pragma once
// The keys and values of one registry root held in memory.

#include <string>
#include <string_view>
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

struct HiveKey {
  std::string name;  // as written by whoever created the key
  std::vector<NamedValue> values;
  std::vector<KeptLine> keptLines;
  std::vector<HiveKey> subkeys;

  HiveKey* FindSubkey(std::string_view subkey);
  const HiveKey* FindSubkey(std::string_view subkey) const;
  const NamedValue* FindValue(std::string_view valueName) const;
  // Stores the value (replacing one of the same name); false when nothing changed.
  bool SetValue(std::string_view valueName, const Value& value);
  // False when there was no such value.
  bool DeleteValue(std::string_view valueName);
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
