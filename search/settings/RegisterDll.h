#pragma once
// TRegisterDll: the program's own registration of the folder context-menu extension: the class,
// its library and the folder handler under HKEY_CLASSES_ROOT, the static Find entry under
// HKEY_LOCAL_MACHINE, and the desktop's folder actions that run kestrix-host.

#include <filesystem>
#include <string>

#include "search/settings/DesktopFolderActions.h"
#include "search/settings/ShellIntegration.h"

struct TShellIntegrationPlaces {
  std::filesystem::path registryFolder;  // the hive files
  std::filesystem::path programFolder;   // where the program, the library and the host stand
  std::filesystem::path dataHome;        // the user's data folder for the folder actions

  // The registry's default folder, the running program's folder and $XDG_DATA_HOME.
  static TShellIntegrationPlaces Default();
};

class TRegisterDll final : public TShellIntegration {
 public:
  TRegisterDll();
  explicit TRegisterDll(TShellIntegrationPlaces places);

  std::string ExtensionFilePath() const override;
  bool IsExtensionRegistered() override;
  void RegisterExtension() override;
  void UnregisterExtension() override;

  // The host program the folder actions run.
  std::string HostFilePath() const;
  const TDesktopFolderActions& FolderActions() const { return folderActions_; }

 private:
  TShellIntegrationPlaces places_;
  TDesktopFolderActions folderActions_;
};
