#pragma once
// The character set of the running locale.

namespace platform::locale {

// True when the locale's character set (LC_CTYPE) is UTF-8.
bool CodesetIsUtf8();

}  // namespace platform::locale
