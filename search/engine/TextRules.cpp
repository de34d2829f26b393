#include "search/engine/TextRules.h"

#include "platform/fs/FileSystem.h"
#include "search/engine/Utf8.h"

namespace search {

std::string TakeFirstItem(std::string& list, std::string_view separators) {
  const size_t position = list.find_first_of(separators);
  if (position == std::string::npos) {
    std::string item = std::move(list);
    list.clear();
    return item;
  }
  std::string item = list.substr(0, position);
  list.erase(0, position + 1);
  return item;
}

std::vector<std::string> SplitText(std::string_view text, std::string_view separator) {
  std::vector<std::string> pieces;
  if (separator.empty()) {
    if (!text.empty()) pieces.emplace_back(text);
    return pieces;
  }
  size_t position;
  while ((position = text.find(separator)) != std::string_view::npos) {
    pieces.emplace_back(text.substr(0, position));
    text.remove_prefix(position + separator.size());
  }
  if (!text.empty()) pieces.emplace_back(text);
  return pieces;
}

std::vector<std::string> ListItems(std::string_view list) {
  std::vector<std::string> items;
  std::string rest(list);
  while (!rest.empty()) {
    std::string item = Trim(TakeFirstItem(rest, ";"));
    if (item.empty()) break;
    items.push_back(std::move(item));
  }
  return items;
}

// The recursive rule, worked iteratively: a `*` first takes no character and, when what follows
// it fails, one more at a time; only the last `*` is ever taken back to, which gives the same
// answers in time that stays linear in practice even for masks full of stars. The rule's end
// cases hold exactly: a rest of the mask that is exactly "*" matches whatever is left (also
// nothing), while a used-up name matches only a used-up mask ("a**" does not match "a").
bool MatchesMask(std::string_view mask, std::string_view name) {
  size_t m = 0, n = 0;
  size_t starMask = std::string_view::npos, starName = 0;
  for (;;) {
    if (mask.substr(m) == "*") return true;
    if (n == name.size()) {
      if (m == mask.size()) return true;
    } else if (m < mask.size() && mask[m] == '*') {
      starMask = m++;
      starName = n;
      continue;
    } else if (m < mask.size() && mask[m] == '?') {
      ++m;
      n += Utf8CharLength(name, n);
      continue;
    } else if (m < mask.size() && mask[m] == name[n]) {
      ++m;
      ++n;
      continue;
    }
    if (starMask == std::string_view::npos || starName == name.size()) return false;
    starName += Utf8CharLength(name, starName);
    m = starMask + 1;
    n = starName;
  }
}

std::string SystemErrorText(int code) { return platform::fs::ErrorMessage(code); }

std::string AsciiLower(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return result;
}

std::string AsciiUpper(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return result;
}

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && AsciiUpper(a) == AsciiUpper(b);
}

std::string Trim(std::string_view text) {
  auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

}  // namespace search
