#pragma once
// An open registry key: its root and the names along its path, as stored.

#include <string>
#include <vector>

#include "platform/registry/RegistryValue.h"

namespace platform::registry {

struct RegKey {
  Root root = Root::CurrentUser;
  std::vector<std::string> path;  // empty for the root itself

  static RegKey Of(Root root) { return RegKey{root, {}}; }
  // The path joined by backslashes, without the root.
  std::string PathText() const;
};

}  // namespace platform::registry
