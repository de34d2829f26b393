#pragma once
// TBusyForm: the small window that accompanies a running search. It shows what it is told (an
// operation, a path, five counters) and raises Cancelled when Cancel or Esc is pressed.

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <cstdint>

#include "search/engine/run/SearchHost.h"

class TBusyAnimation;
class TEllipsisLabel;

class TBusyForm final : public QDialog {
  Q_OBJECT

 public:
  // A title bar without minimise, maximise or close buttons, kept above the main window.
  static constexpr Qt::WindowFlags kWindowFlags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                  Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint;

  explicit TBusyForm(QWidget* owner);

  void SetOperation(const QString& text);
  void SetPath(const QString& text);
  QString GetPath() const;

  // Each does nothing when the value is the one shown; otherwise the label repaints at once.
  void SetFilesFound(int64_t n) { SetCount(found_, lbFound_, n); }
  void SetFilesSearched(int64_t n) { SetCount(searched_, lbSearched_, n); }
  void SetLinesSearched(int64_t n) { SetCount(lines_, lbTotalLines_, n); }
  void SetFilesMatched(int64_t n) { SetCount(matched_, lbMatched_, n); }
  void SetTotalMatches(int64_t n) { SetCount(totalMatches_, lbTotalMatches_, n); }

  // The counters and the path as a running search reports them, painted together at the next
  // paint rather than each at once.
  void ShowProgress(const search::TBusyCounters& counters, const QString& path);

  int64_t FilesFound() const { return found_; }
  int64_t FilesSearched() const { return searched_; }
  int64_t LinesSearched() const { return lines_; }
  int64_t FilesMatched() const { return matched_; }
  int64_t TotalMatches() const { return totalMatches_; }

  bool Cancelled() const { return cancelled_; }

  // Shows the dialog centred over its owner, without making it modal.
  void ShowOverOwner();

 public slots:
  void btCancelClick() { cancelled_ = true; }

 protected:
  void reject() override;  // Esc presses Cancel; the dialog is closed only by the search
  void closeEvent(QCloseEvent* event) override;

 private:
  void SetCount(int64_t& held, QLabel* label, int64_t n);
  // Stores and shows the value; false when it was already shown.
  static bool StoreCount(int64_t& held, QLabel* label, int64_t n);
  QLabel* AddCounter(class QGridLayout* grid, int row, const QString& caption, const QString& name);

  int64_t found_ = 0;
  int64_t searched_ = 0;
  int64_t lines_ = 0;
  int64_t matched_ = 0;
  int64_t totalMatches_ = 0;
  bool cancelled_ = false;

  TBusyAnimation* animate_ = nullptr;
  QLabel* lbFound_ = nullptr;
  QLabel* lbSearched_ = nullptr;
  QLabel* lbTotalLines_ = nullptr;
  QLabel* lbMatched_ = nullptr;
  QLabel* lbTotalMatches_ = nullptr;
  QLabel* lbOperation_ = nullptr;
  TEllipsisLabel* lbPath_ = nullptr;
  QPushButton* btCancel_ = nullptr;
};
