#include "platform/shell/FileUri.h"

#include <cctype>

namespace platform::shell {
namespace {

bool KeptAsIs(unsigned char c) {
  return std::isalnum(c) != 0 || c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool StartsWithNoCase(const std::string& text, const char* prefix) {
  for (size_t i = 0; prefix[i] != '\0'; ++i) {
    if (i >= text.size() || std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  }
  return true;
}

}  // namespace

std::string FileUri(const std::string& path) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string uri = "file://";
  uri.reserve(uri.size() + path.size());
  for (char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (KeptAsIs(byte)) {
      uri += c;
    } else {
      uri += '%';
      uri += kHex[byte >> 4];
      uri += kHex[byte & 15];
    }
  }
  return uri;
}

std::string UriList(const std::vector<std::string>& paths) {
  std::string text;
  for (const std::string& path : paths) text += FileUri(path) + "\r\n";
  return text;
}

std::string GnomeCopiedFiles(const std::vector<std::string>& paths) {
  std::string text = "copy";
  for (const std::string& path : paths) text += "\n" + FileUri(path);
  return text;
}

bool PathFromFileUri(const std::string& uri, std::string& path) {
  if (!StartsWithNoCase(uri, "file:")) return false;
  std::string rest = uri.substr(5);
  if (rest.rfind("//", 0) == 0) {
    const size_t slash = rest.find('/', 2);
    const std::string host = rest.substr(2, slash == std::string::npos ? std::string::npos : slash - 2);
    if (!host.empty() && host != "localhost") return false;
    rest = slash == std::string::npos ? std::string() : rest.substr(slash);
  }
  if (rest.empty() || rest.front() != '/') return false;
  path.clear();
  for (size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] == '%' && i + 2 < rest.size() && HexValue(rest[i + 1]) >= 0 && HexValue(rest[i + 2]) >= 0) {
      path += static_cast<char>(HexValue(rest[i + 1]) * 16 + HexValue(rest[i + 2]));
      i += 2;
    } else {
      path += rest[i];
    }
  }
  return true;
}

}  // namespace platform::shell
