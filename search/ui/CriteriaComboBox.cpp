#include "search/ui/CriteriaComboBox.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>

#include "search/engine/run/RecentValues.h"
#include "search/ui/ByteText.h"

TCriteriaComboBox::TCriteriaComboBox(const QString& name, QWidget* parent) : QComboBox(parent) {
  setObjectName(name);
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setMaxVisibleItems(static_cast<int>(search::kRecentValuesLimit));
  setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  setMinimumContentsLength(8);
  lineEdit()->installEventFilter(this);
}

void TCriteriaComboBox::FillRecentBox(const std::vector<std::string>& values) {
  const QString text = currentText();
  QStringList items;
  items.reserve(static_cast<qsizetype>(values.size()));
  for (const std::string& value : values) items << DisplayString(value);
  if (lineEdit() != nullptr) lineEdit()->blockSignals(true);
  clear();
  addItems(items);
  if (lineEdit() != nullptr) lineEdit()->blockSignals(false);
  SetText(items.isEmpty() ? text : items.front());
}

void TCriteriaComboBox::SetText(const QString& text) {
  setEditText(text);
  if (lineEdit() != nullptr) lineEdit()->setCursorPosition(0);
}

void TCriteriaComboBox::SetAutoComplete(bool on) {
  if (on == (completer() != nullptr)) return;
  if (!on) {
    setCompleter(nullptr);
    return;
  }
  auto* completion = new QCompleter(model(), this);
  completion->setCaseSensitivity(Qt::CaseInsensitive);
  completion->setCompletionMode(QCompleter::InlineCompletion);
  setCompleter(completion);
}

bool TCriteriaComboBox::TakeEnter(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (!enter || view()->isVisible()) return false;
  event->accept();
  emit EnterPressed();
  return true;
}

void TCriteriaComboBox::keyPressEvent(QKeyEvent* event) {
  if (!TakeEnter(event)) QComboBox::keyPressEvent(event);
}

// Enter is taken before the line edit sees it: with its text selected (as at start, or with an
// inline completion shown) the line edit would keep Enter for itself.
bool TCriteriaComboBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lineEdit() && event->type() == QEvent::MouseButtonPress) emit Clicked();
  if (watched == lineEdit() && event->type() == QEvent::KeyPress && TakeEnter(static_cast<QKeyEvent*>(event))) {
    return true;
  }
  return QComboBox::eventFilter(watched, event);
}
