#include "search/settings/RegMgr.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <map>

#include "search/settings/RegistryError.h"
#include "search/settings/VersionData.h"

namespace registry = platform::registry;

namespace {

registry::Root RootOf(TRootKeyType type) { return static_cast<registry::Root>(type); }

std::string LittleEndian(uint64_t bits) {
  std::string bytes(8, '\0');
  for (size_t i = 0; i < 8; ++i) bytes[i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
  return bytes;
}

uint64_t FromLittleEndian(const std::string& bytes) {
  uint64_t bits = 0;
  for (size_t i = 8; i-- > 0;) bits = (bits << 8) | static_cast<unsigned char>(bytes[i]);
  return bits;
}

// A decimal integer (an optional minus sign and digits), all of `text`.
bool ParseDecimal(std::string_view text, int32_t& number) {
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, number);
  return !text.empty() && error == std::errc() && stop == end;
}

// The item number of a value named `list` followed by a decimal number (no leading zero), or 0.
int64_t ItemNumber(const std::string& valueName, const std::string& list) {
  if (valueName.size() <= list.size() || !registry::NamesEqual(std::string_view(valueName).substr(0, list.size()), list)) {
    return 0;
  }
  const std::string_view digits = std::string_view(valueName).substr(list.size());
  if (digits.front() == '0' || digits.size() > 10) return 0;
  int64_t number = 0;
  const auto [stop, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  return (error == std::errc() && stop == digits.data() + digits.size()) ? number : 0;
}

}  // namespace

TRegistryManager::TRegistryManager() : registry_() {}

TRegistryManager::TRegistryManager(std::filesystem::path folder) : registry_(std::move(folder)) {}

void TRegistryManager::Loaded() {
  loading_ = false;
  OpenSettingsKey();
}

template <typename T>
void TRegistryManager::Change(T& property, const T& value) {
  if (property == value) return;
  property = value;
  if (!loading_) OpenSettingsKey();
}

void TRegistryManager::SetRootKey(TRootKeyType rootKey) { Change(rootKey_, rootKey); }
void TRegistryManager::SetBaseKey(const std::string& baseKey) { Change(baseKey_, baseKey); }
void TRegistryManager::SetCompany(const std::string& company) { Change(company_, company); }
void TRegistryManager::SetApplicationName(const std::string& name) { Change(applicationName_, name); }
void TRegistryManager::SetSubKey(const std::string& subKey) { Change(subKey_, subKey); }
void TRegistryManager::SetVersionData(TVersionData* versionData) { Change(versionData_, versionData); }

void TRegistryManager::OpenSettingsKey() {
  if (loading_) return;
  if (versionData_ != nullptr) {
    if (applicationName_.empty()) applicationName_ = versionData_->VersionInfo().ProductName;
    if (company_.empty()) company_ = versionData_->VersionInfo().CompanyName;
  }
  if (!applicationName_.empty()) {
    registry_.CloseKey();
    registry_.SetRootKey(RootOf(rootKey_));
    // Each part is opened below the one before; the chain stops at the first empty or failing
    // part and the key opened last is the settings key. Only the base key is never created.
    const std::pair<const std::string*, bool> parts[] = {
        {&baseKey_, false}, {&company_, true}, {&applicationName_, true}, {&subKey_, true}};
    for (const auto& [part, create] : parts) {
      if (part->empty() || !registry_.OpenKeyLimited(*part, create)) break;
    }
  }
  if (OnChange) OnChange(*this);
}

bool TRegistryManager::LoadBool(const std::string& name, bool defaultValue) {
  const std::optional<int32_t> number = registry_.GetInteger(name);
  return number ? *number != 0 : defaultValue;
}

int32_t TRegistryManager::LoadInteger(const std::string& name, int32_t defaultValue) {
  return registry_.GetInteger(name).value_or(defaultValue);
}

std::optional<std::string> TRegistryManager::LoadEightBytes(const std::string& name, bool anyUnknownType) {
  std::optional<registry::Value> value = registry_.GetData(name);
  if (!value || value->data.size() != 8) return std::nullopt;
  const bool known = value->type == registry::kRegSz || value->type == registry::kRegExpandSz ||
                     value->type == registry::kRegDword || value->type == registry::kRegBinary;
  if (value->type == registry::kRegBinary || (anyUnknownType && !known)) return std::move(value->data);
  return std::nullopt;
}

double TRegistryManager::LoadFloat(const std::string& name, double defaultValue) {
  const std::optional<std::string> bytes = LoadEightBytes(name, false);
  if (!bytes) return defaultValue;
  const uint64_t bits = FromLittleEndian(*bytes);
  double number = 0;
  std::memcpy(&number, &bits, sizeof number);
  return number;
}

int64_t TRegistryManager::LoadInt64(const std::string& name, int64_t defaultValue) {
  const std::optional<std::string> bytes = LoadEightBytes(name, true);
  return bytes ? static_cast<int64_t>(FromLittleEndian(*bytes)) : defaultValue;
}

std::string TRegistryManager::LoadText(const std::string& name, const std::string& defaultValue) {
  return registry_.GetText(name).value_or(defaultValue);
}

TRect TRegistryManager::LoadRect(const std::string& name, const TRect& defaultValue) {
  const std::optional<std::string> text = registry_.GetText(name);
  if (!text) return defaultValue;
  std::string_view rest = *text;
  int32_t numbers[4] = {};
  for (int32_t& number : numbers) {
    const size_t comma = std::min(rest.find(','), rest.size());
    if (!ParseDecimal(rest.substr(0, comma), number)) return defaultValue;
    rest.remove_prefix(std::min(comma + 1, rest.size()));
  }
  return TRect{numbers[0], numbers[1], numbers[2], numbers[3]};
}

void TRegistryManager::LoadList(const std::string& name, std::vector<std::string>& list) {
  list.clear();
  const int32_t count = LoadInteger(name, 0);
  if (count <= 0) return;
  // The items are found among the key's values rather than by trying every number up to the
  // count, so a damaged count cannot make loading take forever.
  std::map<int64_t, std::string> items;
  for (const std::string& valueName : registry_.GetValueNames()) {
    const int64_t number = ItemNumber(valueName, name);
    if (number < 1 || number > count) continue;
    if (std::optional<std::string> text = registry_.GetText(valueName)) items[number] = std::move(*text);
  }
  for (auto& [number, text] : items) list.push_back(std::move(text));
}

void TRegistryManager::SaveBool(const std::string& name, bool value) { registry_.PutInteger(name, value ? 1 : 0); }

void TRegistryManager::SaveInteger(const std::string& name, int32_t value) { registry_.PutInteger(name, value); }

void TRegistryManager::SaveFloat(const std::string& name, double value) {
  uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  registry_.PutBinary(name, LittleEndian(bits));
}

void TRegistryManager::SaveInt64(const std::string& name, int64_t value) {
  registry_.PutBinary(name, LittleEndian(static_cast<uint64_t>(value)));
}

void TRegistryManager::SaveText(const std::string& name, const std::string& value) { registry_.PutText(name, value); }

void TRegistryManager::SaveRect(const std::string& name, const TRect& value) {
  registry_.PutText(name, std::to_string(value.Left) + "," + std::to_string(value.Top) + "," +
                              std::to_string(value.Right) + "," + std::to_string(value.Bottom));
}

void TRegistryManager::SaveList(const std::string& name, const std::vector<std::string>& list) {
  registry_.BeginUpdate();
  try {
    const auto count = static_cast<int32_t>(list.size());
    for (int32_t i = 0; i < count; ++i) registry_.PutText(name + std::to_string(i + 1), list[static_cast<size_t>(i)]);
    for (const std::string& valueName : registry_.GetValueNames()) {
      if (ItemNumber(valueName, name) > count) registry_.DeleteValue(valueName);
    }
    registry_.PutInteger(name, count);
  } catch (...) {
    registry_.EndUpdate();
    throw;
  }
  if (!registry_.EndUpdate()) throw ERegistryException::FailedToSet(name);
}
