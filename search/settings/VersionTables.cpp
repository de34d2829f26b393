#include "search/settings/VersionTables.h"

#include <array>
#include <stdexcept>
#include <utility>

namespace {

constexpr std::array<uint16_t, 45> kLanguageIds = {
    0x0401, 0x0402, 0x0403, 0x0404, 0x0405, 0x0406, 0x0407, 0x0408, 0x0409, 0x040A, 0x040B, 0x040C,
    0x040D, 0x040E, 0x040F, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418,
    0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0804, 0x0807, 0x0809,
    0x080A, 0x080C, 0x0810, 0x0813, 0x0814, 0x0816, 0x081A, 0x0C0C, 0x100C};

constexpr std::array<uint16_t, 12> kCodePages = {0, 932, 949, 950, 1200, 1250, 1251, 1252, 1253, 1254, 1255, 1256};

template <size_t N>
std::string Lookup(const std::array<std::pair<uint32_t, const char*>, N>& table, uint32_t code) {
  for (const auto& [key, text] : table) {
    if (key == code) return text;
  }
  return "Unknown";
}

}  // namespace

uint16_t LanguageId(TLanguage language) { return kLanguageIds.at(static_cast<size_t>(language)); }

uint16_t CodePage(TCharacterSet characterSet) { return kCodePages.at(static_cast<size_t>(characterSet)); }

std::string FileOSText(uint32_t code) {
  static constexpr std::array<std::pair<uint32_t, const char*>, 13> kTexts = {{
      {1, "Windows 3.0 or later"},
      {2, "16 bit OS/2 Presentation Manager"},
      {3, "32 bit OS/2 Presentation Manager"},
      {4, "32 bit Windows"},
      {0x10000, "MS-Dos"},
      {0x10001, "Windows 3.0 or later with MS-Dos"},
      {0x10004, "32 bit Windows with MS-Dos"},
      {0x20000, "16 bit OS/2"},
      {0x20002, "16 bit OS/2 with Presentation Manager"},
      {0x30000, "32 bit OS/2"},
      {0x30003, "32 bit OS/2 with Presentation Manager"},
      {0x40000, "Windows NT"},
      {0x40004, "Windows NT with 32 bit Windows"},
  }};
  return Lookup(kTexts, code);
}

std::string FileTypeText(uint32_t code) {
  static constexpr std::array<std::pair<uint32_t, const char*>, 6> kTexts = {{
      {1, "Application"},
      {2, "Dynamic-Link Library"},
      {3, "Device Driver"},
      {4, "Font"},
      {5, "Virtual Device Driver"},
      {7, "Static-Link Library"},
  }};
  return Lookup(kTexts, code);
}

std::string FileSubTypeText(uint32_t type, uint32_t subtype) {
  static constexpr std::array<std::pair<uint32_t, const char*>, 10> kDrivers = {{
      {1, "Printer"},
      {2, "Keyboard"},
      {3, "Language"},
      {4, "Display"},
      {5, "Mouse"},
      {6, "Network"},
      {7, "System"},
      {8, "Installable"},
      {9, "Sound"},
      {10, "Communications"},
  }};
  static constexpr std::array<std::pair<uint32_t, const char*>, 3> kFonts = {{
      {1, "Raster"},
      {2, "Vector"},
      {3, "TrueType"},
  }};
  if (type == 3) return Lookup(kDrivers, subtype);
  if (type == 4) return Lookup(kFonts, subtype);
  return "";
}
