#pragma once
// StatusBar: four panels of centred text whose widths follow the bar's width, and a single-text
// mode in which the bar shows a hint across its whole width instead.

#include <QLabel>
#include <QStatusBar>
#include <array>
#include <vector>

// Panel widths for a bar of the given client width: every panel but the first gets the width
// divided by the number of panels, at most `maxPanelWidth`; the first takes the rest.
std::vector<int> StatusPanelWidths(int clientWidth, int panels, int maxPanelWidth = 175);

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

  // The widest a panel grows: the design's 175 pixels measured in the bar's font, that is the
  // room its longest texts need (counts of seven digits, or the texts shown now if longer).
  int MaxPanelWidth() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void LayOutPanels();
  void KeepTextsRoom();
  int TextRoom(const QString& text) const;

  QWidget* row_ = nullptr;  // holds the panels, placed by LayOutPanels
  std::array<QLabel*, kPanels> panels_{};
};
