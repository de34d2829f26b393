#include "search/ui/ToolbarImages.h"

#include <QDir>
#include <QStandardPaths>
#include <QStringList>
#include <map>

namespace {

// Theme names in order of preference.
const std::map<QString, QStringList>& ThemeNames() {
  static const std::map<QString, QStringList> names = {
      {"SEARCH", {"edit-find", "system-search"}},
      {"HISTORY", {"view-history", "document-open-recent"}},
      {"OPEN", {"document-open", "document-edit"}},
      {"HIDE", {"window-minimize", "go-down"}},
      {"EXIT", {"application-exit", "window-close"}},
      {"BROWSE", {"document-open-folder", "folder-open", "folder"}},
      {"PREFERENCES", {"configure", "preferences-system"}},
      {"HELPCHM", {"help-contents", "help-browser"}},
      {"SHOW", {"window-restore", "go-up"}},
      {"COPY", {"edit-copy"}},
      {"COPYSELECTEDLINES", {"edit-select-text", "edit-copy"}},
      {"COPYALLLINES", {"edit-select-all", "edit-copy"}},
      {"COPYSELECTEDFILENAMES", {"edit-copy-path", "edit-copy"}},
      {"COPYALLFILENAMES", {"format-list-unordered", "edit-copy"}},
      {"COPYSELECTEDFILES", {"document-multiple", "edit-copy"}},
      {"COPYALLFILES", {"edit-paste", "edit-copy"}},
      {"QUICKVIEW", {"view-preview"}},
      {"PROPERTY", {"document-properties"}},
      {"SORT", {"view-sort", "view-sort-ascending"}},
      {"SAVEFILENAMESTOFILE", {"document-save-all", "document-save"}},
      {"SAVEALLLINESTOFILE", {"document-save-all", "document-save"}},
      {"SAVESELECTEDFILENAMESTOFILE", {"document-save-as", "document-save"}},
      {"SAVESELECTEDLINESTOFILE", {"document-save-as", "document-save"}},
      {"SAVETOFILE", {"document-save"}},
      {"DOWNLOAD", {"download", "go-down"}},
      {"EXPANDALL", {"expand-all", "list-add"}},
      {"COLLAPSEALL", {"collapse-all", "list-remove"}},
      {"EDIT", {"document-edit", "accessories-text-editor"}},
      {"ABOUT", {"help-about"}},
      {"VANTRELSOFTWAREWEBSITE", {"globe", "applications-internet"}},
  };
  return names;
}

}  // namespace

QIcon ToolbarImage(const QString& designName) {
  // Image names are matched without regard to case.
  const auto found = ThemeNames().find(designName.toUpper());
  if (found == ThemeNames().end()) return {};
  for (const QString& name : found->second) {
    QIcon icon = QIcon::fromTheme(name);
    if (!icon.isNull()) return icon;
  }
  return {};
}

void PrepareIconTheme(const QString& fallbackTheme) {
  QStringList paths = QIcon::themeSearchPaths();
  for (const QString& data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
    const QString icons = QDir(data).filePath("icons");
    if (!paths.contains(icons) && QDir(icons).exists()) paths << icons;
  }
  if (!paths.contains("/usr/share/icons") && QDir("/usr/share/icons").exists()) paths << "/usr/share/icons";
  QIcon::setThemeSearchPaths(paths);
  if (QIcon::themeName().isEmpty() || QIcon::fromTheme("edit-find").isNull()) QIcon::setThemeName(fallbackTheme);
}
