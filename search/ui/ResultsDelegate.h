#pragma once
// Paints one results row: the background of its node kind over the whole cell, the selection
// highlight over that, then the text in the kind's colour (its selected colour when selected).

#include <QFontMetrics>
#include <QStyledItemDelegate>

class TResultsDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  // Rows are drawn and measured up to this many characters; longer ones end in an ellipsis.
  static constexpr qsizetype kLongestRow = 2000;
  // Room beside the text within its cell, both sides together.
  static constexpr int kTextMargins = 8;
  // The width a row's text takes as painted.
  static int TextWidth(const QFontMetrics& metrics, const QString& text);
};
