#include "search/editor/text/TabStops.h"

#include <algorithm>
#include <charconv>

namespace editor {

std::optional<std::vector<int32_t>> ParseTabStops(std::string_view text) {
  constexpr std::string_view kSeparators = " \t";
  std::vector<int32_t> stops;
  size_t at = text.find_first_not_of(kSeparators);
  while (at != std::string_view::npos) {
    const size_t end = std::min(text.find_first_of(kSeparators, at), text.size());
    const std::string_view word = text.substr(at, end - at);
    int32_t column = 0;
    const auto [stop, error] = std::from_chars(word.data(), word.data() + word.size(), column);
    if (error != std::errc() || stop != word.data() + word.size()) return std::nullopt;
    if (column <= (stops.empty() ? 0 : stops.back())) return std::nullopt;
    stops.push_back(column);
    at = text.find_first_not_of(kSeparators, end);
  }
  return stops;
}

}  // namespace editor
