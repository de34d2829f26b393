#pragma once
// The user's home folder.

#include <string>

namespace platform::fs {

// $HOME when set, else the home folder of the user's account, else empty.
std::string HomeFolder();

}  // namespace platform::fs
