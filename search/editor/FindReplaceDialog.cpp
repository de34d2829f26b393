#include "search/editor/FindReplaceDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "search/editor/EditorTexts.h"

namespace texts = editor_texts;

TFindReplaceDialog::TFindReplaceDialog(bool replace, QWidget* parent) : QDialog(parent), replace_(replace) {
  setObjectName(replace ? "ReplaceDialog" : "FindDialog");
  setWindowTitle(replace ? texts::kReplaceCaption : texts::kFindCaption);
  setModal(false);

  auto* fields = new QGridLayout;
  edFindText_ = new QLineEdit(this);
  edFindText_->setObjectName("edFindText");
  auto* findLabel = new QLabel(texts::kFindWhat, this);
  findLabel->setBuddy(edFindText_);
  fields->addWidget(findLabel, 0, 0);
  fields->addWidget(edFindText_, 0, 1);
  if (replace) {
    edReplaceText_ = new QLineEdit(this);
    edReplaceText_->setObjectName("edReplaceText");
    auto* replaceLabel = new QLabel(texts::kReplaceWith, this);
    replaceLabel->setBuddy(edReplaceText_);
    fields->addWidget(replaceLabel, 1, 0);
    fields->addWidget(edReplaceText_, 1, 1);
  }
  ckWholeWord_ = new QCheckBox(texts::kWholeWord, this);
  ckWholeWord_->setObjectName("ckWholeWord");
  ckMatchCase_ = new QCheckBox(texts::kMatchCase, this);
  ckMatchCase_->setObjectName("ckMatchCase");
  auto* options = new QHBoxLayout;
  auto* checks = new QVBoxLayout;
  checks->addWidget(ckWholeWord_);
  checks->addWidget(ckMatchCase_);
  checks->addStretch();
  options->addLayout(checks);
  if (!replace) {
    auto* direction = new QGroupBox(texts::kDirection, this);
    auto* directionLayout = new QHBoxLayout(direction);
    rbUp_ = new QRadioButton(texts::kUp, direction);
    rbUp_->setObjectName("rbUp");
    rbDown_ = new QRadioButton(texts::kDown, direction);
    rbDown_->setObjectName("rbDown");
    rbDown_->setChecked(true);
    directionLayout->addWidget(rbUp_);
    directionLayout->addWidget(rbDown_);
    options->addWidget(direction);
  }
  auto* left = new QVBoxLayout;
  left->addLayout(fields);
  left->addLayout(options);
  left->addStretch();

  auto* buttons = new QVBoxLayout;
  const auto addButton = [this, buttons](const char* name, const char* caption) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    buttons->addWidget(button);
    return button;
  };
  btFindNext_ = addButton("btFindNext", texts::kFindNext);
  btFindNext_->setDefault(true);
  connect(btFindNext_, &QPushButton::clicked, this, &TFindReplaceDialog::FindNext);
  if (replace) {
    connect(addButton("btReplace", texts::kReplaceOne), &QPushButton::clicked, this, &TFindReplaceDialog::ReplaceOne);
    connect(addButton("btReplaceAll", texts::kReplaceAll), &QPushButton::clicked, this, &TFindReplaceDialog::ReplaceAll);
  }
  connect(addButton("btCancel", texts::kCancel), &QPushButton::clicked, this, &QDialog::hide);
  buttons->addStretch();
  const auto enableButtons = [this] {
    for (QPushButton* button : findChildren<QPushButton*>()) {
      if (button->objectName() != "btCancel") button->setEnabled(!edFindText_->text().isEmpty());
    }
  };
  connect(edFindText_, &QLineEdit::textChanged, this, enableButtons);
  enableButtons();

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addLayout(buttons);
  setMinimumWidth(420);
}

void TFindReplaceDialog::SetValues(const QString& findText, const QString& replaceText,
                                   const editor::TFindOptions& options) {
  edFindText_->setText(findText);
  edFindText_->selectAll();
  if (edReplaceText_ != nullptr) edReplaceText_->setText(replaceText);
  ckWholeWord_->setChecked(options.WholeWord);
  ckMatchCase_->setChecked(options.MatchCase);
  if (rbDown_ != nullptr) (options.Down ? rbDown_ : rbUp_)->setChecked(true);
}

QString TFindReplaceDialog::FindText() const { return edFindText_->text(); }
QString TFindReplaceDialog::ReplaceText() const { return edReplaceText_ != nullptr ? edReplaceText_->text() : QString(); }

editor::TFindOptions TFindReplaceDialog::Options() const {
  return editor::TFindOptions{ckMatchCase_->isChecked(), ckWholeWord_->isChecked(), rbDown_ == nullptr || rbDown_->isChecked()};
}
