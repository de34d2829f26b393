#include "search/engine/matching/CaseFolding.h"

#include <clocale>
#include <cstring>
#include <cwctype>

#include "platform/locale/Codeset.h"

namespace search {
namespace {

// Decodes one UTF-8 sequence at the start of the text; returns its length, 0 when invalid.
size_t DecodeUtf8(std::string_view text, char32_t& codePoint) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  size_t length;
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
  for (size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    value = (value << 6) | (byte(i) & 0x3F);
  }
  const bool overlong = (length == 3 && value < 0x800) || (length == 4 && value < 0x10000);
  if (overlong || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  codePoint = value;
  return length;
}

void EncodeUtf8(char32_t value, std::string& out) {
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

}  // namespace

bool LocaleIsUtf8() { return platform::locale::CodesetIsUtf8(); }

bool HasNonAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

std::string FoldCase(std::string_view text, bool utf8) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (static_cast<unsigned char>(c) < 0x80 || !utf8) {
      out.push_back(AsciiUpperChar(c));
      ++i;
      continue;
    }
    char32_t codePoint = 0;
    const size_t length = DecodeUtf8(text.substr(i), codePoint);
    if (length == 0) {
      out.push_back(c);
      ++i;
      continue;
    }
    const auto upper = static_cast<char32_t>(std::towupper(static_cast<wint_t>(codePoint)));
    EncodeUtf8(upper >= 0x80 ? upper : codePoint, out);
    i += length;
  }
  return out;
}

}  // namespace search
