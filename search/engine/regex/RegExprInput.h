#pragma once
// The line as the matchers of a UTF-8 expression read it. Valid UTF-8 is left as it is; a
// byte that is not part of a valid sequence becomes a two-byte escape, so that it stays one
// character of its own and can never pass for part of another: 0xF8 followed by the byte for
// 0x80..0xBF, 0xF9 followed by the byte minus 0x40 for 0xC0..0xFF. Neither lead byte occurs in
// valid UTF-8, and the second byte is always a continuation byte, where no character starts.

#include <string>
#include <string_view>

namespace search {

inline constexpr unsigned char kRegExprRawLowLead = 0xF8;
inline constexpr unsigned char kRegExprRawHighLead = 0xF9;

// Appends the escape of one lone byte (0x80..0xFF).
void AppendRegExprRawByte(unsigned char byte, std::string& out);

// The line with every lone byte escaped; only called for lines that are not valid UTF-8.
std::string RegExprInputOf(std::string_view line);

}  // namespace search
