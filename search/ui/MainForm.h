#pragma once
// TMainForm: the program's main window. The criteria, strings and options panels with their
// toolbar on the left, the results tree on the right, the status bar below; it runs the search
// and is the search's host.

#include <QElapsedTimer>
#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/shell/DesktopEntry.h"
#include "search/engine/history/SearchHistory.h"
#include "search/engine/results/SelectedFiles.h"
#include "search/engine/results/TreeViewObject.h"
#include "search/engine/run/SearchHost.h"
#include "search/engine/run/SearchState.h"

class QAction;
class QMimeData;
class QSystemTrayIcon;
class TDragFilesTrg;
class TSaveFormPosition;
class QCheckBox;
class QLabel;
class QMenu;
class QRadioButton;
class QSplitter;
class QToolButton;
class QToolBar;
class TBusyForm;
class TCriteriaComboBox;
class TDataMod;
class TResultsModel;
class TResultsView;
class TStatusPanels;
class TGoToWebsite;
class TUpdateAvailable;

// The Path box after Browse picked a folder: the folder alone, or appended after a blank when
// the box's trimmed text ends with ";".
QString BrowseResultText(const QString& boxText, const QString& folder);
// The folder Browse opens at: the box's trimmed text up to its first ";".
QString BrowseInitialFolder(const QString& boxText);

class TMainForm final : public QMainWindow, private search::TSearchHost {
  Q_OBJECT

 public:
  explicit TMainForm(TDataMod& dataMod, QWidget* parent = nullptr);
  ~TMainForm() override;

  // The Search command.
  void SearchClick();
  bool Searching() const { return searching_; }
  // Runs each time the running search asks whether to cancel (unset: nothing). Replaceable for
  // tests, which slow a search with it so that the window repaints while it runs.
  std::function<void()> CancelPolled;
  int GetMatchType() const;

  // Opens the selected results' files (up to 100) in the internal editor, modally.
  void OpenSelectedInInternalEditor();

  void ApplyDisplaySettings();
  void ApplyLayoutConstraints();
  void UpdateMainCaption();
  void BrowseClick();
  // The Preferences command: the preferences dialog, and on OK the display settings applied
  // to this window at once.
  void PreferencesClick();

  // The enabling pass: recomputes which actions and controls are enabled, visible and
  // checked. It runs whenever the application becomes idle and before a menu opens.
  void ApplicationEventsIdle();

  // The History menu: rebuilt after each change of the history; choosing an item restores it.
  void UpdateHistoryMenu();
  void pumHistoryEntryClick(int slot);
  const search::TSearchHistory& History() const { return history_; }

  // The command-line argument, applied once the window is built; true when it asks to start
  // in the tray (and a tray exists to start in).
  bool ApplyCommandLine(const std::string& argument, const std::string& startFolder);

  // The tray: hiding is offered only where the desktop has a tray, so the window can never be
  // lost. Replaceable for tests.
  std::function<bool()> TrayAvailable;
  void HideToTray();
  void RestoreFromTray();
  QSystemTrayIcon* TrayIcon() const { return trayIcon_; }

  // The files of the selected rows as a drag carries them, and the drag itself (replaceable
  // for tests).
  std::unique_ptr<QMimeData> DragMimeData() const;
  std::function<void(std::unique_ptr<QMimeData> files)> StartDrag;
  TDragFilesTrg& DragFilesToPath() const { return *dragFilesToPath_; }
  TDragFilesTrg& DragFilesToFiles() const { return *dragFilesToFiles_; }

  // The open commands: -1 the internal editor, -2 the specified editor, 0 or more the Open With
  // application at that place. The default one runs from the Open button, a double click and
  // Enter in the results; the menus are rebuilt at each change of the selection.
  static constexpr int kInternalEditorTag = -1;
  static constexpr int kSpecifiedEditorTag = -2;
  void BuildOpenMenus();
  void RunOpenCommand(int tag);
  int DefaultOpenCommand() const { return defaultOpenTag_; }
  // The internal editor, attached by the editor: shows the files modally.
  std::function<void(const search::TOpenInEditorRequest& request)> OpenInInternalEditor;
  // Starts a program on its own (never through a shell); the error text when it could not.
  std::function<QString(const platform::shell::TProgramCall& call)> StartProgram;

  // An action of the window by its component name (acExit, acCopyAllLinesToClipboard...).
  QAction* Action(const char* name) const;

  // The help file: the program's path with ".html" in place of its extension.
  QString HelpFile() const { return helpFile_; }
  void SetHelpFile(const QString& path) { helpFile_ = path; }

  search::TSearchState& State() { return state_; }
  TResultsModel& ResultsModel() { return *model_; }
  TResultsView& Results() { return *vstResults_; }
  TBusyForm* BusyForm() const { return busy_.get(); }
  TUpdateAvailable& UpdateAvailable() { return *updateAvailable_; }
  TGoToWebsite& GoToWebsite() { return *goToWebsite_; }

  // The folder picker; replaceable so that Browse can be driven without a real dialog.
  std::function<QString(QWidget* owner, const QString& title, const QString& initial)> BrowseForFolder;
  // The save dialog of the Save to File commands: the chosen file, or empty on Cancel.
  std::function<QString(QWidget* owner)> ChooseSaveFileName;

  // What other subsystems attach to the window's actions. Unset, the action does nothing.
  // The preferences dialog, shown modally; true when it closed with OK.
  std::function<bool(QWidget* owner)> ShowPreferencesDialog;
  // The two web links of the Help menu and the update's download page.
  std::function<void()> GoToHomePage;
  std::function<void()> GoToCompanyWebsite;
  std::function<void()> ShowDownloadPage;

 signals:
  // The Open button's default command on the selected results (the opening itself comes with
  // the commands on files).
  void OpenRequested();
  // The pointer left the view with files to drag out.
  void DragRequested();
  void SearchFinished();

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Building the window.
  QWidget* CreateLeftPanel();
  QToolBar* CreateToolBar();
  QWidget* CreateCriteriaPanel();
  QWidget* CreateStringsPanel();
  QWidget* CreateOptionsPanel();
  QCheckBox* AddOption(QWidget* panel, const char* name, const char* caption, const char* hint);
  // Actions and menus.
  void CreateActions();
  void ConnectActions();
  void CreateMainMenu();
  void CreateResultsMenu();
  void CreateHistoryMenu();
  void CreateToolTrayMenu();
  void CreateTrayAndDragAndDrop();
  void DragFilesToPathDrop();
  void DragFilesToFilesDrop();
  bool HidingToTrayOffered() const;

  // Opening files.
  struct TOpenWithApplication {
    platform::shell::TDesktopEntry Entry;
    std::string Program;  // resolved; empty when missing
  };
  void AddOpenEntry(int tag, const QString& caption, const QString& hint, const QIcon& image, bool enabled);
  const std::vector<platform::shell::TDesktopEntry>& ApplicationsFor(const std::string& path);
  std::string SpecifiedEditorProgram() const;
  void ForEachSelectedFile(const std::function<void(const search::TSelectedFile& file)>& operation);
  void OpenInEditor();
  void OpenWithSpecifiedEditor(const search::TSelectedFile& file);
  void OpenWithApplication(const search::TSelectedFile& file, int tag);
  void Start(const platform::shell::TProgramCall& call, const QString& name);
  void PropertiesClick();
  void QuickViewClick();
  QMenu* AddCopyMenu(QMenu* parent, const char* name);
  QMenu* AddSaveMenu(QMenu* parent, const char* name);
  QMenu* AddSortMenu(QMenu* parent, const char* name);
  void AddResultsCommands(QMenu* menu);
  void ApplySortMarks(size_t topLevelNodes);
  void ApplyCopyAndSaveStates(bool selected, bool anyNode);
  void SortOn(int field);
  void SetSortAscending(bool ascending);
  void HelpClick();
  void AboutClick();

  // Copy and save.
  search::TDisplayOptions DisplayOptions() const;
  std::vector<std::string> SelectedFileNames() const;
  std::vector<std::string> AllFileNames() const;
  std::string SelectedEntries() const;
  std::string AllEntries() const;
  void CopyTextToClipboard(const std::string& text);
  void CopyFilesToClipboard(const std::vector<std::string>& paths);
  void SaveTextToFile(const std::function<std::string()>& builder);
  void SetTabOrder();
  void SetControlsFromSettings();
  void AlignLabelColumns();
  void KeepStatusTextsRoom();
  void ConnectOptions();

  // Handlers.
  void RefreshMatchType();
  void SearchResultsClick(bool checked);
  void btFilterClick();
  void btClearFilterClick();
  void UpdateFilterDescription();
  void UpdateFilterButtons();
  // The update check and the web links.
  void CreateUpdateCheck();
  // On the first showing: the update menu and the monthly check.
  void UpdateCheckShowSteps();
  void vstResultsChange();
  void SplitterMoved();
  void FormDestroy();

  search::TSearchCriteria ReadCriteria() const;
  void ShowStatusTexts(const search::TStatusTexts& texts);
  // Runs a settings change; a failing write is shown in the message dialog once the current
  // command is over.
  void Persist(const std::function<void()>& change);
  // The match type and the six recent-value lists, kept for the next start.
  void StoreCriteria(int matchType, const search::TRecentValues& recent);

  // The search host.
  void SetWindowEnabled(bool enabled) override;
  void ResultsCleared() override;
  void BeginResultsUpdate() override;
  void EndResultsUpdate() override;
  void ExpandNode(search::TResultNode& node) override;
  void ResultsSorted() override;
  void ShowStatus(const search::TStatusTexts& texts) override;
  void CriteriaRemembered(const search::TSearchCriteria& criteria, int matchType,
                          const search::TRecentValues& recent) override;
  void ShowBusy() override;
  void CloseBusy() override;
  void BusyOperation(const std::string& text) override;
  void BusyPath(const std::string& text) override;
  void BusyCounters(const search::TBusyCounters& counters) override;
  bool CancelRequested() override;
  void Yield() override;
  void ShowProgressIfDue();
  bool KeepsHistory() const override { return true; }
  void AddHistoryEntry(search::TSearchHistoryEntry entry) override;

  TDataMod& dataMod_;
  search::TSearchState state_;
  std::unique_ptr<TBusyForm> busy_;
  // What the busy dialog is to show next; shown at most every kProgressInterval milliseconds.
  struct TPendingProgress {
    search::TBusyCounters Counters;
    std::string Path;
    bool Pending = false;
    QElapsedTimer SinceShown;
  } progress_;
  static constexpr qint64 kProgressInterval = 150;
  search::TSearchHistory history_;
  QString helpFile_;
  QSystemTrayIcon* trayIcon_ = nullptr;
  TSaveFormPosition* savePosition_ = nullptr;
  TDragFilesTrg* dragFilesToPath_ = nullptr;
  TDragFilesTrg* dragFilesToFiles_ = nullptr;
  bool wasShown_ = false;
  int defaultOpenTag_ = kInternalEditorTag;
  std::string quickViewCommand_;
  QIcon openButtonImage_;
  std::vector<QAction*> openEntries_;
  std::vector<TOpenWithApplication> openWithApplications_;
  std::map<std::string, std::vector<platform::shell::TDesktopEntry>> applicationsByType_;
  bool closing_ = false;
  bool searching_ = false;
  bool closeRequested_ = false;
  bool destroyed_ = false;
  // The criteria box in which Enter started the search: it has the focus again afterwards.
  TCriteriaComboBox* searchedFrom_ = nullptr;

  QSplitter* splitter_ = nullptr;
  QWidget* leftPanel_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  QWidget* criteriaPanel_ = nullptr;
  QWidget* stringsPanel_ = nullptr;
  QWidget* optionsPanel_ = nullptr;
  TResultsView* vstResults_ = nullptr;
  TResultsModel* model_ = nullptr;
  TStatusPanels* statusBar_ = nullptr;
  TUpdateAvailable* updateAvailable_ = nullptr;
  TGoToWebsite* goToWebsite_ = nullptr;
  bool shownOnce_ = false;

  QToolButton* btSearch_ = nullptr;
  QToolButton* tbHistory_ = nullptr;
  QToolButton* btEditWith_ = nullptr;
  QToolButton* btHide_ = nullptr;
  QToolButton* btExit_ = nullptr;
  QAction* hideItem_ = nullptr;
  QAction* exitItem_ = nullptr;
  QMenu* pumHistoryButton_ = nullptr;
  std::vector<QAction*> historyItems_;
  QMenu* pumEditDropDown_ = nullptr;
  QMenu* pumResults_ = nullptr;
  QMenu* pumToolTray_ = nullptr;
  QMenu* openWithMenu_ = nullptr;
  QMenu* mnUpdateAvailable_ = nullptr;
  std::vector<QMenu*> copyMenus_;
  std::vector<QMenu*> saveMenus_;
  std::vector<QMenu*> sortMenus_;
  std::map<std::string, QAction*> actions_;
  QAction* acOpenWith_ = nullptr;
  QAction* acHideForm_ = nullptr;
  QAction* acExit_ = nullptr;
  QAction* acExpandAll_ = nullptr;
  QAction* acCollapseAll_ = nullptr;

  QLabel* lbPath_ = nullptr;
  QToolButton* btBrowse_ = nullptr;
  TCriteriaComboBox* cbPath_ = nullptr;
  QLabel* lbFiles_ = nullptr;
  TCriteriaComboBox* cbFiles_ = nullptr;
  QLabel* lbExcludeFolders_ = nullptr;
  TCriteriaComboBox* cbExcludeFolders_ = nullptr;
  QLabel* lbExcludeFiles_ = nullptr;
  TCriteriaComboBox* cbExcludeFiles_ = nullptr;
  QLabel* lbFilterCaption_ = nullptr;
  QLabel* lbFilter_ = nullptr;
  QToolButton* btFilter_ = nullptr;
  QToolButton* btClearFilter_ = nullptr;

  TCriteriaComboBox* cbStringA_ = nullptr;
  TCriteriaComboBox* cbStringB_ = nullptr;
  QCheckBox* ckRegularExpressions_ = nullptr;
  QRadioButton* rbOr_ = nullptr;
  QRadioButton* rbAnd_ = nullptr;
  QRadioButton* rbAndNot_ = nullptr;

  QCheckBox* ckCaseSensitive_ = nullptr;
  QCheckBox* ckIncludeSubDirectories_ = nullptr;
  QCheckBox* ckShowMatches_ = nullptr;
  QCheckBox* ckMinimiseWhitespace_ = nullptr;
  QCheckBox* ckWholeWord_ = nullptr;
  QCheckBox* ckSearchResults_ = nullptr;
  QCheckBox* ckFileMatchProximity_ = nullptr;
};
