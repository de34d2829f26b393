#include "search/ui/FilesMimeData.h"

#include "platform/shell/FileUri.h"

std::unique_ptr<QMimeData> FilesMimeData(const std::vector<std::string>& paths) {
  auto data = std::make_unique<QMimeData>();
  data->setData("text/uri-list", QByteArray::fromStdString(platform::shell::UriList(paths)));
  data->setData("x-special/gnome-copied-files", QByteArray::fromStdString(platform::shell::GnomeCopiedFiles(paths)));
  return data;
}

std::unique_ptr<QMimeData> PlainTextMimeData(const std::string& text) {
  auto data = std::make_unique<QMimeData>();
  data->setData("text/plain", QByteArray::fromStdString(text));
  return data;
}
