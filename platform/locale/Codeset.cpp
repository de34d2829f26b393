#include "platform/locale/Codeset.h"

#include <cstring>
#include <langinfo.h>

namespace platform::locale {

bool CodesetIsUtf8() {
  const char* codeset = nl_langinfo(CODESET);
  return codeset != nullptr && (std::strcmp(codeset, "UTF-8") == 0 || std::strcmp(codeset, "utf8") == 0);
}

}  // namespace platform::locale
