#include "extension/MenuBitmaps.h"

#include <array>
#include <cstdio>
#include <string>

#include "platform/registry/RegistryValue.h"

namespace kestrix {

using platform::com::HBITMAP;

namespace {

// A magnifying glass: '#' rim, 'o' glass, '/' handle, '.' transparent.
constexpr std::array<std::string_view, 16> kGlass16 = {
    "................", "....######......", "..##oooooo##....", "..#oooooooo#....",
    ".#oooooooooo#...", ".#oooooooooo#...", ".#oooooooooo#...", ".#oooooooooo#...",
    ".#oooooooooo#...", "..#oooooooo#....", "..##oooooo###...", "....######.///..",
    "............///.", ".............///", "..............//", "................",
};
constexpr std::array<std::string_view, 13> kGlass13 = {
    ".............", "...#####.....", "..#ooooo#....", ".#ooooooo#...", ".#ooooooo#...", ".#ooooooo#...",
    ".#ooooooo#...", "..#ooooo##...", "...#####///..", ".........///.", "..........///", "...........//",
    ".............",
};

uint32_t PixelOf(char c) {
  switch (c) {
    case '#': return 0xFF303030u;
    case 'o': return 0xFFB8D8F0u;
    case '/': return 0xFF805020u;
    default: return 0x00000000u;
  }
}

template <size_t N>
platform::com::MenuBitmap Draw(const std::array<std::string_view, N>& rows) {
  platform::com::MenuBitmap bitmap;
  bitmap.width = static_cast<int>(rows.front().size());
  bitmap.height = static_cast<int>(N);
  for (std::string_view row : rows) {
    for (char c : row) bitmap.pixels.push_back(PixelOf(c));
  }
  return bitmap;
}

struct BitmapResource {
  const char* name;
  platform::com::MenuBitmap bitmap;
};

const std::array<BitmapResource, 2>& Resources() {
  static const std::array<BitmapResource, 2> resources = {
      BitmapResource{"SHELLBITMAP13X13", Draw(kGlass13)},
      BitmapResource{"SHELLBITMAP16X16", Draw(kGlass16)},
  };
  return resources;
}

// Loaded when the library is loaded, released when it is unloaded.
struct LoadedMenuBitmap {
  HBITMAP bitmap = BitmapForCheckMark(platform::com::MenuCheckMarkSize());
};
const LoadedMenuBitmap loadedMenuBitmap;

}  // namespace

HBITMAP FindBitmapResource(std::string_view name) {
  for (const BitmapResource& resource : Resources()) {
    if (platform::registry::NamesEqual(name, resource.name)) return &resource.bitmap;
  }
  return nullptr;
}

HBITMAP BitmapForCheckMark(platform::com::CheckMarkSize size) {
  const bool usual = (size.width == 13 && size.height == 13) || (size.width == 16 && size.height == 16);
  if (!usual) return nullptr;
  char name[32];
  std::snprintf(name, sizeof name, "ShellBitmap%dx%d", size.width, size.height);
  return FindBitmapResource(name);
}

HBITMAP MenuBitmap() { return loadedMenuBitmap.bitmap; }

}  // namespace kestrix
