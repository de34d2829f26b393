#pragma once
// File addresses for the clipboard and drag and drop, made from a path's own bytes: a name that
// is not valid UTF-8 or holds a line feed survives as percent escapes.

#include <string>
#include <vector>

namespace platform::shell {

// "file://" and the path, every byte but letters, digits, "-._~" and "/" written as %XX.
std::string FileUri(const std::string& path);

// The text/uri-list form: one address per line, each ended by CR LF.
std::string UriList(const std::vector<std::string>& paths);

// What GNOME's and KDE's file managers paste as a copy of the files: "copy", then one address
// per line.
std::string GnomeCopiedFiles(const std::vector<std::string>& paths);

// The path of a file: address, or nothing when the text is not one (only "file:" addresses
// count; a host other than empty or "localhost" is refused). Escapes are decoded to bytes.
bool PathFromFileUri(const std::string& uri, std::string& path);

}  // namespace platform::shell
