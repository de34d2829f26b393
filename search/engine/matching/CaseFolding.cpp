#include "search/engine/matching/CaseFolding.h"

#include <clocale>
#include <cstring>
#include <cwctype>

#include "platform/locale/Codeset.h"
#include "search/engine/Utf8.h"

namespace search {

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
