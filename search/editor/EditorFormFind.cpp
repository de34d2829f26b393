// The editor window's find, replace, go to line and bookmarks.

#include <QAction>
#include <QApplication>

#include "search/editor/EditControl.h"
#include "search/editor/EditorForm.h"
#include "search/editor/EditorTexts.h"
#include "search/editor/FindReplaceDialog.h"
#include "search/editor/GoToLineForm.h"
#include "search/editor/text/TextFinder.h"
#include "search/ui/ByteText.h"

namespace texts = editor_texts;

namespace {

// The hourglass while a long command runs, taken back however it ends.
class TBusyCursor {
 public:
  TBusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;
};

}  // namespace

TFindReplaceDialog& TEditorForm::OpenFindDialog(bool replace) {
  TFindReplaceDialog*& dialog = replace ? replaceDialog_ : findDialog_;
  if (dialog == nullptr) {
    dialog = new TFindReplaceDialog(replace, this);
    TFindReplaceDialog* created = dialog;
    connect(created, &TFindReplaceDialog::FindNext, this, [this, created] {
      TakeDialogValues(*created);
      DoFind(created->IsReplace());
    });
    connect(created, &TFindReplaceDialog::ReplaceOne, this, [this, created] {
      TakeDialogValues(*created);
      ReplaceOneClick();
    });
    connect(created, &TFindReplaceDialog::ReplaceAll, this, [this, created] {
      TakeDialogValues(*created);
      ReplaceAllClick();
    });
  }
  // One of the two dialogs at a time.
  if (TFindReplaceDialog* other = replace ? findDialog_ : replaceDialog_) other->hide();
  dialog->SetValues(DisplayString(findText_), DisplayString(replaceText_),
                    editor::TFindOptions{findMatchCase_, findWholeWord_, findDown_});
  dialog->show();
  dialog->raise();
  dialog->activateWindow();
  return *dialog;
}

void TEditorForm::TakeDialogValues(const TFindReplaceDialog& dialog) {
  findText_ = EngineString(dialog.FindText());
  if (dialog.IsReplace()) replaceText_ = EngineString(dialog.ReplaceText());
  const editor::TFindOptions options = dialog.Options();
  findMatchCase_ = options.MatchCase;
  findWholeWord_ = options.WholeWord;
  if (!dialog.IsReplace()) findDown_ = options.Down;
}

void TEditorForm::FindClick() {
  TEditControl* editor = CurrentEditor();
  if (editor == nullptr) return;
  SetStatusText(0, "");
  if (editor->HasSelection()) findText_ = editor->SelectedText();
  showDialogs_ = true;
  OpenFindDialog(false);
}

void TEditorForm::ReplaceClick() {
  TEditControl* editor = CurrentEditor();
  if (editor == nullptr) return;
  SetStatusText(0, "");
  if (editor->HasSelection()) findText_ = editor->SelectedText();
  showDialogs_ = true;
  OpenFindDialog(true);
}

void TEditorForm::FindAgainClick() {
  if (CurrentEditor() == nullptr) return;
  SetStatusText(0, "");
  DoFind(false);
}

bool TEditorForm::DoFind(bool fromReplace) {
  TEditControl* editor = CurrentEditor();
  if (editor == nullptr || findText_.empty()) return false;
  // The replace dialog always searches down.
  const editor::TFindOptions options{findMatchCase_, findWholeWord_, fromReplace || findDown_};
  const size_t from = static_cast<size_t>(options.Down ? editor->SelectionEndPosition() : editor->SelectionStartPosition());
  const auto found = editor::FindText(editor->View(), findText_, from, options);
  if (!found) {
    NotFound(fromReplace);
    return false;
  }
  editor->SetFocusToText();
  editor->SelectPositions(static_cast<int64_t>(*found), static_cast<int64_t>(*found + findText_.size()));
  Found(*editor);
  return true;
}

// The found text stays selected, its line in the middle of the view.
void TEditorForm::Found(TEditControl& editor) {
  if (!editor.HasSelection()) return;
  const int line = editor.LineOfPosition(editor.SelectionEndPosition());
  editor.SetTopRow(std::max(line - editor.VisibleRows() / 2, 0));
}

void TEditorForm::NotFound(bool fromReplace) {
  const QString text = DisplayString(findText_);
  SetStatusText(0, QString(texts::kNotFoundStatus).arg(text));
  if (showDialogs_) Inform(QString(texts::kNotFoundBox).arg(text), fromReplace ? texts::kReplaceCaption : texts::kFindCaption);
}

void TEditorForm::ReplaceOneClick() {
  TEditControl* editor = CurrentEditor();
  if (editor == nullptr || editor->ReadOnly()) return;
  if (!editor->HasSelection() && !DoFind(true)) return;
  if (editor::SameText(editor->SelectedText(), findText_, findMatchCase_)) {
    editor->SetSelectedText(replaceText_);
    editor->SetFocusToText();
  }
  DoFind(true);
}

// Every occurrence from the selection to the end, replaced as one undo step; the bytes
// between them stay as they are.
void TEditorForm::ReplaceAllClick() {
  TEditControl* editor = CurrentEditor();
  if (editor == nullptr || editor->ReadOnly() || findText_.empty()) return;
  const editor::TFindOptions options{findMatchCase_, findWholeWord_, true};
  size_t count = 0;
  {
    const TBusyCursor busy;
    const auto found = editor::FindAllFrom(editor->View(), findText_, static_cast<size_t>(editor->SelectionStartPosition()), options);
    count = found.size();
    if (count > 0) {
      std::vector<std::pair<int64_t, int64_t>> ranges;
      ranges.reserve(count);
      for (const size_t at : found) ranges.emplace_back(static_cast<int64_t>(at), static_cast<int64_t>(findText_.size()));
      editor->ReplaceRanges(ranges, replaceText_);
    }
  }
  if (count == 0) {
    NotFound(true);
    return;
  }
  const auto n = static_cast<qulonglong>(count);
  if (showDialogs_) Inform(QString(texts::kReplacedBox).arg(n).arg(DisplayString(findText_)), texts::kReplaceCaption);
  SetStatusText(0, QString(texts::kReplacedStatus).arg(n).arg(n == 1 ? "" : "s"));
  UpdateCaption();
}

// Escape closes the find and replace dialogs; their notices then show only in the status bar.
void TEditorForm::EditorKeyDown(int& key) {
  if (key != Qt::Key_Escape || !showDialogs_) return;
  key = 0;
  showDialogs_ = false;
  if (findDialog_ != nullptr) findDialog_->hide();
  if (replaceDialog_ != nullptr) replaceDialog_->hide();
}

void TEditorForm::GotoLineClick() {
  TEditControl* editor = CurrentEditor();
  if (editor == nullptr) return;
  TGoToLineForm dialog(this);
  dialog.SetLineNumber(editor->CaretLine() + 1);
  dialog.SetNumberOfLines(editor->LineCount());
  dialog.move(frameGeometry().center() - dialog.rect().center());
  if (RunGoToLine(dialog) == QDialog::Accepted) GoToLineCentred(1, dialog.LineNumber());
}

// Set where the caret stands; set again at the same place, it is taken away.
void TEditorForm::ToggleBookmark(int number) {
  TEditControl* editor = CurrentEditor();
  if (editor == nullptr) return;
  const TBookmark bookmark = editor->Bookmark(number);
  const int column = editor->CaretColumn();
  const int line = editor->CaretLine();
  const bool here = bookmark.Column == column && bookmark.Line == line;
  editor->SetBookmark(number, TBookmark{column, line, here ? !bookmark.Set : true});
  editor->Invalidate();
  ScheduleIdleUpdate();
}

void TEditorForm::GotoBookmark(int number) {
  TEditControl* editor = CurrentEditor();
  if (editor == nullptr) return;
  const TBookmark bookmark = editor->Bookmark(number);
  if (bookmark.Set) editor->SetCaret(bookmark.Column, bookmark.Line);
}
