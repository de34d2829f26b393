#pragma once
// Reading a file's bytes as they are, and saving bytes atomically: a temporary file beside the
// target is written, flushed and renamed over it, so a failed save leaves the original intact.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace editor {

// A file operation that failed; the text names the file and carries the system's message.
class TFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The whole file. Throws TFileError.
std::string ReadFileBytes(const std::string& path);

// Replaces the file's contents by the bytes. A symbolic link is followed: its target is
// written and the link stays. The original's permission bits are kept; a new file gets the
// usual ones. Throws TFileError and then leaves the original and its folder as they were.
void SaveFileAtomically(const std::string& path, std::string_view bytes);

// What tells that a file changed on disk: its last-write time and size.
struct TFileStamp {
  int64_t modifiedNanoseconds = 0;
  int64_t size = 0;
  bool operator==(const TFileStamp&) const = default;
};

// The stamp of an existing file (links followed), none when it does not exist.
std::optional<TFileStamp> ReadFileStamp(const std::string& path);

}  // namespace editor
