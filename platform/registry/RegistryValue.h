#pragma once
// Value types, predefined roots, result codes and name rules of our registry.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform::registry {

// Value type codes, numbered as on Windows.
enum ValueType : uint32_t {
  kRegNone = 0,
  kRegSz = 1,
  kRegExpandSz = 2,
  kRegBinary = 3,
  kRegDword = 4,
};

// One value: its type and its data bytes (a DWORD is 4 bytes, little-endian; texts carry no
// terminating NUL).
struct Value {
  uint32_t type = kRegNone;
  std::string data;
  bool operator==(const Value&) const = default;
};

Value DwordValue(uint32_t number);
Value TextValue(std::string text, uint32_t type = kRegSz);
Value BinaryValue(std::string bytes);
// The number of a 4-byte value; 0 when the data is not 4 bytes.
uint32_t DwordOf(const Value& value);

enum class Root { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig, DynData };
inline constexpr int kRootCount = 6;

// "HKEY_CURRENT_USER" and so on.
std::string_view RootName(Root root);

enum class Status {
  Ok,
  NotFound,     // the key or value does not exist
  HasSubkeys,   // a key with subkeys cannot be deleted in one step
  InvalidName,  // a key or value name the registry cannot hold
  IoFailed,     // the hive file could not be locked or written
};

// Key and value names compare without regard to ASCII letter case; bytes above 127 compare
// exactly.
bool NamesEqual(std::string_view a, std::string_view b);
// The name with ASCII letters lower-cased: two names are equal when their folded forms are.
std::string FoldedName(std::string_view name);
bool IsValidKeyName(std::string_view name);
// Keys nest at most this deep (as on Windows), which also bounds the recursion over a hive.
inline constexpr size_t kMaxKeyDepth = 512;
// A key's whole path below its root (names and the backslashes between them) holds at most
// this many bytes. Each key's section line in the hive file spells its whole path, so this
// also bounds what a small file of deeply nested keys expands to.
inline constexpr size_t kMaxKeyPathLength = 32767;
bool IsValidValueName(std::string_view name);

}  // namespace platform::registry
