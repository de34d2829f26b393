// The editor window's file commands: save, save as, save all, close, open, drops, the questions
// before unsaved changes are lost, and the watch for changes made by other programs.

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QMimeData>
#include <QTabWidget>
#include <QTimer>
#include <QUrl>

#include "search/editor/EditControl.h"
#include "search/editor/EditorForm.h"
#include "search/editor/EditorTexts.h"
#include "search/ui/ByteText.h"

namespace texts = editor_texts;

bool TEditorForm::SaveFile(TFileInfo& file) {
  const std::string name = QFile::encodeName(file.FileName).toStdString();
  try {
    editor::SaveFileAtomically(name, file.Editor->BytesView());
  } catch (const editor::TFileError& error) {
    ShowError(DisplayString(error.what()));
    return false;
  }
  file.Editor->SetModified(false);
  file.FileTime = editor::ReadFileStamp(name);
  Watch(file.FileName);
  if (&file == current_) UpdateCaption();
  ScheduleIdleUpdate();
  return true;
}

bool TEditorForm::SaveFileAs(TFileInfo& file) {
  const QString chosen = ChooseSaveName(file.FileName);
  if (chosen.isEmpty()) return false;
  file.FileName = chosen;
  pageControl_->setTabText(pageControl_->indexOf(file.Page), DisplayName(chosen));
  pageControl_->setTabToolTip(pageControl_->indexOf(file.Page), chosen);
  return SaveFile(file);
}

bool TEditorForm::SaveOrAsk(TFileInfo& file) { return file.FileName.isEmpty() ? SaveFileAs(file) : SaveFile(file); }

void TEditorForm::SaveAllClick() {
  for (size_t index = 0; index < files_.size(); ++index) {
    TFileInfo& file = *files_[index];
    if (file.Editor->Modified()) SaveOrAsk(file);
  }
}

bool TEditorForm::QuerySaveChanges(TFileInfo& file, const QString& verb) {
  if (!file.Editor->Modified()) return true;
  const int answer = AskUser(QString(texts::kHasChanged).arg(DisplayName(file.FileName), verb), TMessageKind::Warning,
                             {TMessageButton::Yes, TMessageButton::No, TMessageButton::Cancel});
  if (answer == mrYes) {
    SaveOrAsk(file);
    return true;
  }
  return answer == mrNo;
}

void TEditorForm::CloseCurrentFile() {
  if (current_ == nullptr || !QuerySaveChanges(*current_, texts::kClosing)) return;
  TFileInfo* closing = current_;
  const auto found = std::find_if(files_.begin(), files_.end(), [closing](const auto& file) { return file.get() == closing; });
  const auto index = static_cast<size_t>(found - files_.begin());
  current_ = nullptr;
  if (files_.size() >= 2) {
    SetCurrentFile(files_[index == 0 ? 1 : index - 1].get());
  } else {
    QTimer::singleShot(0, this, &QWidget::close);
  }
  ClosePage(*closing);
  files_.erase(files_.begin() + static_cast<std::ptrdiff_t>(index));
  ScheduleIdleUpdate();
}

void TEditorForm::ClosePage(TFileInfo& file) {
  if (!file.FileName.isEmpty()) watcher_->removePath(file.FileName);
  const QSignalBlocker quiet(pageControl_);
  pageControl_->removeTab(pageControl_->indexOf(file.Page));
  delete file.Page;  // the page owns its control
  file.Page = nullptr;
  file.Editor = nullptr;
}

bool TEditorForm::QueryCloseAll() {
  for (size_t index = 0; index < files_.size(); ++index) {
    if (!QuerySaveChanges(*files_[index], texts::kExiting)) return false;
  }
  return true;
}

void TEditorForm::closeEvent(QCloseEvent* event) {
  if (!QueryCloseAll()) {
    event->ignore();
    return;
  }
  current_ = nullptr;
  pollTimer_->stop();
  event->accept();
  QDialog::done(QDialog::Rejected);
}

// Escape belongs to the pages (it closes the find dialogs); the window closes only through
// its commands and its close box.
void TEditorForm::reject() {}

void TEditorForm::OpenClick() {
  const QString chosen = ChooseOpenName(QFileInfo(QCoreApplication::applicationFilePath()).absolutePath());
  if (chosen.isEmpty()) return;
  if (TFileInfo* open = FindOpenFile(chosen)) {
    SetCurrentFile(open);
  } else {
    OpenFile(chosen);
  }
}

void TEditorForm::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

// Every dropped file opens on a page of its own, also one that is open already.
void TEditorForm::dropEvent(QDropEvent* event) {
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) OpenFile(url.toLocalFile());
  }
  event->acceptProposedAction();
}

// Changes made by other programs.

void TEditorForm::Watch(const QString& fileName) {
  if (!fileName.isEmpty() && QFileInfo::exists(fileName) && !watcher_->files().contains(fileName)) {
    watcher_->addPath(fileName);
  }
}

void TEditorForm::CheckForOutsideChanges() {
  for (size_t index = 0; index < files_.size(); ++index) {
    TFileInfo& file = *files_[index];
    if (file.FileName.isEmpty()) continue;
    const auto stamp = editor::ReadFileStamp(QFile::encodeName(file.FileName).toStdString());
    // A file deleted or moved away is not reported; saving writes it again.
    if (!stamp || stamp == file.FileTime) continue;
    file.FileTime = stamp;
    // A file replaced by renaming another over it has left the watch: it is watched again.
    Watch(file.FileName);
    const int posted = static_cast<int>(index);
    QTimer::singleShot(0, this, [this, posted] { ChangedOutside(posted); });
  }
}

void TEditorForm::ChangedOutside(int index) {
  if (index < 0 || index >= static_cast<int>(files_.size())) return;
  TFileInfo& file = *files_[static_cast<size_t>(index)];
  const QString name = DisplayName(file.FileName);
  const QString text = QString(file.Editor->Modified() ? texts::kChangedOutsideWarning : texts::kChangedOutside).arg(name);
  if (AskUser(text, TMessageKind::Warning, {TMessageButton::Yes, TMessageButton::No}) == mrYes) ReloadFile(file);
  emit OutsideChangeHandled(index);
}

bool TEditorForm::ReloadFile(TFileInfo& file) {
  TEditControl& editor = *file.Editor;
  const int line = editor.CaretLine();
  const int column = editor.CaretColumn();
  if (!LoadInto(file)) return false;
  editor.SetCaret(column, line);
  editor.SetModified(false);
  SetGutterWidthFor(editor);
  if (&file == current_) UpdateCaption();
  return true;
}
