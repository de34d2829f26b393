#pragma once
// The settings store: opens the application's own registry key (the root, then BaseKey, Company,
// ApplicationName and SubKey) and loads and saves typed values, rectangles and string lists there.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "search/settings/NtRegistry.h"
#include "search/settings/Rect.h"

class TVersionData;

enum class TRootKeyType : uint8_t {
  HKeyClassesRoot,
  HKeyCurrentUser,
  HKeyLocalMachine,
  HKeyUsers,
  HKeyCurrentConfig,
  HkeyDynData,
};

class TRegistryManager {
 public:
  // Starts "under construction": property changes open nothing until Loaded().
  TRegistryManager();
  // Works on the registry in `folder` instead of the default one.
  explicit TRegistryManager(std::filesystem::path folder);
  TRegistryManager(const TRegistryManager&) = delete;
  TRegistryManager& operator=(const TRegistryManager&) = delete;

  // The owner has finished constructing: opens the settings key.
  void Loaded();

  TRootKeyType RootKey() const { return rootKey_; }
  const std::string& BaseKey() const { return baseKey_; }
  const std::string& Company() const { return company_; }
  const std::string& ApplicationName() const { return applicationName_; }
  const std::string& SubKey() const { return subKey_; }
  TVersionData* VersionData() const { return versionData_; }
  // Each setter reopens the key when the value differs (once construction is complete).
  void SetRootKey(TRootKeyType rootKey);
  void SetBaseKey(const std::string& baseKey);
  void SetCompany(const std::string& company);
  void SetApplicationName(const std::string& applicationName);
  void SetSubKey(const std::string& subKey);
  // Not owned; it must outlive the manager or be unlinked with SetVersionData(nullptr).
  void SetVersionData(TVersionData* versionData);

  // Raised after every (re)opening of the key.
  std::function<void(TRegistryManager&)> OnChange;

  // Reopens the settings key, taking missing company and application names from the version
  // data, then raises OnChange. Opening failures are silent: later loads give defaults and
  // later saves fail.
  void OpenSettingsKey();

  // The registry access object with the settings key open (window positions write through it).
  TNTRegistry& Registry() { return registry_; }

  // Loads give the default whenever the value is missing or of another type or size.
  bool LoadBool(const std::string& name, bool defaultValue);
  int32_t LoadInteger(const std::string& name, int32_t defaultValue);
  double LoadFloat(const std::string& name, double defaultValue);
  int64_t LoadInt64(const std::string& name, int64_t defaultValue);
  std::string LoadText(const std::string& name, const std::string& defaultValue);
  TRect LoadRect(const std::string& name, const TRect& defaultValue);
  // Fills the list from the count under `name` and the texts under name1, name2, ...;
  // missing or non-text items are skipped, a count that is not a number counts as 0.
  void LoadList(const std::string& name, std::vector<std::string>& list);

  // Saves throw ERegistryException "Failed to set data for '<name>'" when the value cannot be
  // written.
  void SaveBool(const std::string& name, bool value);
  void SaveInteger(const std::string& name, int32_t value);
  void SaveFloat(const std::string& name, double value);
  void SaveInt64(const std::string& name, int64_t value);
  void SaveText(const std::string& name, const std::string& value);
  void SaveRect(const std::string& name, const TRect& value);
  // Writes the items and the count as one change and deletes the items beyond the count.
  void SaveList(const std::string& name, const std::vector<std::string>& list);

 private:
  template <typename T>
  void Change(T& property, const T& value);
  std::optional<std::string> LoadEightBytes(const std::string& name, bool anyUnknownType);

  TNTRegistry registry_;
  bool loading_ = true;
  TRootKeyType rootKey_ = TRootKeyType::HKeyCurrentUser;
  std::string baseKey_ = "Software";
  std::string company_;
  std::string applicationName_;
  std::string subKey_;
  TVersionData* versionData_ = nullptr;
};
