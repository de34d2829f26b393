#pragma once
// One of the six criteria boxes: an editable combo box with its recent values dropped down 12
// rows at a time. Enter, unless the list is dropped down, is taken by the box and reported.

#include <QComboBox>
#include <string>
#include <vector>

class TCriteriaComboBox final : public QComboBox {
  Q_OBJECT

 public:
  explicit TCriteriaComboBox(const QString& name, QWidget* parent = nullptr);

  // The drop-down list becomes the whole list and the text its first entry (unchanged when
  // the list is empty).
  void FillRecentBox(const std::vector<std::string>& values);
  void SetAutoComplete(bool on);
  // Sets the text, showing its beginning.
  void SetText(const QString& text);

 signals:
  void EnterPressed();
  void Clicked();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Reports Enter unless the drop-down list is open; true when it was taken.
  bool TakeEnter(QKeyEvent* event);
};
