#include "search/settings/DataModule.h"

#include <algorithm>
#include <system_error>

#include "search/settings/RegistryError.h"

TDataMod::TDataMod() : TDataMod(TDataModPlaces::Default()) {}

TDataMod::TDataMod(const TDataModPlaces& places)
    : VersionData(places.executable), RegistryManager(places.registryFolder) {
  RegistryManager.SetRootKey(TRootKeyType::HKeyCurrentUser);
  RegistryManager.SetBaseKey("Software");
  RegistryManager.SetVersionData(&VersionData);
  RegistryManager.Loaded();
  SearchDataCreate(places);
}

TDataMod::~TDataMod() { RegistryManager.SetVersionData(nullptr); }

std::vector<TSettingsList*> TDataMod::CriteriaLists() {
  return {&Path, &Files, &ExcludeFiles, &ExcludeFolders, &StringA, &StringB};
}

void TDataMod::Write(const std::string& name, const std::function<void(TRegistryManager&)>& save) {
  try {
    save(RegistryManager);
  } catch (...) {
    if (OnChange) OnChange(name);
    throw;
  }
  if (OnChange) OnChange(name);
}

void TDataMod::SaveList(const TSettingsList& list) {
  Write(list.Name(), [&list](TRegistryManager& store) { store.SaveList(list.Name(), list.Items()); });
}

template <typename Save>
void TDataMod::SaveWhileLoading(Save&& save) {
  try {
    save();
  } catch (const ERegistryException& error) {
    if (std::find(startupErrors_.begin(), startupErrors_.end(), error.what()) == startupErrors_.end()) {
      startupErrors_.emplace_back(error.what());
    }
  }
}

void TDataMod::SearchDataCreate(const TDataModPlaces& places) {
  applicationTitle_ = VersionData.VersionInfo().ProductName;

  // The folder context-menu extension starts the program from this value, so it is rewritten
  // at every start.
  SaveWhileLoading([&] { RegistryManager.SaveText("Program", places.executable); });

  for (TSettingBase* setting : settings_) setting->Load();

  std::vector<std::string> items;
  RegistryManager.LoadList(customColours_.Name(), items);
  customColours_.Load(std::move(items));

  for (TSettingsList* list : CriteriaLists()) {
    RegistryManager.LoadList(list->Name(), items);
    list->Load(std::move(items));
    // Written straight back, so a list with missing items is stored tidily.
    SaveWhileLoading([&] { RegistryManager.SaveList(list->Name(), list->Items()); });
    list->OnChange = [this](TSettingsList& changed) { SaveList(changed); };
  }

  std::error_code error;
  if (Path.Count() == 0 && !places.homeFolder.empty() && std::filesystem::is_directory(places.homeFolder, error)) {
    SaveWhileLoading([&] { Path.Add(places.homeFolder); });
  }
  if (Files.Count() == 0) SaveWhileLoading([&] { Files.Add("*.*"); });
}

void TDataMod::SetCustomColours(const std::vector<std::string>& colours) {
  customColours_.Load(colours);
  SaveList(customColours_);
}
