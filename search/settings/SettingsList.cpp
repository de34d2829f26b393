#include "search/settings/SettingsList.h"

#include <stdexcept>

void TSettingsList::Add(std::string item) {
  items_.push_back(std::move(item));
  Changed();
}

void TSettingsList::Insert(size_t index, std::string item) {
  if (index > items_.size()) throw std::out_of_range("list index out of bounds");
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(index), std::move(item));
  Changed();
}

void TSettingsList::Delete(size_t index) {
  if (index >= items_.size()) throw std::out_of_range("list index out of bounds");
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
  Changed();
}

void TSettingsList::Put(size_t index, std::string item) {
  items_.at(index) = std::move(item);
  Changed();
}

void TSettingsList::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Changed();
}

void TSettingsList::Assign(std::vector<std::string> items) {
  if (items == items_) return;
  items_ = std::move(items);
  Changed();
}

void TSettingsList::EndUpdate() {
  if (updateCount_ == 0 || --updateCount_ > 0 || !changedDuringUpdate_) return;
  changedDuringUpdate_ = false;
  if (OnChange) OnChange(*this);
}

void TSettingsList::Changed() {
  if (updateCount_ > 0) {
    changedDuringUpdate_ = true;
  } else if (OnChange) {
    OnChange(*this);
  }
}
