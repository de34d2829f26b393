#include "search/settings/DataModPlaces.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

#include "platform/registry/Registry.h"
#include "platform/version/VersionBlock.h"

TDataModPlaces TDataModPlaces::Default() {
  std::string home;
  if (const char* variable = std::getenv("HOME"); variable != nullptr && *variable != '\0') {
    home = variable;
  } else if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr) {
    home = entry->pw_dir;
  }
  return TDataModPlaces{platform::registry::Registry::DefaultFolder(), platform::version::RunningExecutable(), home};
}
