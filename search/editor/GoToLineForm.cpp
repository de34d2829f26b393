#include "search/editor/GoToLineForm.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "search/editor/EditorTexts.h"

namespace texts = editor_texts;

TGoToLineForm::TGoToLineForm(QWidget* parent) : QDialog(parent) {
  setObjectName("GoToLineForm");
  setWindowTitle(texts::kGoToLineCaption);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

  auto* group = new QGroupBox(this);
  auto* grid = new QGridLayout(group);
  edLineNumber_ = new QLineEdit(group);
  edLineNumber_->setObjectName("edLineNumber");
  edLineNumber_->setMaxLength(12);
  edLineNumber_->installEventFilter(this);
  auto* label = new QLabel(texts::kLineNumberLabel, group);
  label->setBuddy(edLineNumber_);
  lbNumberOfLines_ = new QLabel(group);
  lbNumberOfLines_->setObjectName("lbNumberOfLines");
  grid->addWidget(label, 0, 0);
  grid->addWidget(edLineNumber_, 0, 1);
  grid->addWidget(new QLabel(texts::kNumberOfLinesLabel, group), 1, 0);
  grid->addWidget(lbNumberOfLines_, 1, 1);

  auto* buttons = new QDialogButtonBox(this);
  btOk_ = buttons->addButton(texts::kOk, QDialogButtonBox::AcceptRole);
  btOk_->setObjectName("btOk");
  btOk_->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
  btOk_->setDefault(true);
  btOk_->setEnabled(false);
  QPushButton* cancel = buttons->addButton(texts::kCancel, QDialogButtonBox::RejectRole);
  cancel->setObjectName("btCancel");
  cancel->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(edLineNumber_, &QLineEdit::textChanged, this, &TGoToLineForm::edLineNumberChange);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addWidget(buttons);
  setFixedSize(sizeHint().expandedTo(QSize(242, 138)));
}

void TGoToLineForm::SetLineNumber(int line) { edLineNumber_->setText(QString::number(line)); }

void TGoToLineForm::SetNumberOfLines(int count) { lbNumberOfLines_->setText(QString::number(count)); }

int TGoToLineForm::LineNumber() const {
  bool ok = false;
  const int value = edLineNumber_->text().toInt(&ok, 10);
  return ok ? value : -1;
}

void TGoToLineForm::edLineNumberChange() {
  bool ok = false;
  edLineNumber_->text().toInt(&ok, 10);
  btOk_->setEnabled(ok);
}

// Only digits and Backspace are typed into the box; pasted text is taken as it is.
bool TGoToLineForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edLineNumber_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    const bool typed = !text.isEmpty() && text.at(0).isPrint();
    if (typed && !(text.size() == 1 && text.at(0) >= '0' && text.at(0) <= '9')) return true;
  }
  return QDialog::eventFilter(watched, event);
}
