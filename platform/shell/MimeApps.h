#pragma once
// The desktop's applications for a file type, in preference order: the defaults of the
// mimeapps.list files, then their added associations, then every other application whose
// .desktop file names the type; removed associations and hidden entries left out. The types
// are tried in the order given (the file's type, then the types it is a kind of).

#include <string>
#include <vector>

#include "platform/shell/DesktopEntry.h"

namespace platform::shell {

// Reads the folders of XDG_CONFIG_HOME, XDG_CONFIG_DIRS, XDG_DATA_HOME and XDG_DATA_DIRS (or
// their standard defaults) afresh on each call.
std::vector<TDesktopEntry> ApplicationsForMimeTypes(const std::vector<std::string>& mimeTypes);

}  // namespace platform::shell
