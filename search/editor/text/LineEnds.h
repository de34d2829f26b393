#pragma once
// The line ends of a text as it stands on disk: which one a new line takes, and whether the
// bytes read as UTF-8.

#include <string_view>

namespace editor {

enum class TLineEnd { Lf, CrLf, Cr };

// The most common line end of the text; LF for a text without any (ties go LF, CR LF, CR).
TLineEnd MostCommonLineEnd(std::string_view text);

// True when the bytes are valid UTF-8 (NUL bytes included; overlong forms and surrogates are not).
bool IsValidUtf8(std::string_view text);

}  // namespace editor
