#include "search/settings/DataModPlaces.h"

#include "platform/fs/HomeFolder.h"
#include "platform/registry/Registry.h"
#include "platform/version/VersionBlock.h"

TDataModPlaces TDataModPlaces::Default() {
  return TDataModPlaces{platform::registry::Registry::DefaultFolder(), platform::version::RunningExecutable(),
                        platform::fs::HomeFolder()};
}
