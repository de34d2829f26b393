#include "platform/shell/MimeApps.h"

#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <map>
#include <set>

namespace platform::shell {
namespace {

std::string Home() {
  const char* home = std::getenv("HOME");
  return home != nullptr ? home : "";
}

std::vector<std::string> Folders(const char* variable, const std::string& fallback) {
  const char* value = std::getenv(variable);
  const std::string list = value != nullptr && *value != '\0' ? value : fallback;
  std::vector<std::string> folders;
  size_t start = 0;
  while (start <= list.size()) {
    const size_t end = std::min(list.find(':', start), list.size());
    if (end > start) folders.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return folders;
}

std::vector<std::string> DataFolders() {
  std::vector<std::string> folders = Folders("XDG_DATA_HOME", Home() + "/.local/share");
  for (const std::string& folder : Folders("XDG_DATA_DIRS", "/usr/local/share:/usr/share")) folders.push_back(folder);
  for (std::string& folder : folders) folder += "/applications";
  return folders;
}

std::vector<std::string> ListFiles() {
  std::vector<std::string> files;
  for (const std::string& folder : Folders("XDG_CONFIG_HOME", Home() + "/.config")) files.push_back(folder + "/mimeapps.list");
  for (const std::string& folder : Folders("XDG_CONFIG_DIRS", "/etc/xdg")) files.push_back(folder + "/mimeapps.list");
  for (const std::string& folder : DataFolders()) files.push_back(folder + "/mimeapps.list");
  return files;
}

// One group's entries for one type across the list files, in file order.
struct TAssociations {
  std::vector<std::string> defaults;
  std::vector<std::string> added;
  std::set<std::string> removed;
};

TAssociations ReadAssociations(const std::string& mimeType) {
  TAssociations associations;
  for (const std::string& file : ListFiles()) {
    std::ifstream in(file);
    std::string line;
    std::string group;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.empty() || line.front() == '#') continue;
      if (line.front() == '[') {
        group = line;
        continue;
      }
      const size_t equals = line.find('=');
      if (equals == std::string::npos || line.substr(0, equals) != mimeType) continue;
      std::vector<std::string>* target = group == "[Default Applications]"  ? &associations.defaults
                                         : group == "[Added Associations]" ? &associations.added
                                                                           : nullptr;
      size_t start = equals + 1;
      while (start < line.size()) {
        const size_t end = std::min(line.find(';', start), line.size());
        const std::string id = line.substr(start, end - start);
        if (!id.empty()) {
          if (target != nullptr) target->push_back(id);
          if (group == "[Removed Associations]") associations.removed.insert(id);
        }
        start = end + 1;
      }
    }
  }
  return associations;
}

// Every application's entry by id; the first folder holding an id wins.
std::map<std::string, TDesktopEntry> AllEntries() {
  std::map<std::string, TDesktopEntry> entries;
  for (const std::string& folder : DataFolders()) {
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr) continue;
    std::vector<std::string> names;
    while (const dirent* item = ::readdir(listing)) {
      const std::string name = item->d_name;
      if (name.size() > 8 && name.compare(name.size() - 8, 8, ".desktop") == 0) names.push_back(name);
    }
    ::closedir(listing);
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
      if (entries.count(name) != 0) continue;
      if (auto entry = ReadDesktopEntry(folder + "/" + name, name)) entries.emplace(name, std::move(*entry));
    }
  }
  return entries;
}

}  // namespace

std::vector<TDesktopEntry> ApplicationsForMimeTypes(const std::vector<std::string>& mimeTypes) {
  const std::map<std::string, TDesktopEntry> entries = AllEntries();
  std::vector<TDesktopEntry> applications;
  std::set<std::string> taken;
  const auto take = [&](const std::string& id) {
    const auto found = entries.find(id);
    if (found == entries.end() || found->second.Hidden || !taken.insert(id).second) return;
    applications.push_back(found->second);
  };
  for (const std::string& mimeType : mimeTypes) {
    const TAssociations associations = ReadAssociations(mimeType);
    for (const std::string& id : associations.defaults) take(id);
    for (const std::string& id : associations.added) {
      if (associations.removed.count(id) == 0) take(id);
    }
    for (const auto& [id, entry] : entries) {
      if (associations.removed.count(id) != 0) continue;
      if (std::find(entry.MimeTypes.begin(), entry.MimeTypes.end(), mimeType) != entry.MimeTypes.end()) take(id);
    }
  }
  return applications;
}

}  // namespace platform::shell
