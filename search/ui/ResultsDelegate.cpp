#include "search/ui/ResultsDelegate.h"

#include <QApplication>
#include <QPainter>

#include "search/ui/ResultsModel.h"

void TResultsDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyleOptionViewItem item = option;
  initStyleOption(&item, index);
  const QWidget* widget = option.widget;
  QStyle* style = widget != nullptr ? widget->style() : QApplication::style();

  // The kind's background, then the usual highlight of a selected row.
  style->drawPrimitive(QStyle::PE_PanelItemViewItem, &item, painter, widget);
  if (item.text.isEmpty()) return;

  const bool selected = (item.state & QStyle::State_Selected) != 0;
  const QVariant colour = index.data(selected ? static_cast<int>(TResultsModel::SelectedForegroundRole) : static_cast<int>(Qt::ForegroundRole));
  const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
  // No glyph is narrower than a pixel, so a huge line is cut to what could show before it is
  // measured.
  const qsizetype shown = std::max<qsizetype>(textRect.width(), 1) + 1;
  const QString visible = item.text.size() > shown ? item.text.left(shown) + QChar(0x2026) : item.text;
  const QString text = item.fontMetrics.elidedText(visible, Qt::ElideRight, textRect.width(), Qt::TextExpandTabs);
  painter->save();
  painter->setFont(item.font);
  painter->setPen(colour.isValid() ? colour.value<QColor>() : item.palette.color(QPalette::Text));
  painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextExpandTabs, text);
  painter->restore();

  if (item.state & QStyle::State_HasFocus) {
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(item);
    focus.rect = item.rect;
    style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
  }
}
