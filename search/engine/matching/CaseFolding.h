#pragma once
// Letter folding for searches that ignore case. ASCII letters always fold; in a UTF-8 locale
// the letters of UTF-8 text fold too (É and é alike). A letter outside ASCII never folds to an
// ASCII one, so ASCII text can be compared without decoding. Bytes that are not valid UTF-8
// are kept as they are.

#include <string>
#include <string_view>

namespace search {

// True when the current locale's character set is UTF-8.
bool LocaleIsUtf8();

// The text upper-cased by the rule above; `utf8` says whether non-ASCII letters fold.
std::string FoldCase(std::string_view text, bool utf8);

// True when the text has a byte above 127.
bool HasNonAscii(std::string_view text);

inline char AsciiUpperChar(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace search
