#include "platform/com/Window.h"

#include <cstdio>

namespace platform::com {

int MessageBox(HWND owner, const char* text, const char* caption, uint32_t type) {
  const std::string_view shownText = text != nullptr ? text : "";
  const std::string_view shownCaption = caption != nullptr ? caption : "";
  if (owner != nullptr) {
    owner->ShowMessage(shownText, shownCaption, type);
  } else {
    std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(shownCaption.size()), shownCaption.data(),
                 static_cast<int>(shownText.size()), shownText.data());
  }
  return 1;  // IDOK
}

}  // namespace platform::com
