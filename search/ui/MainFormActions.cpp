// The main window's actions, its main menu and pop-up menus, and the enabling pass that keeps
// their states current.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QProcess>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QToolButton>

#include "search/engine/results/ResultSorting.h"
#include "search/settings/DataModule.h"
#include "search/settings/QuickViewCommand.h"
#include "search/ui/ByteText.h"
#include "search/ui/CriteriaComboBox.h"
#include "search/ui/HelpFile.h"
#include "search/ui/MainForm.h"
#include "search/ui/MainFormTexts.h"
#include "search/ui/ResultsModel.h"
#include "search/ui/ResultsView.h"
#include "search/ui/ToolbarImages.h"

namespace {

QMenu* AddSubmenu(QMenu* parent, const char* name, const char* caption, const QString& image) {
  QMenu* menu = parent->addMenu(ToolbarImage(image), caption);
  menu->setObjectName(name);
  menu->menuAction()->setObjectName(name);
  return menu;
}

}  // namespace

QAction* TMainForm::Action(const char* name) const {
  const auto found = actions_.find(name);
  if (found == actions_.end()) qFatal("no action named %s", name);
  return found->second;
}

void TMainForm::CreateActions() {
  const QString product = DisplayString(dataMod_.VersionData.VersionInfo().ProductName);
  for (const texts::TActionText& text : texts::kActions) {
    auto* action = new QAction(QString(text.caption).replace("%s", product), this);
    action->setObjectName(text.name);
    action->setStatusTip(QString(text.hint).replace("%s", product));
    action->setIcon(ToolbarImage(text.image));
    if (*text.shortcut != '\0') action->setShortcut(QKeySequence(text.shortcut));
    actions_[text.name] = action;
  }
  Action("acGoToHomePage")->setIcon(windowIcon());
  for (const char* name : texts::kSortFieldActions) Action(name)->setCheckable(true);
  Action("acSortAscending")->setCheckable(true);
  Action("acSortDescending")->setCheckable(true);
  // Shown only where a QuickView program is registered.
  quickViewCommand_ = GetQuickViewCommand();
  Action("acQuickView")->setVisible(!quickViewCommand_.empty());
  const bool hasAddress = !dataMod_.VersionData.VersionInfo().Url.empty();
  Action("acGoToHomePage")->setVisible(hasAddress);
  Action("acGoToVantrelSoftwareWebsite")->setVisible(hasAddress);
  acOpenWith_ = Action("acOpenWith");
  acHideForm_ = Action("acHideForm");
  acExit_ = Action("acExit");
  acExpandAll_ = Action("acExpandAll");
  acCollapseAll_ = Action("acCollapseAll");
  openWithMenu_ = new QMenu(this);
  openWithMenu_->setObjectName("mnOpenWith");
  acOpenWith_->setMenu(openWithMenu_);
}

void TMainForm::ConnectActions() {
  const auto on = [this](const char* name, auto handler) { connect(Action(name), &QAction::triggered, this, handler); };
  on("acCopySelectedFileNamesToClipboard", [this] { CopyTextToClipboard(search::JoinLines(SelectedFileNames())); });
  on("acCopyAllFileNamesToClipboard", [this] { CopyTextToClipboard(search::JoinLines(AllFileNames())); });
  on("acCopySelectedFileContentsToClipboard", [this] { CopyFilesToClipboard(SelectedFileNames()); });
  on("acCopyAllFileContentsToClipboard", [this] { CopyFilesToClipboard(AllFileNames()); });
  on("acCopySelectedLinesToClipboard", [this] { CopyTextToClipboard(SelectedEntries()); });
  on("acCopyAllLinesToClipboard", [this] { CopyTextToClipboard(AllEntries()); });
  on("acSaveSelectedFileNamesToFile", [this] { SaveTextToFile([this] { return search::JoinLines(SelectedFileNames()); }); });
  on("acSaveAllFileNamesToFile", [this] { SaveTextToFile([this] { return search::JoinLines(AllFileNames()); }); });
  on("acSaveSelectedLinesToFile", [this] { SaveTextToFile([this] { return SelectedEntries(); }); });
  on("acSaveAllLinesToFile", [this] { SaveTextToFile([this] { return AllEntries(); }); });
  for (int field = 0; field < static_cast<int>(std::size(texts::kSortFieldActions)); ++field) {
    on(texts::kSortFieldActions[field], [this, field] { SortOn(field); });
  }
  on("acSortAscending", [this] { SetSortAscending(true); });
  on("acSortDescending", [this] { SetSortAscending(false); });
  on("acExpandAll", [this] { vstResults_->ExpandAll(); });
  on("acCollapseAll", [this] { vstResults_->CollapseAll(); });
  on("acPreferences", &TMainForm::PreferencesClick);
  on("acExit", &QWidget::close);
  on("acHideForm", &TMainForm::HideToTray);
  on("acProperties", &TMainForm::PropertiesClick);
  on("acQuickView", &TMainForm::QuickViewClick);
  connect(this, &TMainForm::OpenRequested, this, [this] { RunOpenCommand(defaultOpenTag_); });
  StartProgram = [](const platform::shell::TProgramCall& call) {
    QProcess process;
    process.setProgram(QFile::decodeName(QByteArray::fromStdString(call.Program)));
    QStringList arguments;
    for (const std::string& argument : call.Arguments) arguments << QFile::decodeName(QByteArray::fromStdString(argument));
    process.setArguments(arguments);
    return process.startDetached() ? QString() : process.errorString();
  };
  on("acShowForm", &TMainForm::RestoreFromTray);
  on("acHelp", &TMainForm::HelpClick);
  on("acGoToHomePage", [this] {
    if (GoToHomePage) GoToHomePage();
  });
  on("acGoToVantrelSoftwareWebsite", [this] {
    if (GoToCompanyWebsite) GoToCompanyWebsite();
  });
  on("acAbout", &TMainForm::AboutClick);
  addActions({Action("acHelp")});
}

QMenu* TMainForm::AddCopyMenu(QMenu* parent, const char* name) {
  QMenu* menu = AddSubmenu(parent, name, texts::kCopyToClipboardMenu, "COPY");
  menu->menuAction()->setStatusTip(texts::kCopyToClipboardHint);
  menu->addAction(Action("acCopySelectedFileNamesToClipboard"));
  menu->addAction(Action("acCopyAllFileNamesToClipboard"));
  menu->addSeparator();
  menu->addAction(Action("acCopySelectedFileContentsToClipboard"));
  menu->addAction(Action("acCopyAllFileContentsToClipboard"));
  menu->addSeparator();
  menu->addAction(Action("acCopySelectedLinesToClipboard"));
  menu->addAction(Action("acCopyAllLinesToClipboard"));
  copyMenus_.push_back(menu);
  return menu;
}

QMenu* TMainForm::AddSaveMenu(QMenu* parent, const char* name) {
  QMenu* menu = AddSubmenu(parent, name, texts::kSaveToFileMenu, "SaveToFile");
  menu->addAction(Action("acSaveSelectedFileNamesToFile"));
  menu->addAction(Action("acSaveAllFileNamesToFile"));
  menu->addSeparator();
  menu->addAction(Action("acSaveSelectedLinesToFile"));
  menu->addAction(Action("acSaveAllLinesToFile"));
  saveMenus_.push_back(menu);
  return menu;
}

QMenu* TMainForm::AddSortMenu(QMenu* parent, const char* name) {
  QMenu* menu = AddSubmenu(parent, name, texts::kSortMenu, "Sort");
  for (const char* action : {"acSortOnFilePath", "acSortOnFileName", "acSortOnNumMatches", "acSortOnFileSize",
                             "acSortOnFileCreationDate", "acSortOnFileModifiedDate", "acSortOnFileAccessedDate"}) {
    menu->addAction(Action(action));
  }
  menu->addSeparator();
  menu->addAction(Action("acSortAscending"));
  menu->addAction(Action("acSortDescending"));
  sortMenus_.push_back(menu);
  return menu;
}

// The commands on results that the Actions menu and the results pop-up share.
void TMainForm::AddResultsCommands(QMenu* menu) {
  const bool popup = menu == pumResults_;
  menu->addAction(acOpenWith_);
  menu->addSeparator();
  AddCopyMenu(menu, popup ? "mnCopytoClipboard" : "mnCopytoClipboard2");
  AddSaveMenu(menu, popup ? "mnSaveToFile" : "mnSaveToFile2");
  AddSortMenu(menu, popup ? "mnSort2" : "mnSort");
  menu->addSeparator();
  menu->addAction(acExpandAll_);
  menu->addAction(acCollapseAll_);
  menu->addSeparator();
  menu->addAction(Action("acQuickView"));
  menu->addAction(Action("acProperties"));
}

void TMainForm::CreateMainMenu() {
  QMenuBar* bar = menuBar();
  bar->setObjectName("MainMenu");
  QMenu* file = bar->addMenu(texts::kFileMenu);
  file->setObjectName("mnFile");
  file->addAction(Action("acPreferences"));
  file->addSeparator();
  file->addAction(acHideForm_);
  file->addSeparator();
  file->addAction(acExit_);

  QMenu* actions = bar->addMenu(texts::kActionsMenu);
  actions->setObjectName("mnActions");
  AddResultsCommands(actions);

  QMenu* help = bar->addMenu(texts::kHelpMenu);
  help->setObjectName("mnHelp");
  help->addAction(Action("acHelp"));
  help->addSeparator();
  help->addAction(Action("acGoToHomePage"));
  help->addAction(Action("acGoToVantrelSoftwareWebsite"));
  help->addSeparator();
  help->addAction(Action("acAbout"));

  mnUpdateAvailable_ = bar->addMenu(texts::kUpdateAvailableMenu);
  mnUpdateAvailable_->setObjectName("mnUpdateAvailable");
  QAction* download = mnUpdateAvailable_->addAction(ToolbarImage("Download"), texts::kDownloadPage);
  download->setObjectName("mnDownloadPage");
  connect(download, &QAction::triggered, this, [this] {
    if (ShowDownloadPage) ShowDownloadPage();
  });
  mnUpdateAvailable_->menuAction()->setVisible(false);

  for (QMenu* menu : {file, actions, help}) connect(menu, &QMenu::aboutToShow, this, &TMainForm::ApplicationEventsIdle);
}

void TMainForm::CreateResultsMenu() {
  pumResults_ = new QMenu(this);
  pumResults_->setObjectName("pumResults");
  AddResultsCommands(pumResults_);
  connect(vstResults_, &TResultsView::ContextMenuRequested, this, [this](const QPoint& at) {
    ApplicationEventsIdle();
    pumResults_->popup(at);
  });
  connect(vstResults_, &TResultsView::OpenRequested, this, [this] {
    if (vstResults_->CanOpen()) emit OpenRequested();
  });
  connect(vstResults_, &TResultsView::DragRequested, this, &TMainForm::DragRequested);
  connect(vstResults_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TMainForm::vstResultsChange);
  connect(model_, &QAbstractItemModel::modelReset, this, &TMainForm::vstResultsChange);
}

void TMainForm::CreateToolTrayMenu() {
  pumToolTray_ = new QMenu(this);
  pumToolTray_->setObjectName("pumToolTray");
  QAction* show = Action("acShowForm");
  pumToolTray_->addAction(show);
  pumToolTray_->setDefaultAction(show);
  pumToolTray_->addSeparator();
  pumToolTray_->addAction(acExit_);
  connect(pumToolTray_, &QMenu::aboutToShow, this, &TMainForm::ApplicationEventsIdle);
}

void TMainForm::ApplicationEventsIdle() {
  if (destroyed_ || searching_ || closing_) return;
  if (HidingToTrayOffered() && wasShown_ && (isMinimized() || !isVisible())) HideToTray();
  const bool selected = vstResults_->CanOpen();
  const size_t topLevel = state_.Results.Count();

  acCollapseAll_->setEnabled(model_->ExpandedRowsWithLines() > 0);
  acExpandAll_->setEnabled(model_->ExpandedRowsWithLines() < model_->RowsWithLines());
  btSearch_->setEnabled(!cbPath_->currentText().isEmpty());
  acOpenWith_->setEnabled(selected);
  btEditWith_->setEnabled(selected);

  const bool withinOffered = state_.CanSearchWithinMatchedFiles();
  if (!withinOffered) ckSearchResults_->setChecked(false);
  ckSearchResults_->setEnabled(withinOffered);
  const bool showMatchesEnabled = !(dataMod_.MatchProximity.Value() != 0 && GetMatchType() != search::kMatchOr);
  ckShowMatches_->setEnabled(showMatchesEnabled);
  ckMinimiseWhitespace_->setEnabled(showMatchesEnabled && ckShowMatches_->isChecked());
  ApplyCopyAndSaveStates(selected, topLevel > 0);
  ckCaseSensitive_->setEnabled(!ckRegularExpressions_->isChecked());
  ApplySortMarks(topLevel);
  Action("acProperties")->setEnabled(selected);
  Action("acQuickView")->setEnabled(selected);

  Action("acShowForm")->setVisible(!isVisible());
  acHideForm_->setVisible(isVisible() && HidingToTrayOffered());
  UpdateFilterButtons();
}

void TMainForm::ApplyCopyAndSaveStates(bool selected, bool anyNode) {
  for (const char* name : {"acCopyAllFileNamesToClipboard", "acCopyAllFileContentsToClipboard", "acCopyAllLinesToClipboard",
                           "acSaveAllFileNamesToFile", "acSaveAllLinesToFile"}) {
    Action(name)->setEnabled(anyNode);
  }
  for (const char* name : {"acCopySelectedFileNamesToClipboard", "acCopySelectedFileContentsToClipboard",
                           "acCopySelectedLinesToClipboard", "acSaveSelectedFileNamesToFile",
                           "acSaveSelectedLinesToFile"}) {
    Action(name)->setEnabled(selected);
  }
  for (QMenu* menu : copyMenus_) menu->setEnabled(selected || anyNode);
  for (QMenu* menu : saveMenus_) menu->setEnabled(selected || anyNode);
}

void TMainForm::ApplySortMarks(size_t topLevelNodes) {
  const int field = dataMod_.SortField.Value();
  for (int i = 0; i < static_cast<int>(std::size(texts::kSortFieldActions)); ++i) {
    Action(texts::kSortFieldActions[i])->setChecked(i == field);
  }
  Action("acSortAscending")->setChecked(dataMod_.SortAscending.Value());
  Action("acSortDescending")->setChecked(!dataMod_.SortAscending.Value());
  for (QMenu* menu : sortMenus_) menu->setEnabled(topLevelNodes > 1);
}

void TMainForm::SortOn(int field) {
  Persist([this, field] { dataMod_.SortField.Set(static_cast<uint8_t>(field)); });
  search::SortResults(state_.Results, {dataMod_.SortField.Value(), dataMod_.SortAscending.Value()});
  model_->Sorted();
  ApplicationEventsIdle();
}

void TMainForm::SetSortAscending(bool ascending) {
  Persist([this, ascending] { dataMod_.SortAscending.Set(ascending); });
  search::SortResults(state_.Results, {dataMod_.SortField.Value(), dataMod_.SortAscending.Value()});
  model_->Sorted();
  ApplicationEventsIdle();
}

void TMainForm::PreferencesClick() {
  if (!ShowPreferencesDialog || !ShowPreferencesDialog(this)) return;
  ApplyDisplaySettings();
  ApplyLayoutConstraints();
  vstResults_->viewport()->update();
}

void TMainForm::HelpClick() {
  if (Action("acHelp")->isEnabled()) OpenHelpFile(helpFile_);
}

void TMainForm::AboutClick() {
  const TVersionInfo& info = dataMod_.VersionData.VersionInfo();
  QMessageBox about(this);
  about.setObjectName("AboutBox");
  about.setWindowTitle(texts::kAboutTitle + QApplication::applicationDisplayName());
  about.setIconPixmap(windowIcon().pixmap(48, 48));
  about.setTextFormat(Qt::RichText);
  const QString url = DisplayString(info.Url).toHtmlEscaped();
  about.setText(QString("<b>%1</b><br>%2<br>Version %3<br><a href=\"%4\">%4</a>")
                    .arg(DisplayString(info.ProductName).toHtmlEscaped(),
                         DisplayString(info.LegalCopyright).toHtmlEscaped(),
                         DisplayString(info.FileVersion).toHtmlEscaped(), url));
  about.setTextInteractionFlags(Qt::TextBrowserInteraction);
  about.setStandardButtons(QMessageBox::Ok);
  about.exec();
}
