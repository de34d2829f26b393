#pragma once
// The find dialog and the replace dialog of the editor window: modeless, each reporting Find
// Next, Replace and Replace All with the texts and options in it.

#include <QDialog>

#include "search/editor/text/TextFinder.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TFindReplaceDialog final : public QDialog {
  Q_OBJECT

 public:
  // `replace` makes the replace dialog, without a direction (it searches down).
  TFindReplaceDialog(bool replace, QWidget* parent = nullptr);

  bool IsReplace() const { return replace_; }
  void SetValues(const QString& findText, const QString& replaceText, const editor::TFindOptions& options);
  QString FindText() const;
  QString ReplaceText() const;
  editor::TFindOptions Options() const;

 signals:
  void FindNext();
  void ReplaceOne();
  void ReplaceAll();

 private:
  bool replace_;
  QLineEdit* edFindText_ = nullptr;
  QLineEdit* edReplaceText_ = nullptr;
  QCheckBox* ckWholeWord_ = nullptr;
  QCheckBox* ckMatchCase_ = nullptr;
  QRadioButton* rbUp_ = nullptr;
  QRadioButton* rbDown_ = nullptr;
  QPushButton* btFindNext_ = nullptr;
};
