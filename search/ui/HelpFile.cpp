#include "search/ui/HelpFile.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

QString HelpFilePath() {
  const QFileInfo program(QCoreApplication::applicationFilePath());
  return program.dir().filePath(program.completeBaseName() + ".html");
}

bool OpenHelpFile(const QString& path) {
  if (path.isEmpty() || !QFileInfo::exists(path)) return false;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
