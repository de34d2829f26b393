// TMainForm: the command line the program was started with (the folder extension starts it
// with the selected folders joined by "; ").

#include <QStringList>

#include "search/settings/DataModule.h"
#include "search/ui/CriteriaComboBox.h"
#include "search/ui/MainForm.h"

namespace {

// Trimmed of the characters up to the blank at both ends.
QString TrimmedArgument(const QString& argument) {
  qsizetype first = 0;
  qsizetype last = argument.size();
  while (first < last && argument.at(first).unicode() <= ' ') ++first;
  while (last > first && argument.at(last - 1).unicode() <= ' ') --last;
  return argument.mid(first, last - first);
}

// The words that ask for a start in the tray when the tray is in use.
bool IsTrayWord(const QString& argument) {
  static const QStringList words = {"hide", "inactive", "tooltray", "noshow"};
  return words.contains(argument, Qt::CaseInsensitive);
}

}  // namespace

void TMainForm::ApplyCommandLine(const QString& argument) {
  const QString text = TrimmedArgument(argument);
  if (text.isEmpty()) return;
  // The tray start itself belongs to the tray; such a word is never taken for a folder.
  if (dataMod_.UseToolTray.Value() && IsTrayWord(text)) return;
  cbPath_->SetText(text);
  cbFiles_->SetText(QStringLiteral("*.*"));
}
