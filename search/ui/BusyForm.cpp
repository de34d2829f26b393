#include "search/ui/BusyForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QStyle>
#include <QVBoxLayout>

#include "search/ui/BusyAnimation.h"
#include "search/ui/EllipsisLabel.h"
#include "search/ui/TitleBarButtons.h"

TBusyForm::TBusyForm(QWidget* owner)
    : QDialog(owner, kWindowFlags) {
  setObjectName("BusyForm");
  setFont(QApplication::font());  // the system font, not the owner's
  setWindowTitle("Searching...");
  setModal(false);

  auto* panel = new QFrame(this);
  panel->setObjectName("Panel1");
  panel->setFrameShape(QFrame::StyledPanel);
  panel->setFrameShadow(QFrame::Sunken);

  animate_ = new TBusyAnimation(panel);
  auto* counters = new QGridLayout;
  counters->setHorizontalSpacing(24);
  counters->setVerticalSpacing(6);
  lbFound_ = AddCounter(counters, 0, "Files Found", "lbFound");
  lbSearched_ = AddCounter(counters, 1, "Files Searched", "lbSearched");
  lbTotalLines_ = AddCounter(counters, 2, "Lines Searched", "lbTotalLines");
  lbMatched_ = AddCounter(counters, 3, "Files Matched", "lbMatched");
  lbTotalMatches_ = AddCounter(counters, 4, "Total Matches", "lbTotalMatches");

  auto* top = new QHBoxLayout;
  top->addSpacing(16);
  top->addWidget(animate_, 0, Qt::AlignTop);
  top->addSpacing(28);
  top->addLayout(counters);
  top->addStretch(1);

  lbOperation_ = new QLabel(panel);
  lbOperation_->setObjectName("lbOperation");
  lbOperation_->setTextFormat(Qt::PlainText);
  lbPath_ = new TEllipsisLabel(panel);
  lbPath_->setObjectName("lbPath");

  auto* panelLayout = new QVBoxLayout(panel);
  panelLayout->setContentsMargins(10, 10, 10, 10);
  panelLayout->addLayout(top);
  panelLayout->addSpacing(10);
  panelLayout->addWidget(lbOperation_);
  panelLayout->addWidget(lbPath_);

  btCancel_ = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), "Cancel", this);
  btCancel_->setObjectName("btCancel");
  btCancel_->setMinimumWidth(90);
  btCancel_->setAutoDefault(false);
  connect(btCancel_, &QPushButton::clicked, this, &TBusyForm::btCancelClick);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->addWidget(panel);
  layout->addWidget(btCancel_, 0, Qt::AlignHCenter);

  setFixedWidth(440);
  animate_->Start();
}

QLabel* TBusyForm::AddCounter(QGridLayout* grid, int row, const QString& caption, const QString& name) {
  auto* title = new QLabel(caption);
  auto* number = new QLabel("0");
  number->setObjectName(name);
  number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  number->setMinimumWidth(93);
  grid->addWidget(title, row, 0);
  grid->addWidget(number, row, 1);
  return number;
}

bool TBusyForm::StoreCount(int64_t& held, QLabel* label, int64_t n) {
  if (n == held) return false;
  held = n;
  label->setText(QString::number(n));
  return true;
}

void TBusyForm::SetCount(int64_t& held, QLabel* label, int64_t n) {
  if (StoreCount(held, label, n)) label->repaint();
}

void TBusyForm::ShowProgress(const search::TBusyCounters& counters, const QString& path) {
  StoreCount(found_, lbFound_, counters.Found);
  StoreCount(searched_, lbSearched_, counters.Searched);
  StoreCount(lines_, lbTotalLines_, counters.Lines);
  StoreCount(matched_, lbMatched_, counters.Matched);
  StoreCount(totalMatches_, lbTotalMatches_, counters.TotalMatches);
  lbPath_->setText(path);
}

void TBusyForm::SetOperation(const QString& text) {
  lbOperation_->setText(text);
  lbOperation_->repaint();
}

void TBusyForm::SetPath(const QString& text) {
  lbPath_->setText(text);
  lbPath_->repaint();
}

QString TBusyForm::GetPath() const { return lbPath_->text(); }

void TBusyForm::ShowOverOwner() {
  adjustSize();
  setFixedSize(size());
  if (QWidget* owner = parentWidget()) {
    const QRect area = owner->frameGeometry();
    move(area.center() - rect().center());
  }
  RemoveTitleBarButtons(*this);
  show();
  raise();
}

void TBusyForm::reject() { btCancel_->click(); }

// The title bar has no close box; a close asked for all the same (a window manager's key)
// counts as Cancel, and the search closes the dialog when it ends.
void TBusyForm::closeEvent(QCloseEvent* event) {
  btCancel_->click();
  event->ignore();
}
