#include "search/ui/ResultsView.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <QScopedValueRollback>
#include <QScrollBar>

#include "search/ui/ResultsDelegate.h"
#include "search/ui/ResultsModel.h"

namespace {
const QPoint kNoOrigin{-1, -1};
}

TResultsView::TResultsView(QWidget* parent) : QTreeView(parent) {
  setObjectName("vstResults");
  setHeaderHidden(true);
  setUniformRowHeights(true);  // keeps a million rows cheap to lay out
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setExpandsOnDoubleClick(false);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setAllColumnsShowFocus(true);
  setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setItemDelegate(new TResultsDelegate(this));
  // The one column is as wide as the widest row seen, so long rows scroll sideways.
  header()->setStretchLastSection(false);
  header()->setSectionResizeMode(QHeaderView::Fixed);
  widthCheck_.setSingleShot(true);
  connect(&widthCheck_, &QTimer::timeout, this, &TResultsView::FitColumnToRows);

  connect(this, &QTreeView::expanded, this, [this](const QModelIndex& index) {
    MarkExpanded(index, true);
    ShowChildren(index);
  });
  connect(this, &QTreeView::collapsed, this, [this](const QModelIndex& index) { MarkExpanded(index, false); });
  connect(this, &QTreeView::expanded, this, &TResultsView::CheckColumnWidth);
  connect(this, &QTreeView::collapsed, this, &TResultsView::CheckColumnWidth);
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &TResultsView::CheckColumnWidth);
}

void TResultsView::SetResultsModel(TResultsModel* model) {
  model_ = model;
  setModel(model);
  model->SetPalette(palette());
  connect(model, &QAbstractItemModel::modelReset, this, [this] {
    widestRow_ = 0;
    CheckColumnWidth();
  });
  connect(model, &QAbstractItemModel::rowsInserted, this, &TResultsView::CheckColumnWidth);
  connect(model, &TResultsModel::ExpandedRowsAnnounced, this, [this](int first, int last) {
    const QScopedValueRollback<bool> many(expandingMany_, true);
    for (int row = first; row <= last; ++row) expand(model_->index(row, 0));
  });
}

bool TResultsView::CanOpen() const { return selectionModel() != nullptr && selectionModel()->hasSelection(); }

void TResultsView::MarkExpanded(const QModelIndex& index, bool expanded) {
  if (model_ == nullptr || model_->IsLineRow(index)) return;
  if (search::TResultNode* node = model_->Node(index)) node->Expanded = expanded;
}

// A node opened by the user scrolls so that its children come into view, as many as fit, the
// node itself staying in view.
void TResultsView::ShowChildren(const QModelIndex& index) {
  if (expandingMany_ || !isEnabled() || !isVisible() || model_ == nullptr || model_->Updating()) return;
  const int children = model_->rowCount(index);
  if (children == 0) return;
  scrollTo(model_->index(children - 1, 0, index), QAbstractItemView::EnsureVisible);
  scrollTo(index, QAbstractItemView::EnsureVisible);
}

void TResultsView::ExpandAll() {
  const QScopedValueRollback<bool> many(expandingMany_, true);
  expandAll();
  if (model_ == nullptr) return;
  for (int row = 0; row < model_->rowCount(); ++row) MarkExpanded(model_->index(row, 0), true);
}

void TResultsView::CollapseAll() {
  collapseAll();
  if (model_ == nullptr) return;
  for (int row = 0; row < model_->rowCount(); ++row) MarkExpanded(model_->index(row, 0), false);
}

void TResultsView::mousePressEvent(QMouseEvent* event) {
  dragOrigin_ = event->position().toPoint();
  if (event->button() == Qt::RightButton) {
    // The node under the pointer is selected before the menu opens; a node already selected
    // keeps the selection as it is.
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid()) {
      if (!selectionModel()->isSelected(index)) {
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
      } else {
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
      }
    }
    event->accept();
    return;
  }
  QTreeView::mousePressEvent(event);
}

void TResultsView::mouseReleaseEvent(QMouseEvent* event) {
  dragOrigin_ = kNoOrigin;
  QTreeView::mouseReleaseEvent(event);
}

void TResultsView::mouseMoveEvent(QMouseEvent* event) {
  if ((event->buttons() & Qt::LeftButton) && CanOpen() && dragOrigin_ != kNoOrigin) {
    const QPoint distance = event->position().toPoint() - dragOrigin_;
    if (std::abs(distance.x()) >= kDragThreshold || std::abs(distance.y()) >= kDragThreshold) {
      dragOrigin_ = kNoOrigin;
      emit DragRequested();
      return;
    }
  }
  QTreeView::mouseMoveEvent(event);
}

void TResultsView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && CanOpen()) {
    emit OpenRequested();
    event->accept();
    return;
  }
  QTreeView::mouseDoubleClickEvent(event);
}

void TResultsView::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && CanOpen()) {
    emit OpenRequested();
    event->accept();
    return;
  }
  QTreeView::keyPressEvent(event);
}

void TResultsView::contextMenuEvent(QContextMenuEvent* event) {
  emit ContextMenuRequested(event->globalPos());
  event->accept();
}

// The focused node is scrolled into view without centring it.
void TResultsView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTreeView::currentChanged(current, previous);
  if (current.isValid()) scrollTo(current, QAbstractItemView::EnsureVisible);
}

// Bringing a row into view never scrolls sideways: the column is one wide row.
void TResultsView::scrollTo(const QModelIndex& index, ScrollHint hint) {
  const int sideways = horizontalScrollBar()->value();
  QTreeView::scrollTo(index, hint);
  horizontalScrollBar()->setValue(sideways);
}

void TResultsView::CheckColumnWidth() {
  if (!widthCheck_.isActive()) widthCheck_.start(0);
}

// The widest row among those in view, measured as the delegate draws it; the column never
// becomes narrower while the same results are shown, so scrolling down does not make it jump.
void TResultsView::FitColumnToRows() {
  if (model_ == nullptr) return;
  const int offset = horizontalOffset();
  for (QModelIndex index = indexAt(QPoint(0, 0)); index.isValid(); index = indexBelow(index)) {
    const QRect row = visualRect(index);
    if (row.top() > viewport()->height()) break;
    const int textWidth = TResultsDelegate::TextWidth(fontMetrics(), index.data().toString());
    widestRow_ = std::max(widestRow_, row.left() + offset + textWidth + TResultsDelegate::kTextMargins);
  }
  const int width = std::max(widestRow_, viewport()->width());
  if (header()->sectionSize(0) != width) header()->resizeSection(0, width);
}

void TResultsView::resizeEvent(QResizeEvent* event) {
  QTreeView::resizeEvent(event);
  CheckColumnWidth();
}

// The background band of a row starts at the left edge, under the expand button.
void TResultsView::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const QVariant background = index.data(Qt::BackgroundRole);
  if (background.isValid()) painter->fillRect(option.rect, background.value<QColor>());
  QTreeView::drawRow(painter, option, index);
}

void TResultsView::changeEvent(QEvent* event) {
  if (event->type() == QEvent::PaletteChange && model_ != nullptr) model_->SetPalette(palette());
  if (event->type() == QEvent::FontChange) {
    widestRow_ = 0;
    CheckColumnWidth();
  }
  QTreeView::changeEvent(event);
}

// A row too long for the view shows its whole text as a tooltip.
bool TResultsView::viewportEvent(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QTreeView::viewportEvent(event);
  const auto* help = static_cast<QHelpEvent*>(event);
  const QModelIndex index = indexAt(help->pos());
  constexpr qsizetype kLongestTip = 2000;
  QString text = index.data().toString();
  if (text.size() > kLongestTip) text = text.left(kLongestTip) + QChar(0x2026);
  const QRect row = visualRect(index);
  const int room = viewport()->width() - row.left() - 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin);
  if (index.isValid() && fontMetrics().horizontalAdvance(text) > room) {
    QToolTip::showText(help->globalPos(), text, viewport(), row);
  } else {
    QToolTip::hideText();
  }
  return true;
}
