#pragma once
// Reading and writing UTF-8 sequences. A byte that does not begin a valid sequence (well
// formed, not overlong, no surrogate, at most U+10FFFF) stands for itself, one byte long.

#include <cstddef>
#include <string>
#include <string_view>

namespace search {

// Decodes the sequence at the start of the text; returns its length, 0 when the text does not
// begin with a valid sequence of two or more bytes (ASCII and empty texts included).
std::size_t DecodeUtf8(std::string_view text, char32_t& codePoint);

// The length of the character at `position`: a valid sequence, or a single byte.
std::size_t Utf8CharLength(std::string_view text, std::size_t position);

// Appends the sequence of a code point (below 0x110000).
void EncodeUtf8(char32_t codePoint, std::string& out);

// True when every byte of the text belongs to a valid sequence.
bool IsValidUtf8(std::string_view text);

}  // namespace search
