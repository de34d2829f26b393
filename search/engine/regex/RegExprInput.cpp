#include "search/engine/regex/RegExprInput.h"

#include "search/engine/Utf8.h"

namespace search {

void AppendRegExprRawByte(unsigned char byte, std::string& out) {
  if (byte < 0xC0) {
    out.push_back(static_cast<char>(kRegExprRawLowLead));
    out.push_back(static_cast<char>(byte));
  } else {
    out.push_back(static_cast<char>(kRegExprRawHighLead));
    out.push_back(static_cast<char>(byte - 0x40));
  }
}

std::string RegExprInputOf(std::string_view line) {
  std::string out;
  out.reserve(line.size() + 16);
  std::size_t i = 0;
  while (i < line.size()) {
    const auto byte = static_cast<unsigned char>(line[i]);
    if (byte < 0x80) {
      out.push_back(line[i++]);
      continue;
    }
    char32_t ignored = 0;
    const std::size_t length = DecodeUtf8(line.substr(i), ignored);
    if (length == 0) {
      AppendRegExprRawByte(byte, out);
      ++i;
    } else {
      out.append(line.substr(i, length));
      i += length;
    }
  }
  return out;
}

}  // namespace search
