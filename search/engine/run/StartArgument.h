#pragma once
// What the program's one command-line argument asks for: start hidden in the tray (one of the
// words "hide", "inactive", "tooltray", "noshow", while the tray is in use), or a folder list
// for the Path box.

#include <string>

namespace search {

struct TStartRequest {
  bool StartInTray = false;
  // The Path box's text, or empty to keep the recent value; relative folders are made absolute
  // against the start folder.
  std::string Path;
};

TStartRequest ParseStartArgument(const std::string& argument, bool useToolTray, const std::string& startFolder);

}  // namespace search
