#include "search/ui/ResultsDelegate.h"

#include <QApplication>
#include <QPainter>

#include "search/engine/results/ResultTree.h"
#include "search/ui/EllipsisLabel.h"
#include "search/ui/ResultsModel.h"

namespace {

constexpr int kTextFlags = Qt::TextSingleLine | Qt::TextExpandTabs;

QString Shortened(const QString& text) {
  return text.size() > TResultsDelegate::kLongestRow ? text.left(TResultsDelegate::kLongestRow) + QChar(0x2026) : text;
}

// A row that still does not fit: a file row loses the middle of its path, so that the file
// name stays; other rows lose their end.
QString Fitted(const QString& text, const QFontMetrics& metrics, int width, bool fileRow) {
  if (TResultsDelegate::TextWidth(metrics, text) <= width) return text;
  if (fileRow) {
    // The path, then " [" and what is said about the file.
    const qsizetype facts = text.lastIndexOf(QStringLiteral(" ["));
    const QString path = facts > 0 ? text.left(facts) : text;
    const QString rest = facts > 0 ? text.mid(facts) : QString();
    return ElidePath(path, [&](const QString& candidate) {
             return TResultsDelegate::TextWidth(metrics, candidate + rest) <= width;
           }) + rest;
  }
  return metrics.elidedText(text, Qt::ElideRight, width, Qt::TextExpandTabs);
}

}  // namespace

int TResultsDelegate::TextWidth(const QFontMetrics& metrics, const QString& text) {
  return metrics.size(kTextFlags, Shortened(text)).width();
}

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
  const bool fileRow = index.data(TResultsModel::NodeKindRole).toInt() == static_cast<int>(search::TNodeKind::File);
  const QString text = Fitted(Shortened(item.text), item.fontMetrics, textRect.width(), fileRow);
  painter->save();
  painter->setFont(item.font);
  painter->setPen(colour.isValid() ? colour.value<QColor>() : item.palette.color(QPalette::Text));
  painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | kTextFlags, text);
  painter->restore();

  if (item.state & QStyle::State_HasFocus) {
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(item);
    focus.rect = item.rect;
    style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
  }
}
