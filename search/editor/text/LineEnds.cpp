#include "search/editor/text/LineEnds.h"

#include <cstddef>

namespace editor {

TLineEnd MostCommonLineEnd(std::string_view text) {
  size_t lf = 0;
  size_t crLf = 0;
  size_t cr = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      ++lf;
    } else if (text[i] == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') {
        ++crLf;
        ++i;
      } else {
        ++cr;
      }
    }
  }
  if (lf >= crLf && lf >= cr) return TLineEnd::Lf;
  return crLf >= cr ? TLineEnd::CrLf : TLineEnd::Cr;
}

bool IsValidUtf8(std::string_view text) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const size_t size = text.size();
  size_t i = 0;
  while (i < size) {
    // Runs of ASCII are the common case: eight bytes at a time.
    while (i + 8 <= size) {
      unsigned long long word = 0;
      for (size_t k = 0; k < 8; ++k) word |= static_cast<unsigned long long>(bytes[i + k]) << (8 * k);
      if ((word & 0x8080808080808080ULL) != 0) break;
      i += 8;
    }
    if (i >= size) break;
    const unsigned char lead = bytes[i];
    if (lead < 0x80) {
      ++i;
      continue;
    }
    size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      return false;
    }
    if (i + length > size) return false;
    if (bytes[i + 1] < low || bytes[i + 1] > high) return false;
    for (size_t k = 2; k < length; ++k) {
      if ((bytes[i + k] & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

}  // namespace editor
