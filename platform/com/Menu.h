#pragma once
// A pop-up menu that a host builds and a handler fills: items with texts, command identifiers
// and check-mark images, inserted by position (InsertMenu, SetMenuItemBitmaps).

#include <cstdint>
#include <string>
#include <vector>

#include "platform/com/MenuBitmap.h"

namespace platform::com {

inline constexpr uint32_t MF_STRING = 0x0000;
inline constexpr uint32_t MF_BYCOMMAND = 0x0000;
inline constexpr uint32_t MF_BYPOSITION = 0x0400;
inline constexpr uint32_t MF_SEPARATOR = 0x0800;

struct MenuItem {
  std::string text;  // empty for a separator
  uint32_t id = 0;
  bool separator = false;
  HBITMAP uncheckedImage = nullptr;
  HBITMAP checkedImage = nullptr;
};

class Menu {
 public:
  const std::vector<MenuItem>& Items() const { return items_; }
  // Inserts before `position`; a position past the end appends.
  void Insert(uint32_t position, MenuItem item);
  MenuItem* At(uint32_t position);
  // The item carrying the command `id` (the first, when several do).
  MenuItem* ById(uint32_t id);

 private:
  std::vector<MenuItem> items_;
};

using HMENU = Menu*;

// Inserts a text item, or a separator with MF_SEPARATOR, at `position` (MF_BYPOSITION) or
// before the item with the command `position`. False for a null menu or no such item.
bool InsertMenu(HMENU menu, uint32_t position, uint32_t flags, uintptr_t newItemId, const char* text);
// Sets an item's check-mark images, the item found as for InsertMenu.
bool SetMenuItemBitmaps(HMENU menu, uint32_t position, uint32_t flags, HBITMAP unchecked, HBITMAP checked);

}  // namespace platform::com
