#include "platform/com/Menu.h"

namespace platform::com {

void Menu::Insert(uint32_t position, MenuItem item) {
  const size_t at = position < items_.size() ? position : items_.size();
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
}

MenuItem* Menu::At(uint32_t position) { return position < items_.size() ? &items_[position] : nullptr; }

MenuItem* Menu::ById(uint32_t id) {
  for (MenuItem& item : items_) {
    if (item.id == id) return &item;
  }
  return nullptr;
}

namespace {

// The position that `position` names under `flags`; false when it names no item.
bool Locate(Menu& menu, uint32_t position, uint32_t flags, uint32_t& index) {
  if ((flags & MF_BYPOSITION) != 0) {
    index = position;
    return true;
  }
  const MenuItem* item = menu.ById(position);
  if (item == nullptr) return false;
  index = static_cast<uint32_t>(item - menu.Items().data());
  return true;
}

}  // namespace

bool InsertMenu(HMENU menu, uint32_t position, uint32_t flags, uintptr_t newItemId, const char* text) {
  uint32_t index = 0;
  if (menu == nullptr || !Locate(*menu, position, flags, index)) return false;
  MenuItem item;
  item.id = static_cast<uint32_t>(newItemId);
  item.separator = (flags & MF_SEPARATOR) != 0;
  if (!item.separator && text != nullptr) item.text = text;
  menu->Insert(index, std::move(item));
  return true;
}

bool SetMenuItemBitmaps(HMENU menu, uint32_t position, uint32_t flags, HBITMAP unchecked, HBITMAP checked) {
  uint32_t index = 0;
  if (menu == nullptr || !Locate(*menu, position, flags, index)) return false;
  MenuItem* item = menu->At(index);
  if (item == nullptr) return false;
  item->uncheckedImage = unchecked;
  item->checkedImage = checked;
  return true;
}

}  // namespace platform::com
