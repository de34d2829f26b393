#include "platform/fs/HomeFolder.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace platform::fs {

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr) {
    return entry->pw_dir;
  }
  return {};
}

}  // namespace platform::fs
