#include "search/editor/EditorStatusBar.h"

#include <QLabel>
#include <QPainter>

#include "search/editor/EditorImages.h"

namespace {

constexpr std::array<int, TEditorStatusBar::kPanels> kWidths = {0, 100, 100, 100, 50, 50, 100};

// Panel 3, drawn by the window: the tape glyph 2 pixels from the left edge while the text
// reads "recording", the text after the glyph's width and 6 pixels.
class TRecordingPanel final : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect area = contentsRect();
    constexpr int kGlyph = 16;
    if (text().toLower() == "recording") {
      EditorImage("TapeRecorder").paint(&painter, QRect(area.left() + 2, area.top() + (area.height() - kGlyph) / 2, kGlyph, kGlyph));
    }
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(area.adjusted(kGlyph + 6, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text());
  }
};

}  // namespace

TEditorStatusBar::TEditorStatusBar(QWidget* parent) : QStatusBar(parent) {
  setObjectName("StatusBar");
  for (int panel = 0; panel < kPanels; ++panel) {
    QLabel* label = panel == 3 ? new TRecordingPanel(this) : new QLabel(this);
    label->setObjectName(QString("StatusPanel%1").arg(panel));
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAlignment(panel == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    label->setTextFormat(Qt::PlainText);
    panels_[static_cast<size_t>(panel)] = label;
    if (panel == 0) {
      label->setMinimumWidth(50);
      addWidget(label, 1);
    } else {
      label->setFixedWidth(kWidths[static_cast<size_t>(panel)]);
      addPermanentWidget(label);
    }
  }
  SetStatusText(0, "");
}

void TEditorStatusBar::SetStatusText(int panel, const QString& text) {
  if (panel < 0 || panel >= kPanels) return;
  panels_[static_cast<size_t>(panel)]->setText(panel == 0 ? ' ' + text : text);
}

QString TEditorStatusBar::PanelText(int panel) const {
  if (panel < 0 || panel >= kPanels) return {};
  return panels_[static_cast<size_t>(panel)]->text();
}

void TEditorStatusBar::ShowHint(const QString& hint) {
  const bool showHint = !hint.trimmed().isEmpty();
  for (QLabel* label : panels_) label->setVisible(!showHint);
  if (showHint) {
    showMessage(hint);
  } else {
    clearMessage();
  }
}
