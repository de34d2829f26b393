#include "search/settings/forms/PreferencesFont.h"

#include <QFontDialog>
#include <algorithm>

#include "search/settings/forms/ConfigurationFormTexts.h"
#include "search/ui/ByteText.h"

namespace t = configuration_texts;

QFont StoredFont(const std::string& name, int size, const TFontStyles& styles) {
  QFont font(DisplayString(name));
  font.setPointSize(std::max(size, 1));
  font.setBold(styles.Bold);
  font.setItalic(styles.Italic);
  font.setUnderline(styles.Underline);
  font.setStrikeOut(styles.StrikeOut);
  return font;
}

TFontStyles StylesOf(const QFont& font) { return TFontStyles{font.bold(), font.italic(), font.underline(), font.strikeOut()}; }

QString FontDescription(const QFont& font) {
  QString text = QString(t::kFontDescription).arg(font.family()).arg(font.pointSize());
  if (font.bold()) text += t::kBold;
  if (font.italic()) text += t::kItalic;
  if (font.underline()) text += t::kUnderline;
  if (font.strikeOut()) text += t::kStrikeOut;
  return text;
}

void LimitFontSize(QFont& font) { font.setPointSize(std::clamp(font.pointSize(), kSmallestFontSize, kLargestFontSize)); }

bool RunFontDialog(QWidget* owner, QFont& font) {
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, font, owner, QString(), QFontDialog::FontDialogOptions());
  if (!ok) return false;
  font = chosen;
  return true;
}
