#pragma once
// The extension's bitmap resources: the menu entry's check-mark image in the two sizes menus
// use, found by name as resources are (without regard to case), and the one loaded for this
// desktop's check-mark size.

#include <string_view>

#include "platform/com/MenuBitmap.h"

namespace kestrix {

// "SHELLBITMAP13X13" or "SHELLBITMAP16X16"; null for any other name.
platform::com::HBITMAP FindBitmapResource(std::string_view name);
// The resource "ShellBitmap<width>x<height>" for a 13 by 13 or 16 by 16 check mark, else null.
platform::com::HBITMAP BitmapForCheckMark(platform::com::CheckMarkSize size);

// The image loaded with the library for the desktop's check mark; null when there is none.
platform::com::HBITMAP MenuBitmap();

}  // namespace kestrix
