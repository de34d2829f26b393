#include "search/settings/DesktopFolderActions.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr const char* kMark = "X-Vantrel-Search-Installed";
constexpr const char* kEntryName = "Vantrel Software Search...";
constexpr const char* kComment = "Search folder using Vantrel Software Search";
constexpr const char* kIcon = "system-search";

// Inside double quotes a backslash escapes ", `, $ and itself; the file format then doubles
// every backslash and writes a line break as \n; % is written %%.
std::string QuotedExecArgument(const std::string& argument) {
  std::string quoted = "\"";
  for (char c : argument) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    if (c == '%') quoted += '%';
    quoted += c;
  }
  quoted += '"';
  std::string escaped;
  for (char c : quoted) {
    if (c == '\\') escaped += "\\\\";
    else if (c == '\n') escaped += "\\n";
    else escaped += c;
  }
  return escaped;
}

// Single quotes for the shell, with ' written as '\''.
std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += (c == '\'') ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Writes through a temporary file in the same folder, so the file is never half written.
std::string WriteWhole(const fs::path& file, const std::string& text, fs::perms mode) {
  std::error_code error;
  fs::create_directories(file.parent_path(), error);
  if (error) return error.message();
  std::string temporary = (file.parent_path() / ("." + file.filename().string() + ".XXXXXX")).string();
  const int fd = mkstemp(temporary.data());
  if (fd < 0) return std::strerror(errno);
  bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  const int writeErrno = errno;
  written = ::close(fd) == 0 && written;
  if (!written) {
    ::unlink(temporary.c_str());
    return std::strerror(writeErrno != 0 ? writeErrno : EIO);
  }
  fs::permissions(temporary, mode, error);
  if (!error) fs::rename(temporary, file, error);
  if (error) {
    ::unlink(temporary.c_str());
    return error.message();
  }
  return {};
}

constexpr fs::perms kExecutable = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec;
constexpr fs::perms kReadable = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                fs::perms::others_read;

}  // namespace

std::string DesktopExecValue(const std::string& program, const std::vector<std::string>& arguments) {
  std::string value = QuotedExecArgument(program);
  for (const std::string& argument : arguments) value += " " + argument;
  return value;
}

TDesktopFolderActions::TDesktopFolderActions(std::filesystem::path dataHome, std::string hostPath)
    : dataHome_(std::move(dataHome)), hostPath_(std::move(hostPath)) {}

std::filesystem::path TDesktopFolderActions::DefaultDataHome() {
  if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && data[0] == '/') return data;
  const char* home = std::getenv("HOME");
  return fs::path(home != nullptr && home[0] != '\0' ? home : ".") / ".local" / "share";
}

std::vector<std::filesystem::path> TDesktopFolderActions::Files() const {
  return {dataHome_ / "kio" / "servicemenus" / "vantrel-search.desktop",
          dataHome_ / "nautilus" / "scripts" / kEntryName,
          dataHome_ / "applications" / "vantrel-search-folder.desktop"};
}

std::string TDesktopFolderActions::ServiceMenuText() const {
  const std::string exec = DesktopExecValue(hostPath_, {"--invoke", "%F"});
  std::ostringstream text;
  text << "[Desktop Entry]\n"
       << "Type=Application\n"
       << "Name=" << kEntryName << "\n"
       << "Icon=" << kIcon << "\n"
       << "Exec=" << exec << "\n"
       << "NoDisplay=true\n"
       << "MimeType=inode/directory;\n"
       << "Actions=vantrelSearch;\n"
       << kMark << "=true\n"
       << "\n"
       << "[Desktop Action vantrelSearch]\n"
       << "Name=" << kEntryName << "\n"
       << "Icon=" << kIcon << "\n"
       << "Exec=" << exec << "\n";
  return text.str();
}

std::string TDesktopFolderActions::ScriptText() const {
  // Nautilus runs a script in the shown folder with the selected names as its arguments.
  std::ostringstream text;
  text << "#!/bin/sh\n"
       << "# " << kMark << ": " << kComment << ".\n"
       << "[ \"$#\" -eq 0 ] && set -- \"$PWD\"\n"
       << "exec " << ShellQuoted(hostPath_) << " --invoke -- \"$@\"\n";
  return text.str();
}

std::string TDesktopFolderActions::ApplicationEntryText() const {
  std::ostringstream text;
  text << "[Desktop Entry]\n"
       << "Type=Application\n"
       << "Name=Vantrel Software Search\n"
       << "Comment=" << kComment << "\n"
       << "Icon=" << kIcon << "\n"
       << "Exec=" << DesktopExecValue(hostPath_, {"--invoke", "%F"}) << "\n"
       << "MimeType=inode/directory;\n"
       << "NoDisplay=true\n"
       << "Terminal=false\n"
       << kMark << "=true\n";
  return text.str();
}

bool TDesktopFolderActions::IsOurs(const std::filesystem::path& file) {
  return ReadAll(file).find(kMark) != std::string::npos;
}

std::vector<std::string> TDesktopFolderActions::Install() const {
  const std::vector<fs::path> files = Files();
  const std::string texts[] = {ServiceMenuText(), ScriptText(), ApplicationEntryText()};
  // KDE runs service menus from the user's folder only when they are executable.
  const fs::perms modes[] = {kExecutable, kExecutable, kReadable};
  std::vector<std::string> failures;
  for (size_t i = 0; i < files.size(); ++i) {
    std::error_code error;
    if (fs::exists(fs::symlink_status(files[i], error)) && !IsOurs(files[i])) continue;  // the user's own
    if (const std::string failure = WriteWhole(files[i], texts[i], modes[i]); !failure.empty()) {
      failures.push_back(files[i].string() + ": " + failure);
    }
  }
  return failures;
}

void TDesktopFolderActions::Remove() const {
  for (const fs::path& file : Files()) {
    std::error_code error;
    if (fs::is_regular_file(fs::symlink_status(file, error)) && IsOurs(file)) fs::remove(file, error);
  }
}
