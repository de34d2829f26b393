#pragma once
// The version block of an executable: fixed numbers and flags, and string tables by language
// and code page. Our executables carry it as text in the ELF section ".vantrel_version":
//
//   VANTREL-VERSION 1
//   FILEVERSION 7,0,0,57
//   PRODUCTVERSION 7,0,0,0
//   FILEFLAGSMASK 0x3F
//   FILEFLAGS 0x2
//   FILEOS 0x4
//   FILETYPE 0x1
//   FILESUBTYPE 0x0
//   BLOCK "080904E4"
//   VALUE "CompanyName" "Vantrel Software"
//   END

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::version {

inline constexpr std::string_view kSectionName = ".vantrel_version";

struct FixedFileInfo {
  uint32_t fileVersionMS = 0;
  uint32_t fileVersionLS = 0;
  uint32_t productVersionMS = 0;
  uint32_t productVersionLS = 0;
  uint32_t fileFlagsMask = 0;
  uint32_t fileFlags = 0;
  uint32_t fileOS = 0;
  uint32_t fileType = 0;
  uint32_t fileSubtype = 0;
};

class VersionBlock {
 public:
  // Reads the text of a block. Lines it cannot use are skipped; without a FILEVERSION line the
  // block has no fixed part.
  static VersionBlock Parse(std::string_view text);

  // The fixed part, or null when the block has none.
  const FixedFileInfo* Fixed() const { return fixed_ ? &*fixed_ : nullptr; }
  // The string `name` of the table `table` (language and code page as eight hexadecimal
  // digits); both are found without regard to case.
  std::optional<std::string> QueryString(std::string_view table, std::string_view name) const;

 private:
  struct Entry {
    std::string table;
    std::string name;
    std::string text;
  };
  std::optional<FixedFileInfo> fixed_;
  std::vector<Entry> strings_;
};

// The block embedded in an executable; nullopt when the file has none or cannot be read.
std::optional<VersionBlock> ReadVersionBlock(const std::filesystem::path& file);

// The full path of the running executable.
std::string RunningExecutable();

}  // namespace platform::version
