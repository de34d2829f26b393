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

search::TFileFilter TDataMod::FileFilter() const {
  search::TFileFilter filter;
  filter.FilterUseSize = FilterUseSize.Value();
  filter.FilterMinSize = FilterMinSize.Value();
  filter.FilterMaxSize = FilterMaxSize.Value();
  filter.FilterUseCreatedDT = FilterUseCreatedDT.Value();
  filter.FilterCreatedDTRelative = FilterCreatedDTRelative.Value();
  filter.FilterCreatedDTRelativeAmount = FilterCreatedDTRelativeAmount.Value();
  filter.FilterCreatedDTRelativeUnits = FilterCreatedDTRelativeUnits.Value();
  filter.FilterMinCreatedDT = FilterMinCreatedDT.Value();
  filter.FilterMaxCreatedDT = FilterMaxCreatedDT.Value();
  filter.FilterUseModifiedDT = FilterUseModifiedDT.Value();
  filter.FilterModifiedDTRelative = FilterModifiedDTRelative.Value();
  filter.FilterModifiedDTRelativeAmount = FilterModifiedDTRelativeAmount.Value();
  filter.FilterModifiedDTRelativeUnits = FilterModifiedDTRelativeUnits.Value();
  filter.FilterMinModifiedDT = FilterMinModifiedDT.Value();
  filter.FilterMaxModifiedDT = FilterMaxModifiedDT.Value();
  filter.FilterUseAccessedDT = FilterUseAccessedDT.Value();
  filter.FilterAccessedDTRelative = FilterAccessedDTRelative.Value();
  filter.FilterAccessedDTRelativeAmount = FilterAccessedDTRelativeAmount.Value();
  filter.FilterAccessedDTRelativeUnits = FilterAccessedDTRelativeUnits.Value();
  filter.FilterMinAccessedDT = FilterMinAccessedDT.Value();
  filter.FilterMaxAccessedDT = FilterMaxAccessedDT.Value();
  filter.FilterUseAttribute = FilterUseAttribute.Value();
  filter.FilterAttributeArchive = FilterAttributeArchive.Value();
  filter.FilterAttributeReadOnly = FilterAttributeReadOnly.Value();
  filter.FilterAttributeSystem = FilterAttributeSystem.Value();
  filter.FilterAttributeHidden = FilterAttributeHidden.Value();
  filter.FilterAttributeCompressed = FilterAttributeCompressed.Value();
  return filter;
}

void TDataMod::SetFileFilter(const search::TFileFilter& filter) {
  FilterUseSize.Set(filter.FilterUseSize);
  FilterMinSize.Set(filter.FilterMinSize);
  FilterMaxSize.Set(filter.FilterMaxSize);
  FilterUseCreatedDT.Set(filter.FilterUseCreatedDT);
  FilterCreatedDTRelative.Set(filter.FilterCreatedDTRelative);
  FilterCreatedDTRelativeAmount.Set(filter.FilterCreatedDTRelativeAmount);
  FilterCreatedDTRelativeUnits.Set(filter.FilterCreatedDTRelativeUnits);
  FilterMinCreatedDT.Set(filter.FilterMinCreatedDT);
  FilterMaxCreatedDT.Set(filter.FilterMaxCreatedDT);
  FilterUseModifiedDT.Set(filter.FilterUseModifiedDT);
  FilterModifiedDTRelative.Set(filter.FilterModifiedDTRelative);
  FilterModifiedDTRelativeAmount.Set(filter.FilterModifiedDTRelativeAmount);
  FilterModifiedDTRelativeUnits.Set(filter.FilterModifiedDTRelativeUnits);
  FilterMinModifiedDT.Set(filter.FilterMinModifiedDT);
  FilterMaxModifiedDT.Set(filter.FilterMaxModifiedDT);
  FilterUseAccessedDT.Set(filter.FilterUseAccessedDT);
  FilterAccessedDTRelative.Set(filter.FilterAccessedDTRelative);
  FilterAccessedDTRelativeAmount.Set(filter.FilterAccessedDTRelativeAmount);
  FilterAccessedDTRelativeUnits.Set(filter.FilterAccessedDTRelativeUnits);
  FilterMinAccessedDT.Set(filter.FilterMinAccessedDT);
  FilterMaxAccessedDT.Set(filter.FilterMaxAccessedDT);
  FilterUseAttribute.Set(filter.FilterUseAttribute);
  FilterAttributeArchive.Set(filter.FilterAttributeArchive);
  FilterAttributeReadOnly.Set(filter.FilterAttributeReadOnly);
  FilterAttributeSystem.Set(filter.FilterAttributeSystem);
  FilterAttributeHidden.Set(filter.FilterAttributeHidden);
  FilterAttributeCompressed.Set(filter.FilterAttributeCompressed);
}
