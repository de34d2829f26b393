#pragma once
// TEditorForm: the internal editor, a modal window with one tab page per open file. It opens
// the files handed over from the search results with their search data, edits and saves
// them, and notices when another program changes one of them.

#include <QDialog>
#include <QPointer>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "search/editor/FileInfo.h"
#include "search/editor/LineAttributes.h"
#include "search/ui/MessageForm.h"

class QAction;
class QFileSystemWatcher;
class QMenu;
class QTabWidget;
class QTimer;
class QToolBar;
class TDataMod;
class TEditControl;
class TEditorStatusBar;
class TFindReplaceDialog;

class TEditorForm final : public QDialog {
  Q_OBJECT

 public:
  explicit TEditorForm(TDataMod& dataMod, QWidget* parent = nullptr);
  ~TEditorForm() override;

  // One file from the search results: shown at the line (1-based; 0 or less the first), with
  // the search's strings, options and the file's matched line numbers (any order).
  void OpenMatchedFile(const QString& fileName, int line, const std::string& stringA, const std::string& stringB,
                       uint8_t matchType, uint8_t matchProximity, const std::vector<int32_t>& matchedLines,
                       bool caseSensitive, bool wholeWord);

  // Opens a file on a new page (an empty name: a new untitled file); null when it does not
  // exist (after saying so).
  TFileInfo* OpenFile(const QString& fileName);
  // The first open file of that name (letters compared without regard to case), or null.
  TFileInfo* FindOpenFile(const QString& fileName) const;
  void SetCurrentFile(TFileInfo* file);
  TFileInfo* CurrentFile() const { return current_; }
  const std::vector<std::unique_ptr<TFileInfo>>& Files() const { return files_; }
  TEditControl* CurrentEditor() const;

  void UpdateCaption();
  // Brings the line (1-based) to the middle of the view, the caret at the column (1-based).
  void GoToLineCentred(int column, int line);
  void SetStatusText(int panel, const QString& text);
  QString StatusText(int panel) const;
  QAction* Action(const QString& name) const;

  // File commands.
  bool SaveFile(TFileInfo& file);
  bool SaveFileAs(TFileInfo& file);
  bool SaveOrAsk(TFileInfo& file);
  // Asks about unsaved changes; false when the user cancels.
  bool QuerySaveChanges(TFileInfo& file, const QString& verb);
  void CloseCurrentFile();
  // Reads the file again from disk; false (after showing the error) when it cannot be read.
  bool ReloadFile(TFileInfo& file);
  // Compares every open file with the disk; a change brings its question once.
  void CheckForOutsideChanges();

  // Find and replace (the dialogs' buttons, F3), go to line, bookmarks.
  void FindClick();
  void ReplaceClick();
  void FindAgainClick();
  // Searches once from the selection with the window's find text and options.
  bool DoFind(bool fromReplace);
  void ReplaceOneClick();
  void ReplaceAllClick();
  void GotoLineClick();
  void ToggleBookmark(int number);
  void GotoBookmark(int number);
  const std::string& FindTextValue() const { return findText_; }
  bool DialogsShown() const { return showDialogs_; }
  TFindReplaceDialog* FindDialog() const { return findDialog_; }
  TFindReplaceDialog* ReplaceDialog() const { return replaceDialog_; }
  // Shows an information box; replaceable like AskUser.
  std::function<void(const QString& text, const QString& title)> Inform;
  // Runs the go-to-line dialog; replaceable (returns the dialog's result).
  std::function<int(class TGoToLineForm& dialog)> RunGoToLine;
  // Runs the editor preferences dialog; replaceable (returns the dialog's result).
  std::function<int(class TConfigurationEditorForm& dialog)> RunPreferences;
  // The Preferences command: the dialog, and after OK its settings on every open page.
  void PreferencesClick();

  // The one pass that sets the enabled, checked and status states.
  void IdleUpdate();

  // The display name of a file name: "<untitled>" for none, else the name without its folder.
  static QString DisplayName(const QString& fileName);

  // How the window asks and reports; replaceable so that tests answer instead of a person.
  std::function<int(const QString& text, TMessageKind kind, const TMessageButtons& buttons)> AskUser;
  std::function<QString(const QString& initialName)> ChooseSaveName;
  std::function<QString(const QString& folder)> ChooseOpenName;
  std::function<void(const QString& message)> ShowError;

 signals:
  // The question about a file changed outside was answered (for tests and the record).
  void OutsideChangeHandled(int index);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void reject() override;

 private:
  void CreateActions();
  void CreateMenus();
  QToolBar* CreateToolBar();
  void ConnectActions();
  void ApplyEditorPreferences(TEditControl& editor);
  static void CentreLine(TEditControl& editor, int column, int line);
  void ConfigureEditor(TEditControl& editor);
  bool LoadInto(TFileInfo& file);
  void SetGutterWidthFor(TEditControl& editor);
  void PaintLineAttrs(TEditControl& editor, std::string_view line, int index, TLineAttrs& attrs);
  void PaintGutter(TEditControl& editor, QPainter& painter, const QRect& gutter);
  void EditorStatusChanged(TEditControl& editor);
  void ChangedOutside(int index);
  void Watch(const QString& fileName);
  void ScheduleIdleUpdate();
  void ClosePage(TFileInfo& file);
  TFileInfo* FileOf(const TEditControl& editor) const;
  void OpenClick();
  void UpdateMatchedLineActions();
  TFindReplaceDialog& OpenFindDialog(bool replace);
  void TakeDialogValues(const TFindReplaceDialog& dialog);
  void Found(TEditControl& editor);
  void NotFound(bool fromReplace);
  void EditorKeyDown(int& key);
  void GoToMatchedLine(bool next);
  void SaveAllClick();
  bool QueryCloseAll();

  TDataMod& dataMod_;
  std::vector<std::unique_ptr<TFileInfo>> files_;
  TFileInfo* current_ = nullptr;
  std::map<QString, QAction*> actions_;
  std::array<QAction*, 10> setBookmark_{};
  std::array<QAction*, 10> gotoBookmark_{};
  QMenu* pumEdit_ = nullptr;
  QMenu* bookmarksMenu_ = nullptr;
  QMenu* toggleMenu_ = nullptr;
  QMenu* goToMenu_ = nullptr;
  QTabWidget* pageControl_ = nullptr;
  TEditorStatusBar* statusBar_ = nullptr;
  QFileSystemWatcher* watcher_ = nullptr;
  QTimer* idleTimer_ = nullptr;
  QTimer* pollTimer_ = nullptr;
  bool closing_ = false;
  // The find and replace settings the window shares across its pages, and its two dialogs.
  std::string findText_;
  std::string replaceText_;
  bool findMatchCase_ = false;
  bool findWholeWord_ = false;
  bool findDown_ = true;
  bool showDialogs_ = true;
  TFindReplaceDialog* findDialog_ = nullptr;
  TFindReplaceDialog* replaceDialog_ = nullptr;
};
