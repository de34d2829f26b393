#include "search/ui/ResultsModel.h"

#include "search/settings/DataModule.h"
#include "search/ui/ByteText.h"
#include "search/ui/ColourValues.h"

using search::TNodeKind;
using search::TResultNode;
using search::TTreeViewObject;

namespace {

// A line row carries its file's top-level row plus one; a top-level row carries 0.
quintptr LineRowId(int fileRow) { return static_cast<quintptr>(fileRow) + 1; }

struct TKindColours {
  int32_t fore;
  int32_t back;
  int32_t selectedFore;
};

TKindColours ColoursOf(const TTreeViewObject& payload, const TDataMod& s) {
  switch (payload.Kind()) {
    case TNodeKind::File:
      return {s.MatchedFilesForeColour.Value(), s.MatchedFilesBackColour.Value(), s.MatchedFilesBackColour.Value()};
    case TNodeKind::Error:
      return {s.ErrorMessagesForeColour.Value(), s.ErrorMessagesBackColour.Value(),
              s.ErrorMessagesBackColour.Value()};
    case TNodeKind::FileLine:
      break;
  }
  // A selected context line takes the matched lines' background, not its own.
  if (static_cast<const search::TTreeViewFileLine&>(payload).Matched) {
    return {s.MatchedLinesForeColour.Value(), s.MatchedLinesBackColour.Value(), s.MatchedLinesBackColour.Value()};
  }
  return {s.OtherLinesForeColour.Value(), s.OtherLinesBackColour.Value(), s.MatchedLinesBackColour.Value()};
}

}  // namespace

TResultsModel::TResultsModel(search::TResultTree& tree, const TDataMod& settings, QObject* parent)
    : QAbstractItemModel(parent), tree_(tree), settings_(settings) {
  heldBack_.setSingleShot(true);
  connect(&heldBack_, &QTimer::timeout, this, &TResultsModel::Flush);
}

qint64 TResultsModel::AnnounceDelay() const {
  constexpr size_t kRowsLaidOutAtOnce = 20000;
  if (announcedRows_ < kRowsLaidOutAtOnce) return 0;
  return static_cast<qint64>(announcedRows_ / 2000);  // about a fifth of the time spent laying out
}

void TResultsModel::Flush() {
  heldBack_.stop();
  if (updateDepth_ == 0 && !sortPending_) Announce();
}

size_t TResultsModel::AnnouncedLines(int row) const {
  return row >= 0 && static_cast<size_t>(row) < announcedLines_.size() ? announcedLines_[static_cast<size_t>(row)] : 0;
}

QModelIndex TResultsModel::index(int row, int column, const QModelIndex& parent) const {
  if (row < 0 || column != 0) return {};
  if (!parent.isValid()) {
    if (static_cast<size_t>(row) >= announcedLines_.size()) return {};
    return createIndex(row, 0, quintptr{0});
  }
  if (parent.internalId() != 0) return {};  // lines have no children
  if (static_cast<size_t>(row) >= AnnouncedLines(parent.row())) return {};
  return createIndex(row, 0, LineRowId(parent.row()));
}

QModelIndex TResultsModel::parent(const QModelIndex& child) const {
  if (!child.isValid() || child.internalId() == 0) return {};
  return createIndex(static_cast<int>(child.internalId() - 1), 0, quintptr{0});
}

int TResultsModel::rowCount(const QModelIndex& parent) const {
  if (!parent.isValid()) return static_cast<int>(announcedLines_.size());
  if (parent.column() != 0 || parent.internalId() != 0) return 0;
  return static_cast<int>(AnnouncedLines(parent.row()));
}

int TResultsModel::columnCount(const QModelIndex&) const { return 1; }

bool TResultsModel::hasChildren(const QModelIndex& parent) const { return rowCount(parent) > 0; }

Qt::ItemFlags TResultsModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (IsLineRow(index)) flags |= Qt::ItemNeverHasChildren;
  return flags;
}

TResultNode* TResultsModel::Node(const QModelIndex& index) const {
  if (!index.isValid()) return nullptr;
  const int fileRow = IsLineRow(index) ? static_cast<int>(index.internalId() - 1) : index.row();
  if (fileRow < 0 || static_cast<size_t>(fileRow) >= tree_.Count()) return nullptr;
  return &tree_.At(static_cast<size_t>(fileRow));
}

const TTreeViewObject* TResultsModel::Payload(const QModelIndex& index) const {
  TResultNode* node = Node(index);
  if (node == nullptr) return nullptr;
  if (!IsLineRow(index)) return node->Payload.get();
  const auto line = static_cast<size_t>(index.row());
  return line < node->Lines.size() ? &node->Lines[line] : nullptr;
}

QVariant TResultsModel::data(const QModelIndex& index, int role) const {
  const TTreeViewObject* payload = Payload(index);
  if (payload == nullptr) return {};
  switch (role) {
    case Qt::DisplayRole: {
      const search::TDisplayOptions options{settings_.ShowFileSize.Value(), settings_.ShowFileCreationDate.Value(),
                                            settings_.ShowFileModifiedDate.Value(),
                                            settings_.ShowFileAccessedDate.Value()};
      return DisplayString(payload->GetDisplayText(options));
    }
    case Qt::BackgroundRole:
      return ResolveColour(ColoursOf(*payload, settings_).back, palette_);
    case Qt::ForegroundRole:
      return ResolveColour(ColoursOf(*payload, settings_).fore, palette_);
    case SelectedForegroundRole:
      return ReadableOnHighlight(ResolveColour(ColoursOf(*payload, settings_).selectedFore, palette_), palette_);
    case NodeKindRole:
      return static_cast<int>(payload->Kind());
    default:
      return {};
  }
}

void TResultsModel::EndUpdate() {
  if (updateDepth_ == 0) return;
  if (--updateDepth_ > 0) return;
  if (sortPending_) {
    Reset();
    return;
  }
  const qint64 delay = AnnounceDelay();
  if (delay == 0 || !sinceAnnounce_.isValid() || sinceAnnounce_.elapsed() >= delay) {
    Announce();
  } else if (!heldBack_.isActive()) {
    heldBack_.start(static_cast<int>(delay - sinceAnnounce_.elapsed()));
  }
}

void TResultsModel::Cleared() {
  sortPending_ = false;
  heldBack_.stop();
  beginResetModel();
  ForgetRows();
  endResetModel();
}

void TResultsModel::ForgetRows() {
  announcedLines_.clear();
  rowExpanded_.clear();
  announcedRows_ = 0;
  rowsWithLines_ = 0;
  expandedRowsWithLines_ = 0;
}

// A new top-level row with the lines it has now.
void TResultsModel::AnnounceRow(size_t row) {
  announcedLines_.push_back(tree_.At(row).Lines.size());
  rowExpanded_.push_back(false);
  announcedRows_ += 1 + announcedLines_.back();
  if (announcedLines_.back() > 0) ++rowsWithLines_;
}

void TResultsModel::SetRowExpanded(int row, bool expanded) {
  if (row < 0 || static_cast<size_t>(row) >= rowExpanded_.size()) return;
  const auto at = static_cast<size_t>(row);
  if (rowExpanded_[at] == expanded) return;
  rowExpanded_[at] = expanded;
  if (announcedLines_[at] > 0) expanded ? ++expandedRowsWithLines_ : --expandedRowsWithLines_;
}

void TResultsModel::Sorted() {
  if (updateDepth_ > 0) {
    sortPending_ = true;
  } else {
    Reset();
  }
}

// Rows are only ever appended between resets: new lines under files already shown, then new
// top-level rows.
void TResultsModel::Announce() {
  heldBack_.stop();
  sinceAnnounce_.start();
  const size_t shownFiles = announcedLines_.size();
  for (size_t row = 0; row < shownFiles; ++row) {
    const size_t lines = tree_.At(row).Lines.size();
    if (lines <= announcedLines_[row]) continue;
    const QModelIndex parent = createIndex(static_cast<int>(row), 0, quintptr{0});
    beginInsertRows(parent, static_cast<int>(announcedLines_[row]), static_cast<int>(lines) - 1);
    if (announcedLines_[row] == 0) {
      ++rowsWithLines_;
      if (rowExpanded_[row]) ++expandedRowsWithLines_;
    }
    announcedRows_ += lines - announcedLines_[row];
    announcedLines_[row] = lines;
    endInsertRows();
  }
  const size_t files = tree_.Count();
  if (files <= shownFiles) return;
  beginInsertRows({}, static_cast<int>(shownFiles), static_cast<int>(files) - 1);
  for (size_t row = shownFiles; row < files; ++row) AnnounceRow(row);
  endInsertRows();
  AnnounceExpanded(shownFiles);
}

void TResultsModel::Reset() {
  sortPending_ = false;
  heldBack_.stop();
  sinceAnnounce_.start();
  beginResetModel();
  ForgetRows();
  announcedLines_.reserve(tree_.Count());
  rowExpanded_.reserve(tree_.Count());
  for (size_t row = 0; row < tree_.Count(); ++row) AnnounceRow(row);
  endResetModel();
  AnnounceExpanded(0);
}

// Reports the runs of expanded nodes from the row on, so that views open them.
void TResultsModel::AnnounceExpanded(size_t from) {
  const size_t files = tree_.Count();
  int first = -1;
  for (size_t row = from; row <= files; ++row) {
    const bool expanded = row < files && tree_.At(row).Expanded && !tree_.At(row).Lines.empty();
    if (expanded && first < 0) first = static_cast<int>(row);
    if (!expanded && first >= 0) {
      emit ExpandedRowsAnnounced(first, static_cast<int>(row) - 1);
      first = -1;
    }
  }
}
