#include "platform/version/VersionBlock.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <system_error>

#include "platform/version/ElfSection.h"

namespace platform::version {
namespace {

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// Takes a word or a quoted text (with \" and \\ escapes) from the front of `line`.
bool TakeToken(std::string_view& line, std::string& token) {
  while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
  if (line.empty()) return false;
  token.clear();
  if (line.front() != '"') {
    const size_t end = std::min(line.find(' '), line.size());
    token = line.substr(0, end);
    line.remove_prefix(end);
    return true;
  }
  for (size_t i = 1; i < line.size(); ++i) {
    if (line[i] == '"') {
      line.remove_prefix(i + 1);
      return true;
    }
    if (line[i] == '\\' && i + 1 < line.size()) ++i;
    token += line[i];
  }
  return false;
}

bool ParseNumber(const std::string& text, uint32_t& number) {
  char* end = nullptr;
  const unsigned long value = std::strtoul(text.c_str(), &end, 0);
  if (text.empty() || *end != '\0' || value > 0xFFFFFFFFul) return false;
  number = static_cast<uint32_t>(value);
  return true;
}

// "7,0,0,57" as the two 32-bit halves of a version.
bool ParseVersion(const std::string& text, uint32_t& ms, uint32_t& ls) {
  uint32_t parts[4] = {};
  size_t start = 0;
  for (uint32_t& part : parts) {
    if (start > text.size()) return false;
    const size_t end = std::min(text.find(',', start), text.size());
    if (!ParseNumber(text.substr(start, end - start), part) || part > 0xFFFF) return false;
    start = end + 1;
  }
  ms = (parts[0] << 16) | parts[1];
  ls = (parts[2] << 16) | parts[3];
  return true;
}

}  // namespace

VersionBlock VersionBlock::Parse(std::string_view text) {
  text = text.substr(0, std::min(text.find('\0'), text.size()));
  VersionBlock block;
  FixedFileInfo fixed;
  bool hasFixed = false;
  std::string table;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = std::min(text.find('\n', start), text.size());
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    std::string keyword, first, second;
    if (!TakeToken(line, keyword) || !TakeToken(line, first)) continue;
    if (keyword == "FILEVERSION") {
      hasFixed = ParseVersion(first, fixed.fileVersionMS, fixed.fileVersionLS) || hasFixed;
    } else if (keyword == "PRODUCTVERSION") {
      ParseVersion(first, fixed.productVersionMS, fixed.productVersionLS);
    } else if (keyword == "FILEFLAGSMASK") {
      ParseNumber(first, fixed.fileFlagsMask);
    } else if (keyword == "FILEFLAGS") {
      ParseNumber(first, fixed.fileFlags);
    } else if (keyword == "FILEOS") {
      ParseNumber(first, fixed.fileOS);
    } else if (keyword == "FILETYPE") {
      ParseNumber(first, fixed.fileType);
    } else if (keyword == "FILESUBTYPE") {
      ParseNumber(first, fixed.fileSubtype);
    } else if (keyword == "BLOCK") {
      table = first;
    } else if (keyword == "VALUE" && !table.empty() && TakeToken(line, second)) {
      block.strings_.push_back(Entry{table, first, second});
    }
  }
  if (hasFixed) block.fixed_ = fixed;
  return block;
}

std::optional<std::string> VersionBlock::QueryString(std::string_view table, std::string_view name) const {
  for (const Entry& entry : strings_) {
    if (SameText(entry.table, table) && SameText(entry.name, name)) return entry.text;
  }
  return std::nullopt;
}

std::optional<VersionBlock> ReadVersionBlock(const std::filesystem::path& file) {
  const std::optional<std::string> section = ReadElfSection(file, kSectionName);
  if (!section) return std::nullopt;
  return VersionBlock::Parse(*section);
}

std::string RunningExecutable() {
  std::error_code error;
  const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : path.string();
}

}  // namespace platform::version
