#pragma once
// Writing a whole file so that it is either replaced completely or left as it was: the bytes go
// to a temporary file in the same folder, which is renamed over the target only once every
// byte is on disk.

#include <string>
#include <string_view>

namespace platform::fs {

// 0 on success, else the system error code; on failure the target is untouched and the
// temporary file removed. A new file gets the given permissions less the umask, a replaced one
// keeps its own; a link stays a link and the file it names is replaced.
int ReplaceFileContents(const std::string& path, std::string_view bytes, unsigned newFileMode = 0666);

}  // namespace platform::fs
