#pragma once
// TMainForm: the program's main window. The criteria, strings and options panels with their
// toolbar on the left, the results tree on the right, the status bar below; it runs the search
// and is the search's host.

#include <QElapsedTimer>
#include <QMainWindow>
#include <functional>
#include <memory>

#include "search/engine/run/SearchHost.h"
#include "search/engine/run/SearchState.h"

class QAction;
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
  int GetMatchType() const;

  // Opens the selected results' files (up to 100) in the internal editor, modally.
  void OpenInInternalEditor();

  void ApplyDisplaySettings();
  void ApplyLayoutConstraints();
  void UpdateMainCaption();
  void BrowseClick();
  // The Preferences command: the preferences dialog, and on OK the display settings applied
  // to this window at once.
  void PreferencesClick();
  // The preferences dialog, shown modally; true when it closed with OK.
  std::function<bool(QWidget* owner)> ShowPreferencesDialog;

  search::TSearchState& State() { return state_; }
  TResultsModel& ResultsModel() { return *model_; }
  TResultsView& Results() { return *vstResults_; }
  TBusyForm* BusyForm() const { return busy_.get(); }
  TUpdateAvailable& UpdateAvailable() { return *updateAvailable_; }
  TGoToWebsite& GoToWebsite() { return *goToWebsite_; }

  // The folder picker; replaceable so that Browse can be driven without a real dialog.
  std::function<QString(QWidget* owner, const QString& title, const QString& initial)> BrowseForFolder;

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
  void closeEvent(QCloseEvent* event) override;

 private:
  // Building the window.
  QWidget* CreateLeftPanel();
  QToolBar* CreateToolBar();
  QWidget* CreateCriteriaPanel();
  QWidget* CreateStringsPanel();
  QWidget* CreateOptionsPanel();
  QCheckBox* AddOption(QWidget* panel, const char* name, const char* caption, const char* hint);
  void CreateResultsMenu();
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
  void UpdateControlStates();
  // The update check and the web links.
  void CreateUpdateCheck();
  // On the first showing: the update menu and the monthly check.
  void UpdateCheckShowSteps();
  void UpdateSearchResultsBox();
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
  QMenu* pumEditDropDown_ = nullptr;
  QMenu* pumResults_ = nullptr;
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
