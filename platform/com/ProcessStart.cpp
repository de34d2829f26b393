#include "platform/com/ProcessStart.h"

#include <cerrno>
#include <spawn.h>
#include <sys/types.h>

extern char** environ;

namespace platform::com {

int StartProcess(const std::vector<std::string>& arguments) {
  if (arguments.empty() || arguments.front().empty()) return ENOENT;
  std::vector<char*> argv;
  argv.reserve(arguments.size() + 1);
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  posix_spawnattr_t attributes;
  if (const int error = posix_spawnattr_init(&attributes); error != 0) return error;
  // A session of its own: the started program outlives the host and its terminal.
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  pid_t child = 0;
  const int error = posix_spawn(&child, argv.front(), nullptr, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  return error;
}

}  // namespace platform::com
