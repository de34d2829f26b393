#pragma once
// Where the data module finds the registry, the program and the user's home folder.

#include <filesystem>
#include <string>

struct TDataModPlaces {
  std::filesystem::path registryFolder;  // the hive files
  std::string executable;                // its version block names the settings key; saved as Program
  std::string homeFolder;                // the default Path; empty when there is none

  // The registry's default folder, the running program and $HOME (or the password entry's).
  static TDataModPlaces Default();
};
