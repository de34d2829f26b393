#include "search/engine/scanning/LineText.h"

#include <cstring>

namespace search {

std::string_view PrepareLine(std::string_view raw, std::string& scratch) {
  if (const void* nul = std::memchr(raw.data(), '\0', raw.size())) {
    raw = raw.substr(0, static_cast<size_t>(static_cast<const char*>(nul) - raw.data()));
  }
  const void* cr = std::memchr(raw.data(), '\r', raw.size());
  if (cr == nullptr) return raw;
  scratch.clear();
  for (char c : raw) {
    if (c != '\r') scratch.push_back(c);
  }
  return scratch;
}

std::string ReplaceControlChars(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 32 || u == 127) c = ' ';
  }
  return result;
}

std::string HalveSpaceRuns(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    result.push_back(text[i]);
    if (text[i] == ' ' && i + 1 < text.size() && text[i + 1] == ' ') ++i;
  }
  return result;
}

std::string ShownText(std::string_view prepared, bool minimiseWhitespace) {
  std::string shown = ReplaceControlChars(prepared);
  if (!minimiseWhitespace) return shown;
  shown = HalveSpaceRuns(shown);
  const size_t first = shown.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const size_t last = shown.find_last_not_of(' ');
  return shown.substr(first, last - first + 1);
}

bool ShowsAsEmpty(std::string_view prepared, bool minimiseWhitespace) {
  if (prepared.empty()) return true;
  if (!minimiseWhitespace) return false;
  for (char c : prepared) {
    const auto u = static_cast<unsigned char>(c);
    if (u > 32 && u != 127) return false;
  }
  return true;
}

}  // namespace search
