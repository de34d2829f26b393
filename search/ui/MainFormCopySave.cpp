// The main window's copy and save commands: file names, files and result rows, to the
// clipboard or to a text file.

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/fs/FileSystem.h"
#include "platform/fs/ReplaceFile.h"
#include "search/engine/results/ResultTexts.h"
#include "search/settings/DataModule.h"
#include "search/ui/ByteText.h"
#include "search/ui/FilesMimeData.h"
#include "search/ui/MainForm.h"
#include "search/ui/MainFormTexts.h"
#include "search/ui/MessageForm.h"
#include "search/ui/ResultsView.h"

search::TDisplayOptions TMainForm::DisplayOptions() const {
  return {dataMod_.ShowFileSize.Value(), dataMod_.ShowFileCreationDate.Value(), dataMod_.ShowFileModifiedDate.Value(),
          dataMod_.ShowFileAccessedDate.Value()};
}

std::vector<std::string> TMainForm::SelectedFileNames() const {
  return search::GetSelectedFileNames(state_.Results, vstResults_->SelectedNodes());
}

std::vector<std::string> TMainForm::AllFileNames() const { return search::GetAllFileNames(state_.Results); }

std::string TMainForm::SelectedEntries() const {
  return search::GetSelectedEntries(state_.Results, vstResults_->SelectedNodes(), DisplayOptions());
}

std::string TMainForm::AllEntries() const { return search::GetAllEntries(state_.Results, DisplayOptions()); }

void TMainForm::CopyTextToClipboard(const std::string& text) {
  QGuiApplication::clipboard()->setMimeData(PlainTextMimeData(text).release());
}

void TMainForm::CopyFilesToClipboard(const std::vector<std::string>& paths) {
  QGuiApplication::clipboard()->setMimeData(FilesMimeData(paths).release());
}

// The text is built once the file is chosen and replaces the file only when all of it was
// written.
void TMainForm::SaveTextToFile(const std::function<std::string()>& builder) {
  const QString chosen = ChooseSaveFileName(this);
  if (chosen.isEmpty()) return;
  const std::string text = builder();
  const int error = platform::fs::ReplaceFileContents(QFile::encodeName(chosen).toStdString(), text);
  if (error == 0) return;
  const QString message =
      QString(texts::kCannotCreateFile).arg(chosen, DisplayString(platform::fs::ErrorMessage(error)));
  ShowMessageDialog(message, TMessageKind::Error, {TMessageButton::OK}, 0, this);
}
