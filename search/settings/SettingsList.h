#pragma once
// A persistent list of texts (the recent values of a criteria box, the custom colours) that
// reports each change, or one change for a batch between BeginUpdate and EndUpdate.

#include <functional>
#include <string>
#include <vector>

class TSettingsList {
 public:
  explicit TSettingsList(std::string name) : name_(std::move(name)) {}
  TSettingsList(const TSettingsList&) = delete;
  TSettingsList& operator=(const TSettingsList&) = delete;

  // The registry value name the list is stored under.
  const std::string& Name() const { return name_; }
  const std::vector<std::string>& Items() const { return items_; }
  size_t Count() const { return items_.size(); }
  const std::string& operator[](size_t index) const { return items_.at(index); }

  void Add(std::string item);
  void Insert(size_t index, std::string item);
  void Delete(size_t index);
  void Put(size_t index, std::string item);
  void Clear();
  // Replaces the items; no change when they are the same.
  void Assign(std::vector<std::string> items);

  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();

  // Replaces the items without reporting a change (loading).
  void Load(std::vector<std::string> items) { items_ = std::move(items); }

  std::function<void(TSettingsList&)> OnChange;

 private:
  void Changed();

  std::string name_;
  std::vector<std::string> items_;
  int updateCount_ = 0;
  bool changedDuringUpdate_ = false;
};
