#pragma once
// The owner window a host hands to a handler, through which the handler's message boxes appear.

#include <cstdint>
#include <string_view>

namespace platform::com {

inline constexpr uint32_t MB_OK = 0x00;
inline constexpr uint32_t MB_ICONERROR = 0x10;

class Window {
 public:
  virtual void ShowMessage(std::string_view text, std::string_view caption, uint32_t type) = 0;

 protected:
  ~Window() = default;
};

using HWND = Window*;

// Shows a message owned by `owner`; without an owner it goes to standard error.
int MessageBox(HWND owner, const char* text, const char* caption, uint32_t type);

}  // namespace platform::com
