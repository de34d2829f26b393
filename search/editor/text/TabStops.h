#pragma once
// A tab-stop text: 1-based columns separated by blanks or tabs ("3 5 7"), each greater than the
// one before, the first greater than 0. The empty text is a valid list without stops.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace editor {

// The columns of the text, or none when it is not such a list (a word that is not a decimal
// number fitting 32 bits, a zero first stop, a stop not greater than the one before).
std::optional<std::vector<int32_t>> ParseTabStops(std::string_view text);

}  // namespace editor
