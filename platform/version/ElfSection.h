#pragma once
// Reads one named section out of an ELF file (our executables on Linux).

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform::version {

// The bytes of the section `name`; nullopt when the file cannot be read, is not a
// little-endian ELF file or has no such section.
std::optional<std::string> ReadElfSection(const std::filesystem::path& file, std::string_view name);

}  // namespace platform::version
