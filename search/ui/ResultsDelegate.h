#pragma once
// Paints one results row: the background of its node kind over the whole cell, the selection
// highlight over that, then the text in the kind's colour (its selected colour when selected).

#include <QStyledItemDelegate>

class TResultsDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
