#pragma once
// Reading and writing a hive as REGEDIT4-style text.

#include <optional>
#include <string>
#include <string_view>

#include "platform/registry/Hive.h"

namespace platform::registry {

// The text of the hive file: a "REGEDIT4" line, then one [section] per key with its values.
// Texts with control characters and every REG_EXPAND_SZ are written as hex(N) byte lists, so
// any byte round-trips exactly.
std::string WriteHiveText(const Hive& hive);

// The most a hive file may hold; a longer file, or a hive whose text would be longer, is
// damage (a hostile file cannot make a load read or write without end).
inline constexpr size_t kMaxHiveTextSize = size_t{64} << 20;
// Whether the hive's text stays within kMaxHiveTextSize.
bool FitsInHiveFile(const Hive& hive);

// Parses a hive file. Nullopt when the text is damaged (no header, a broken section or value
// line, a section of another root, a key path too long, more text than kMaxHiveTextSize when
// written back); `problem` then says where. Lines this version does not
// know are kept.
std::optional<Hive> ReadHiveText(Root root, std::string_view text, std::string& problem);

}  // namespace platform::registry
