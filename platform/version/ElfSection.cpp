#include "platform/version/ElfSection.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <vector>

namespace platform::version {
namespace {

constexpr size_t kMaxSectionSize = 1 << 20;

class Reader {
 public:
  explicit Reader(const std::filesystem::path& file) : in_(file, std::ios::binary) {
    in_.seekg(0, std::ios::end);
    size_ = in_ ? static_cast<uint64_t>(in_.tellg()) : 0;
  }

  bool Read(uint64_t offset, size_t length, std::string& bytes) {
    if (!in_ || offset > size_ || length > size_ - offset) return false;
    bytes.assign(length, '\0');
    in_.seekg(static_cast<std::streamoff>(offset));
    in_.read(bytes.data(), static_cast<std::streamsize>(length));
    return static_cast<bool>(in_);
  }

 private:
  std::ifstream in_;
  uint64_t size_ = 0;
};

uint64_t Little(std::string_view bytes, size_t offset, size_t width) {
  uint64_t number = 0;
  for (size_t i = width; i-- > 0;) number = (number << 8) | static_cast<unsigned char>(bytes[offset + i]);
  return number;
}

// Where the fields of the file header and of a section header lie, for 32- and 64-bit files.
struct Layout {
  size_t headerSize, shoff, shoffWidth, shentsize, shnum, shstrndx;
  size_t sectionName, sectionOffset, sectionSize, wordWidth;
};

constexpr Layout kElf32{52, 32, 4, 46, 48, 50, 0, 16, 20, 4};
constexpr Layout kElf64{64, 40, 8, 58, 60, 62, 0, 24, 32, 8};

struct Section {
  uint32_t name = 0;
  uint64_t offset = 0;
  uint64_t size = 0;
};

}  // namespace

std::optional<std::string> ReadElfSection(const std::filesystem::path& file, std::string_view name) {
  Reader reader(file);
  std::string ident;
  if (!reader.Read(0, 16, ident) || ident.compare(0, 4, "\x7f" "ELF") != 0 || ident[5] != 1) return std::nullopt;
  const Layout& layout = ident[4] == 2 ? kElf64 : kElf32;
  std::string header;
  if (!reader.Read(0, layout.headerSize, header)) return std::nullopt;
  const uint64_t shoff = Little(header, layout.shoff, layout.shoffWidth);
  const size_t shentsize = Little(header, layout.shentsize, 2);
  const size_t shnum = Little(header, layout.shnum, 2);
  const size_t shstrndx = Little(header, layout.shstrndx, 2);
  if (shentsize < layout.sectionSize + layout.wordWidth || shstrndx >= shnum) return std::nullopt;

  std::string table;
  if (!reader.Read(shoff, shentsize * shnum, table)) return std::nullopt;
  std::vector<Section> sections(shnum);
  for (size_t i = 0; i < shnum; ++i) {
    const size_t at = i * shentsize;
    sections[i] = Section{static_cast<uint32_t>(Little(table, at + layout.sectionName, 4)),
                          Little(table, at + layout.sectionOffset, layout.wordWidth),
                          Little(table, at + layout.sectionSize, layout.wordWidth)};
  }
  std::string names;
  const Section& nameSection = sections[shstrndx];
  if (nameSection.size > kMaxSectionSize || !reader.Read(nameSection.offset, nameSection.size, names)) {
    return std::nullopt;
  }
  for (const Section& section : sections) {
    if (section.name >= names.size() || std::strcmp(names.c_str() + section.name, std::string(name).c_str()) != 0) {
      continue;
    }
    std::string bytes;
    if (section.size > kMaxSectionSize || !reader.Read(section.offset, section.size, bytes)) return std::nullopt;
    return bytes;
  }
  return std::nullopt;
}

}  // namespace platform::version
