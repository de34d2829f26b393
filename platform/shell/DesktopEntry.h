#pragma once
// An application as the desktop describes it in a .desktop file, and the program call it makes
// for a list of files (its Exec line with the field codes %f %F %u %U expanded into separate
// arguments; nothing passes through a shell).

#include <optional>
#include <string>
#include <vector>

#include "platform/shell/ProgramCall.h"

namespace platform::shell {

struct TDesktopEntry {
  std::string Id;        // the file's name, such as org.gnome.gedit.desktop
  std::string FilePath;  // where it was read
  std::string Name;
  std::string Exec;
  std::string TryExec;
  std::string Icon;
  std::vector<std::string> MimeTypes;
  bool Hidden = false;
};

// The [Desktop Entry] group of the file; nothing when it has none or is not an application.
std::optional<TDesktopEntry> ReadDesktopEntry(const std::string& path, const std::string& id);

// The Exec line's words, its quoting undone, with the field codes replaced: %f the first file,
// %F every file as its own argument, %u and %U the same as file: addresses, %i the icon
// option, %c the name, %k the entry's file, %% a percent sign; the deprecated codes are dropped.
TProgramCall ExecCall(const TDesktopEntry& entry, const std::vector<std::string>& paths);

// The program the entry starts (TryExec first), resolved along PATH; empty when missing.
std::string EntryProgram(const TDesktopEntry& entry);

}  // namespace platform::shell
