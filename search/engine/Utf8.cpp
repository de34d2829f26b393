#include "search/engine/Utf8.h"

#include <cstdint>
#include <cstring>

namespace search {

std::size_t DecodeUtf8(std::string_view text, char32_t& codePoint) {
  if (text.empty()) return 0;
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  std::size_t length;
  char32_t value;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    value = (value << 6) | (byte(i) & 0x3F);
  }
  const bool overlong = (length == 3 && value < 0x800) || (length == 4 && value < 0x10000);
  if (overlong || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  codePoint = value;
  return length;
}

std::size_t Utf8CharLength(std::string_view text, std::size_t position) {
  if (static_cast<unsigned char>(text[position]) < 0x80) return 1;
  char32_t ignored = 0;
  const std::size_t length = DecodeUtf8(text.substr(position), ignored);
  return length == 0 ? 1 : length;
}

void EncodeUtf8(char32_t value, std::string& out) {
  if (value < 0x80) {
    out.push_back(static_cast<char>(value));
    return;
  }
  if (value < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (value >> 6)));
  } else if (value < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (value >> 12)));
    out.push_back(static_cast<char>(0x80 | ((value >> 6) & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (value >> 18)));
    out.push_back(static_cast<char>(0x80 | ((value >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((value >> 6) & 0x3F)));
  }
  out.push_back(static_cast<char>(0x80 | (value & 0x3F)));
}

bool IsValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    // Eight ASCII bytes at a time.
    if (i + 8 <= text.size()) {
      std::uint64_t word;
      std::memcpy(&word, text.data() + i, sizeof word);
      if ((word & 0x8080808080808080ull) == 0) {
        i += 8;
        continue;
      }
    }
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    char32_t ignored = 0;
    const std::size_t length = DecodeUtf8(text.substr(i), ignored);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

}  // namespace search
