#include "search/settings/forms/ColourButton.h"

#include <QColorDialog>
#include <QPainter>
#include <QStyleOptionButton>

#include "search/ui/ColourValues.h"

namespace {

constexpr int kCustomColourCount = 16;

QColor FromStored(uint32_t bgr) { return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF)); }

uint32_t ToStored(const QColor& colour) {
  return uint32_t(colour.red()) | (uint32_t(colour.green()) << 8) | (uint32_t(colour.blue()) << 16);
}

}  // namespace

bool RunColourDialog(QWidget* owner, QColor& colour, std::vector<QColor>& custom) {
  for (int i = 0; i < kCustomColourCount && i < int(custom.size()); ++i) QColorDialog::setCustomColor(i, custom[size_t(i)]);
  const QColor chosen = QColorDialog::getColor(colour, owner);
  for (int i = 0; i < kCustomColourCount && i < int(custom.size()); ++i) custom[size_t(i)] = QColorDialog::customColor(i);
  if (!chosen.isValid()) return false;
  colour = chosen;
  return true;
}

std::vector<QColor> CustomColoursFromList(const std::vector<std::string>& list) {
  std::vector<QColor> colours(kCustomColourCount, QColor(Qt::white));
  for (const std::string& item : list) {
    // "ColorA=808022": the letter names the place, the hexadecimal number is 0x00BBGGRR.
    if (item.size() < 8 || item.compare(0, 5, "Color") != 0 || item[6] != '=') continue;
    const int place = item[5] - 'A';
    if (place < 0 || place >= kCustomColourCount) continue;
    bool ok = false;
    const uint32_t value = QString::fromStdString(item.substr(7)).toUInt(&ok, 16);
    if (ok && value <= 0xFFFFFF) colours[size_t(place)] = FromStored(value);
  }
  return colours;
}

std::vector<std::string> CustomColoursToList(const std::vector<QColor>& colours) {
  std::vector<std::string> list;
  for (int i = 0; i < kCustomColourCount && i < int(colours.size()); ++i) {
    list.push_back("Color" + std::string(1, char('A' + i)) + "=" +
                   QString::number(ToStored(colours[size_t(i)]), 16).toUpper().toStdString());
  }
  return list;
}

TColourButton::TColourButton(QWidget* parent) : QPushButton(parent) {
  setMinimumSize(64, 24);
  setFocusPolicy(Qt::StrongFocus);
}

void TColourButton::SetColour(TColour colour) {
  colour_ = colour;
  update();
}

void TColourButton::Choose(const TChooser& chooser) {
  QColor colour = ResolveColour(colour_, palette());
  std::vector<QColor> custom = CustomColoursFromList(customColours_);
  const bool confirmed = chooser(this, colour, custom);
  if (!confirmed) return;
  SetColour(TColour(ToStored(colour)));
  customColours_ = CustomColoursToList(custom);
}

void TColourButton::paintEvent(QPaintEvent* event) {
  QPushButton::paintEvent(event);
  QPainter painter(this);
  const QRect swatch = rect().adjusted(6, 5, -6, -5);
  painter.fillRect(swatch, ResolveColour(colour_, palette()));
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRect(swatch.adjusted(0, 0, -1, -1));
}
