#include "search/ui/EllipsisLabel.h"

#include <QPainter>

namespace {
const QString kEllipsis = QStringLiteral("...");
}

QString ElidePath(const QString& text, const std::function<bool(const QString&)>& fits) {
  if (fits(text)) return text;
  const qsizetype lastSeparator = std::max(text.lastIndexOf('/'), text.lastIndexOf('\\'));
  const QString tail = lastSeparator >= 0 ? text.mid(lastSeparator) : text;
  const QString head = lastSeparator >= 0 ? text.left(lastSeparator) : QString();

  if (fits(kEllipsis + tail)) {
    // The longest beginning that still fits: binary search over its length.
    qsizetype low = 0;
    qsizetype high = head.size();
    while (low < high) {
      const qsizetype middle = (low + high + 1) / 2;
      if (fits(head.left(middle) + kEllipsis + tail)) {
        low = middle;
      } else {
        high = middle - 1;
      }
    }
    return head.left(low) + kEllipsis + tail;
  }
  // Not even the file name fits: keep as much of its end as will.
  qsizetype keep = tail.size();
  while (keep > 0 && !fits(kEllipsis + tail.right(keep))) --keep;
  return keep > 0 ? kEllipsis + tail.right(keep) : QString();
}

TEllipsisLabel::TEllipsisLabel(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void TEllipsisLabel::setText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  update();
}

QString TEllipsisLabel::ShownText() const {
  const QFontMetrics metrics = fontMetrics();
  const int width = contentsRect().width();
  return ElidePath(text_, [&](const QString& candidate) { return metrics.horizontalAdvance(candidate) <= width; });
}

QSize TEllipsisLabel::sizeHint() const { return {fontMetrics().horizontalAdvance(text_), fontMetrics().height()}; }

QSize TEllipsisLabel::minimumSizeHint() const { return {0, fontMetrics().height()}; }

void TEllipsisLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(contentsRect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, ShownText());
}
