#pragma once
// Counts the occurrences of one byte in a buffer, sixteen or thirty-two bytes at a time.

#include <cstddef>
#include <string_view>

namespace search {

size_t CountByte(std::string_view text, char byte);

}  // namespace search
