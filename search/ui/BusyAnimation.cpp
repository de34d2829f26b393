#include "search/ui/BusyAnimation.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

TBusyAnimation::TBusyAnimation(QWidget* parent) : QWidget(parent) {
  setObjectName("Animate");
  setFixedSize(48, 50);
  timer_.setInterval(70);
  connect(&timer_, &QTimer::timeout, this, [this] { SetFrame((frame_ + 1) % kFrames); });
}

void TBusyAnimation::SetFrame(int frame) {
  frame_ = frame;
  update();
}

void TBusyAnimation::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QPalette& colours = palette();

  // The page: a sheet with a folded corner and lines of text.
  const QRectF page(6.5, 4.5, 30, 40);
  QPainterPath sheet;
  sheet.moveTo(page.topLeft());
  sheet.lineTo(page.right() - 8, page.top());
  sheet.lineTo(page.right(), page.top() + 8);
  sheet.lineTo(page.bottomRight());
  sheet.lineTo(page.bottomLeft());
  sheet.closeSubpath();
  painter.setPen(QPen(colours.color(QPalette::Mid), 1));
  painter.setBrush(colours.color(QPalette::Base));
  painter.drawPath(sheet);
  painter.drawLine(QPointF(page.right() - 8, page.top()), QPointF(page.right() - 8, page.top() + 8));
  painter.drawLine(QPointF(page.right() - 8, page.top() + 8), QPointF(page.right(), page.top() + 8));
  painter.setPen(QPen(colours.color(QPalette::Dark), 2, Qt::SolidLine, Qt::RoundCap));
  const double lineWidths[] = {14, 20, 17, 21, 12, 19, 16};
  for (int i = 0; i < 7; ++i) {
    const double y = page.top() + 9 + i * 4.5;
    painter.drawLine(QPointF(page.left() + 4, y), QPointF(page.left() + 4 + lineWidths[i], y));
  }

  // The glass: circles once round the page in kFrames steps.
  const double angle = 2 * std::numbers::pi * frame_ / kFrames;
  const QPointF centre(22 + 8 * std::cos(angle), 22 + 9 * std::sin(angle));
  const double radius = 8;
  const QPointF handleStart = centre + QPointF(radius * 0.72, radius * 0.72);
  painter.setPen(QPen(QColor(90, 60, 30), 4, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(handleStart, handleStart + QPointF(8, 8));
  QColor lens = colours.color(QPalette::Highlight);
  lens.setAlpha(70);
  painter.setBrush(lens);
  painter.setPen(QPen(colours.color(QPalette::Shadow), 2));
  painter.drawEllipse(centre, radius, radius);
}
