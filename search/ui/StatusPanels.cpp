#include "search/ui/StatusPanels.h"

#include <QApplication>
#include <QEvent>
#include <algorithm>

namespace {
constexpr int kDesignWidths[TStatusPanels::kPanels] = {50, 140, 140, 140};
// The longest texts the panels show in everyday use.
const char* const kLongestTexts[] = {" 8888888 Files Found", " 8888888 Files Matched",
                                     " 8888888 Matches in Total", "Searching files...", "Search cancelled"};
}  // namespace

std::vector<int> StatusPanelWidths(int clientWidth, int panels, int maxPanelWidth) {
  if (panels <= 0) return {};
  const int each = std::min(clientWidth / panels, maxPanelWidth);
  std::vector<int> widths(static_cast<size_t>(panels), each);
  widths[0] = clientWidth - each * (panels - 1);
  return widths;
}

TStatusPanels::TStatusPanels(QWidget* parent) : QStatusBar(parent) {
  setObjectName("StatusBar");
  setSizeGripEnabled(false);
  setFont(QApplication::font());  // the system font, not the window's
  row_ = new QWidget(this);
  row_->installEventFilter(this);
  for (int i = 0; i < kPanels; ++i) {
    auto* label = new QLabel(row_);
    label->setObjectName(QString("StatusPanel%1").arg(i));
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setGeometry(0, 0, kDesignWidths[i], 21);
    panels_[static_cast<size_t>(i)] = label;
  }
  row_->setMinimumHeight(panels_[0]->sizeHint().height());
  addWidget(row_, 1);
  KeepTextsRoom();
}

void TStatusPanels::SetPanelText(int panel, const QString& text) {
  QLabel* label = Panel(panel);
  if (label->text() == text) return;
  const bool grows = TextRoom(text) > MaxPanelWidth();
  label->setText(text);
  if (grows) KeepTextsRoom();
}

QString TStatusPanels::PanelText(int panel) const { return Panel(panel)->text(); }

void TStatusPanels::ShowHint(const QString& hint) {
  const QString trimmed = hint.trimmed();
  if (trimmed.isEmpty()) {
    clearMessage();
  } else {
    showMessage(trimmed);
  }
}

// The text's width in the panels' font, with the panel's frame and half a character's margin
// on either side.
int TStatusPanels::TextRoom(const QString& text) const {
  const QFontMetrics metrics = panels_[0]->fontMetrics();
  return metrics.horizontalAdvance(text) + 2 * panels_[0]->frameWidth() + metrics.averageCharWidth();
}

int TStatusPanels::MaxPanelWidth() const {
  int room = 0;
  for (const char* text : kLongestTexts) room = std::max(room, TextRoom(text));
  for (const QLabel* panel : panels_) room = std::max(room, TextRoom(panel->text()));
  return room;
}

// The row is never narrower than the panels' texts need under the width rule.
void TStatusPanels::KeepTextsRoom() {
  row_->setMinimumWidth(kPanels * MaxPanelWidth());
  LayOutPanels();
}

bool TStatusPanels::eventFilter(QObject* watched, QEvent* event) {
  if (watched == row_ && event->type() == QEvent::Resize) LayOutPanels();
  return QStatusBar::eventFilter(watched, event);
}

void TStatusPanels::changeEvent(QEvent* event) {
  QStatusBar::changeEvent(event);
  if (event->type() == QEvent::FontChange && row_ != nullptr) KeepTextsRoom();
}

// The panels share the row's width by the width rule, side by side.
void TStatusPanels::LayOutPanels() {
  const std::vector<int> widths = StatusPanelWidths(row_->width(), kPanels, MaxPanelWidth());
  int x = 0;
  for (int i = 0; i < kPanels; ++i) {
    const int width = std::max(widths[static_cast<size_t>(i)], 0);
    Panel(i)->setGeometry(x, 0, width, row_->height());
    x += width;
  }
}
