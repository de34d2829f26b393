#pragma once
// TGoToLineForm: the small dialog that asks for the line to go to, showing the number of lines.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TGoToLineForm final : public QDialog {
  Q_OBJECT

 public:
  explicit TGoToLineForm(QWidget* parent = nullptr);

  void SetLineNumber(int line);
  void SetNumberOfLines(int count);
  // The typed number, or -1 when the text is not a decimal number that fits 32 bits.
  int LineNumber() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void edLineNumberChange();

  QLineEdit* edLineNumber_ = nullptr;
  QLabel* lbNumberOfLines_ = nullptr;
  QPushButton* btOk_ = nullptr;
};
