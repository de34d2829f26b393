#pragma once
// TEllipsisLabel: a one-line label without accelerator prefixes that shortens a path too long
// for its width in the middle, so that the beginning and the file name stay visible.

#include <QString>
#include <QWidget>
#include <functional>

// The text shortened with "..." in the middle until `fits` accepts it: the beginning is cut
// first, the last path component is kept whole while it fits with "..." before it.
QString ElidePath(const QString& text, const std::function<bool(const QString&)>& fits);

class TEllipsisLabel final : public QWidget {
 public:
  explicit TEllipsisLabel(QWidget* parent = nullptr);

  void setText(const QString& text);
  const QString& text() const { return text_; }
  // The text as drawn at the current width.
  QString ShownText() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
};
