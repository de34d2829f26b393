#include "search/ui/StatusPanels.h"

#include <QLayout>
#include <QResizeEvent>
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
  for (int i = 0; i < kPanels; ++i) {
    auto* label = new QLabel(this);
    label->setObjectName(QString("StatusPanel%1").arg(i));
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(0);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label->resize(kDesignWidths[i], label->height());
    addWidget(label);
    panels_[static_cast<size_t>(i)] = label;
  }
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

void TStatusPanels::resizeEvent(QResizeEvent* event) {
  QStatusBar::resizeEvent(event);
  LayOutPanels();
}

// The bar's own frame and the gaps between panels come off the width first, so the panels fill
// the bar exactly.
void TStatusPanels::LayOutPanels() {
  const QMargins margins = layout() != nullptr ? layout()->contentsMargins() : QMargins();
  const int spacing = layout() != nullptr ? std::max(layout()->spacing(), 0) : 0;
  const int client = contentsRect().width() - margins.left() - margins.right() - spacing * (kPanels - 1) - 6 * kPanels;
  const std::vector<int> widths = StatusPanelWidths(std::max(client, 0), kPanels);
  for (int i = 0; i < kPanels; ++i) Panel(i)->setFixedWidth(std::max(widths[static_cast<size_t>(i)], 0));
}
