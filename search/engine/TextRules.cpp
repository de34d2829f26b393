#include "search/engine/TextRules.h"

#include "platform/fs/FileSystem.h"

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

// Iterative form of the recursive rule, backtracking to the last `*` only; the answers are
// the same and the time stays linear in practice even for masks full of stars.
bool MatchesMask(std::string_view mask, std::string_view name) {
  size_t m = 0, n = 0;
  size_t starMask = std::string_view::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == '*') {
      starMask = m++;
      starName = n;
    } else if (m < mask.size() && (mask[m] == '?' || mask[m] == name[n])) {
      ++m;
      ++n;
    } else if (starMask != std::string_view::npos) {
      m = starMask + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
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
