#include "cli/RowText.h"

namespace cli {

std::string EscapedRow(std::string_view row) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(row.size());
  for (const char c : row) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\\') {
      out += "\\\\";
    } else if (byte < 0x20 || byte == 0x7F) {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace cli
