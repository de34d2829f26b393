#include "search/editor/EditorImages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <map>

namespace {

const std::map<QString, QStringList>& ThemeNames() {
  static const std::map<QString, QStringList> names = {
      {"NEWFile", {"document-new"}},
      {"OPENFile", {"document-open"}},
      {"CloseFile", {"document-close", "window-close"}},
      {"SAVEFile", {"document-save"}},
      {"SAVEFileAS", {"document-save-as"}},
      {"SAVEALLfiles", {"document-save-all", "document-save"}},
      {"PREFERENCES", {"configure", "preferences-system"}},
      {"EXIT", {"application-exit", "window-close"}},
      {"UnDo", {"edit-undo"}},
      {"Cut", {"edit-cut"}},
      {"copytoclipboard", {"edit-copy"}},
      {"Paste", {"edit-paste"}},
      {"Delete", {"edit-delete"}},
      {"Find", {"edit-find"}},
      {"FindAgain", {"go-down-search", "edit-find"}},
      {"Replace", {"edit-find-replace"}},
      {"GotoLine", {"go-jump"}},
      {"HighLightWords", {"format-text-color", "draw-highlight"}},
      {"HighLightLines", {"format-fill-color", "view-list-text"}},
      {"Previous", {"go-up", "go-previous"}},
      {"Next", {"go-down", "go-next"}},
      {"Bookmark", {"bookmarks", "bookmark-new"}},
      {"HELPCHM", {"help-contents"}},
      {"TapeRecorder", {"media-record"}},
  };
  return names;
}

// A small flag carrying the bookmark's digit.
QIcon BookmarkFlag(int digit) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  QPainterPath flag;
  flag.moveTo(2.5, 1.5);
  flag.lineTo(13.5, 1.5);
  flag.lineTo(13.5, 14.5);
  flag.lineTo(8, 11);
  flag.lineTo(2.5, 14.5);
  flag.closeSubpath();
  painter.fillPath(flag, QColor(0x2E, 0x7D, 0xD2));
  painter.setPen(QColor(0x1B, 0x4F, 0x8A));
  painter.drawPath(flag);
  QFont font("DejaVu Sans", 7, QFont::Bold);
  font.setPixelSize(9);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRect(2, 1, 12, 10), Qt::AlignCenter, QString::number(digit));
  return QIcon(pixmap);
}

}  // namespace

QIcon EditorImage(const QString& glyphName) {
  if (glyphName.size() == 9 && glyphName.startsWith("Bookmark") && glyphName.back().isDigit()) {
    return BookmarkFlag(glyphName.back().digitValue());
  }
  const auto found = ThemeNames().find(glyphName);
  if (found == ThemeNames().end()) return {};
  for (const QString& name : found->second) {
    QIcon icon = QIcon::fromTheme(name);
    if (!icon.isNull()) return icon;
  }
  return {};
}
