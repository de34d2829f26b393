#pragma once
// The results tree as a Qt model: a lazy view over the engine's result nodes. Row texts and
// colours are made from the payload each time they are asked for; nothing is kept per row
// except how many rows of each file have been announced to the views.

#include <QAbstractItemModel>
#include <QElapsedTimer>
#include <QTimer>
#include <QPalette>
#include <vector>

#include "search/engine/results/ResultTree.h"

class TDataMod;

class TResultsModel final : public QAbstractItemModel {
  Q_OBJECT

 public:
  enum Role {
    SelectedForegroundRole = Qt::UserRole + 1,  // the text colour of a selected row, readable on the highlight
    NodeKindRole,                               // search::TNodeKind as an int
  };

  TResultsModel(search::TResultTree& tree, const TDataMod& settings, QObject* parent = nullptr);

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  bool hasChildren(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // The palette that system colours are taken from.
  void SetPalette(const QPalette& palette) { palette_ = palette; }

  // The engine changes the tree only inside brackets, which nest; the outermost close
  // announces what was appended (or, after a sort, the whole new order).
  void BeginUpdate() { ++updateDepth_; }
  void EndUpdate();
  bool Updating() const { return updateDepth_ > 0; }
  // The tree has just been emptied.
  void Cleared();
  // The top level has been reordered.
  void Sorted();
  // Announces rows held back (see AnnounceDelay) at once.
  void Flush();

  // The node of a row (for a line row, its file node), or null.
  search::TResultNode* Node(const QModelIndex& index) const;
  // The payload of a row, or null.
  const search::TTreeViewObject* Payload(const QModelIndex& index) const;
  bool IsLineRow(const QModelIndex& index) const { return index.isValid() && index.internalId() != 0; }

 signals:
  // Top-level rows that came into view with their node marked expanded, first..last.
  void ExpandedRowsAnnounced(int first, int last);

 private:
  void Announce();
  void Reset();
  // Views lay out every row again when rows are appended at the top level, so with many rows
  // shown new ones are announced at most this often (milliseconds); small trees see every
  // append at once.
  qint64 AnnounceDelay() const;
  void AnnounceExpanded(size_t from);
  size_t AnnouncedLines(int row) const;

  search::TResultTree& tree_;
  const TDataMod& settings_;
  QPalette palette_;
  int updateDepth_ = 0;
  bool sortPending_ = false;
  // Lines announced per top-level row; its size is the number of top-level rows announced.
  std::vector<size_t> announcedLines_;
  size_t announcedRows_ = 0;  // files, notices and lines
  QElapsedTimer sinceAnnounce_;
  QTimer heldBack_;
};
