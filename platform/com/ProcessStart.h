#pragma once
// Starts a program directly with an argument vector (never through a shell), in the caller's
// environment and current folder, in a session of its own, without waiting for it.

#include <string>
#include <vector>

namespace platform::com {

// `arguments[0]` is the program's path. Returns 0 when the program started, else the errno
// value of the failure (a missing or non-executable program among them).
int StartProcess(const std::vector<std::string>& arguments);

}  // namespace platform::com
