#pragma once
// vstResults: the results tree control. Whole-row multiple selection, right click selecting
// before the menu, the drag origin, double click and Enter asking for the open command, the
// row background carried across the expand button, and rows wider than the pane scrolling
// sideways.

#include <QPoint>
#include <QTimer>
#include <QTreeView>

class TResultsModel;

class TResultsView final : public QTreeView {
  Q_OBJECT

 public:
  explicit TResultsView(QWidget* parent = nullptr);

  void SetResultsModel(TResultsModel* model);
  // The point pressed last, or (-1, -1) when none.
  QPoint DragOrigin() const { return dragOrigin_; }
  // Whether the open command may run (a node is selected); until the open command exists the
  // view decides this from its selection.
  bool CanOpen() const;

  void ExpandAll();
  void CollapseAll();
  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

  static constexpr int kDragThreshold = 5;

 signals:
  void OpenRequested();
  // The pointer moved far enough with the left button held to drag the selected files out.
  void DragRequested();
  void ContextMenuRequested(const QPoint& globalPosition);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void changeEvent(QEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ShowChildren(const QModelIndex& index);
  void MarkExpanded(const QModelIndex& index, bool expanded);
  // The column's width follows the rows in view, checked once the events at hand are handled.
  void CheckColumnWidth();
  void FitColumnToRows();

  TResultsModel* model_ = nullptr;
  QPoint dragOrigin_{-1, -1};
  // Set while many nodes open at once (Expand All, rows arriving from a search): only a node
  // the user opens scrolls its children into view.
  bool expandingMany_ = false;
  int widestRow_ = 0;
  QTimer widthCheck_;
};
