#pragma once
// TElidedLabel: a one-line plain-text label that ends its text with "..." when it is too long
// for its width; text() keeps the whole text.

#include <QLabel>

class TElidedLabel final : public QLabel {
 public:
  explicit TElidedLabel(QWidget* parent = nullptr);

  // The text as drawn at the current width.
  QString ShownText() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};
