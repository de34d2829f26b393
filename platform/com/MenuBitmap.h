#pragma once
// A small image for a menu entry: width, height and ARGB pixels row by row.

#include <cstdint>
#include <vector>

namespace platform::com {

struct MenuBitmap {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0xAARRGGBB, width * height of them
};

using HBITMAP = const MenuBitmap*;

struct CheckMarkSize {
  int width = 0;
  int height = 0;
};

// The size of a menu check mark on this desktop (GetSystemMetrics SM_CXMENUCHECK and
// SM_CYMENUCHECK): Linux desktops draw menu images at 16 by 16 pixels.
inline CheckMarkSize MenuCheckMarkSize() { return {16, 16}; }

}  // namespace platform::com
