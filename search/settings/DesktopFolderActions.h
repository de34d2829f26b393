#pragma once
// TDesktopFolderActions: the desktop's own ways of offering "Search..." on folders, each running
// `kestrix-host --invoke` with the selected folders: a KDE service menu, a Nautilus script and
// an application entry for folders (Open With in every file manager). Files are written only
// where none of the user's own stands, and only ours are removed.

#include <filesystem>
#include <string>
#include <vector>

class TDesktopFolderActions {
 public:
  // `dataHome` is the user's data folder ($XDG_DATA_HOME), `hostPath` the kestrix-host program.
  TDesktopFolderActions(std::filesystem::path dataHome, std::string hostPath);

  // $XDG_DATA_HOME when it is an absolute path, else ~/.local/share.
  static std::filesystem::path DefaultDataHome();

  // The service menu, the script and the application entry, in that order.
  std::vector<std::filesystem::path> Files() const;
  // Writes every file that is missing or ours; returns the files that could not be written,
  // each with the reason.
  std::vector<std::string> Install() const;
  // Removes each of the files that is ours.
  void Remove() const;

  // Whether `file` was written by us (it carries our mark).
  static bool IsOurs(const std::filesystem::path& file);

  // The texts written (exposed for tests).
  std::string ServiceMenuText() const;
  std::string ScriptText() const;
  std::string ApplicationEntryText() const;

 private:
  std::filesystem::path dataHome_;
  std::string hostPath_;
};

// An Exec value running `program` with the given further arguments, quoted and escaped by the
// desktop-entry rules (the program always in double quotes).
std::string DesktopExecValue(const std::string& program, const std::vector<std::string>& arguments);
