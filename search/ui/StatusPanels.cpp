#include "search/ui/StatusPanels.h"

#include <QEvent>
#include <algorithm>

namespace {
constexpr int kMaxPanelWidth = 175;
constexpr int kDesignWidths[TStatusPanels::kPanels] = {50, 140, 140, 140};
}  // namespace

std::vector<int> StatusPanelWidths(int clientWidth, int panels) {
  if (panels <= 0) return {};
  const int each = std::min(clientWidth / panels, kMaxPanelWidth);
  std::vector<int> widths(static_cast<size_t>(panels), each);
  widths[0] = clientWidth - each * (panels - 1);
  return widths;
}

TStatusPanels::TStatusPanels(QWidget* parent) : QStatusBar(parent) {
  setObjectName("StatusBar");
  setSizeGripEnabled(false);
  row_ = new QWidget(this);
  row_->setMinimumWidth(0);
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
}

void TStatusPanels::SetPanelText(int panel, const QString& text) {
  QLabel* label = Panel(panel);
  if (label->text() != text) label->setText(text);
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

bool TStatusPanels::eventFilter(QObject* watched, QEvent* event) {
  if (watched == row_ && event->type() == QEvent::Resize) LayOutPanels();
  return QStatusBar::eventFilter(watched, event);
}

// The panels share the row's width by the width rule, side by side.
void TStatusPanels::LayOutPanels() {
  const std::vector<int> widths = StatusPanelWidths(row_->width(), kPanels);
  int x = 0;
  for (int i = 0; i < kPanels; ++i) {
    const int width = std::max(widths[static_cast<size_t>(i)], 0);
    Panel(i)->setGeometry(x, 0, width, row_->height());
    x += width;
  }
}
