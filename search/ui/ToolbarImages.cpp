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
  };
  return names;
}

}  // namespace

QIcon ToolbarImage(const QString& designName) {
  const auto found = ThemeNames().find(designName);
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
