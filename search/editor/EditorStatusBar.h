#pragma once
// StatusBar of the editor window: seven panels (messages, caret, insert mode, recording with
// its glyph, CAPS, NUM, SCROLL), and a single-text mode that shows a hint across the bar.

#include <QStatusBar>
#include <array>

class QLabel;

class TEditorStatusBar final : public QStatusBar {
  Q_OBJECT

 public:
  static constexpr int kPanels = 7;

  explicit TEditorStatusBar(QWidget* parent = nullptr);

  // Panel 0 shows its text after one blank.
  void SetStatusText(int panel, const QString& text);
  QString PanelText(int panel) const;
  // Shown alone while its trimmed text is not empty; the panels again when it is.
  void ShowHint(const QString& hint);

 private:
  std::array<QLabel*, kPanels> panels_{};
};
