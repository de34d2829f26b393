#pragma once
// StatusBar: four panels of centred text whose widths follow the bar's width, and a single-text
// mode in which the bar shows a hint across its whole width instead.

#include <QLabel>
#include <QStatusBar>
#include <array>
#include <vector>

// Panel widths for a bar of the given client width: every panel but the first gets the width
// divided by the number of panels, at most 175; the first takes the rest.
std::vector<int> StatusPanelWidths(int clientWidth, int panels);

class TStatusPanels final : public QStatusBar {
  Q_OBJECT

 public:
  static constexpr int kPanels = 4;

  explicit TStatusPanels(QWidget* parent = nullptr);

  void SetPanelText(int panel, const QString& text);
  QString PanelText(int panel) const;
  QLabel* Panel(int panel) const { return panels_.at(static_cast<size_t>(panel)); }

  // The single-text mode: shown while the trimmed text is not empty, the panels otherwise.
  void ShowHint(const QString& hint);
  bool ShowsHint() const { return !currentMessage().isEmpty(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void LayOutPanels();

  QWidget* row_ = nullptr;  // holds the panels, placed by LayOutPanels
  std::array<QLabel*, kPanels> panels_{};
};
