// The main window's side of a search: reading the criteria, and the host that the running
// search reports to.

#include <QApplication>
#include <QCheckBox>
#include <QMenuBar>
#include <QRadioButton>
#include <QTimer>

#include "search/engine/run/SearchRun.h"
#include "search/settings/DataModule.h"
#include "search/ui/BusyForm.h"
#include "search/ui/ByteText.h"
#include "search/ui/CriteriaComboBox.h"
#include "search/ui/MessageForm.h"
#include "search/ui/MainForm.h"
#include "search/ui/ResultsModel.h"
#include "search/ui/ResultsView.h"
#include "search/ui/StatusPanels.h"

search::TSearchCriteria TMainForm::ReadCriteria() const {
  search::TSearchCriteria criteria;
  criteria.Path = EngineString(cbPath_->currentText());
  criteria.Files = EngineString(cbFiles_->currentText());
  criteria.ExcludeFiles = EngineString(cbExcludeFiles_->currentText());
  criteria.ExcludeFolders = EngineString(cbExcludeFolders_->currentText());
  criteria.StringA = EngineString(cbStringA_->currentText());
  criteria.StringB = EngineString(cbStringB_->currentText());
  criteria.MatchButton = rbAndNot_->isChecked() ? search::TMatchButton::AndNot
                         : rbAnd_->isChecked()  ? search::TMatchButton::And
                                                : search::TMatchButton::Or;
  criteria.CaseSensitive = ckCaseSensitive_->isChecked();
  criteria.WholeWordOnly = ckWholeWord_->isChecked();
  criteria.RegularExpressions = ckRegularExpressions_->isChecked();
  criteria.MinimiseWhitespace = ckMinimiseWhitespace_->isChecked() && ckMinimiseWhitespace_->isEnabled();
  criteria.RecurseSubdirectories = ckIncludeSubDirectories_->isChecked();
  criteria.ShowMatches = ckShowMatches_->isChecked() && ckShowMatches_->isEnabled();
  criteria.SearchWithinMatchedFiles = ckSearchResults_->isChecked() && ckSearchResults_->isEnabled();

  criteria.MatchProximity = dataMod_.MatchProximity.Value() != 0;
  criteria.NumberOfLinesToShowBeforeMatch = std::max(dataMod_.NumberOfLinesToShowBeforeMatch.Value(), 0);
  criteria.NumberOfLinesToShowAfterMatch = std::max(dataMod_.NumberOfLinesToShowAfterMatch.Value(), 0);
  criteria.IncludeBlankLines = dataMod_.IncludeBlankLines.Value();
  criteria.AutoExpand = dataMod_.AutoExpand.Value();
  criteria.ShowsResultsAsFound = dataMod_.ShowsResultsAsFound.Value();
  criteria.Sort = {dataMod_.SortField.Value(), dataMod_.SortAscending.Value()};
  criteria.Filter = dataMod_.FileFilter();
  return criteria;
}

void TMainForm::SearchClick() {
  if (searching_) return;
  searching_ = true;
  // The box in which Enter was pressed, else the first criteria box, has the focus afterwards.
  TCriteriaComboBox* focusAfter = std::exchange(searchedFrom_, nullptr);
  if (focusAfter == nullptr) focusAfter = cbPath_->isEnabled() ? cbPath_ : cbStringA_;
  search::TSearchCriteria criteria = ReadCriteria();
  try {
    search::RunSearch(state_, criteria, *this);
  } catch (const std::exception& error) {
    // The search has re-enabled the window on its way out; what it found so far stays.
    busy_.reset();
    ShowMessageDialog(DisplayString(error.what()), TMessageKind::Error, {TMessageButton::OK}, 0, this);
  }
  searching_ = false;
  model_->Flush();
  cbPath_->SetText(DisplayString(criteria.Path));
  cbFiles_->SetText(DisplayString(criteria.Files));
  ApplicationEventsIdle();
  if (!closeRequested_) focusAfter->setFocus();
  emit SearchFinished();
  if (closeRequested_) QTimer::singleShot(0, this, &QWidget::close);
}

void TMainForm::SetWindowEnabled(bool enabled) {
  // The busy dialog is a child window of this one: disabling the window itself would disable
  // the dialog too, so its contents are disabled instead.
  centralWidget()->setEnabled(enabled);
  menuBar()->setEnabled(enabled);
  if (enabled) {
    ApplicationEventsIdle();
    if (isActiveWindow() || QApplication::activeWindow() == nullptr) activateWindow();
  }
}

void TMainForm::ResultsCleared() { model_->Cleared(); }

void TMainForm::BeginResultsUpdate() { model_->BeginUpdate(); }

void TMainForm::EndResultsUpdate() { model_->EndUpdate(); }

// The node is marked expanded by the search; the view opens it when its rows are announced.
void TMainForm::ExpandNode(search::TResultNode&) {}

void TMainForm::ResultsSorted() { model_->Sorted(); }

void TMainForm::ShowStatus(const search::TStatusTexts& texts) { ShowStatusTexts(texts); }

void TMainForm::ShowStatusTexts(const search::TStatusTexts& texts) {
  for (int panel = 0; panel < TStatusPanels::kPanels; ++panel) {
    statusBar_->SetPanelText(panel, DisplayString(texts.Panels[panel]));
  }
  if (statusBar_->minimumSizeHint().width() > minimumWidth()) KeepStatusTextsRoom();
}

void TMainForm::CriteriaRemembered(const search::TSearchCriteria& criteria, int matchType,
                                   const search::TRecentValues& recent) {
  Persist([&] { StoreCriteria(matchType, recent); });
  cbPath_->FillRecentBox(recent.Path);
  cbFiles_->FillRecentBox(recent.Files);
  cbExcludeFolders_->FillRecentBox(recent.ExcludeFolders);
  cbExcludeFiles_->FillRecentBox(recent.ExcludeFiles);
  cbStringA_->FillRecentBox(recent.StringA);
  cbStringB_->FillRecentBox(recent.StringB);
  cbPath_->SetText(DisplayString(criteria.Path));
  cbFiles_->SetText(DisplayString(criteria.Files));
}

void TMainForm::ShowBusy() {
  progress_ = {};
  busy_ = std::make_unique<TBusyForm>(this);
  busy_->SetOperation("");
  busy_->SetPath("");
  busy_->ShowOverOwner();
}

void TMainForm::CloseBusy() { busy_.reset(); }

void TMainForm::BusyOperation(const std::string& text) {
  if (busy_) busy_->SetOperation(DisplayString(text));
}

// The path and the counters change with every file: they are kept here and shown at a
// bounded rate, so that the search never waits for the dialog to paint.
void TMainForm::BusyPath(const std::string& text) {
  progress_.Path = text;
  progress_.Pending = true;
}

void TMainForm::BusyCounters(const search::TBusyCounters& counters) {
  progress_.Counters = counters;
  progress_.Pending = true;
}

void TMainForm::ShowProgressIfDue() {
  if (!busy_ || !progress_.Pending) return;
  if (progress_.SinceShown.isValid() && progress_.SinceShown.elapsed() < kProgressInterval) return;
  progress_.SinceShown.start();
  progress_.Pending = false;
  busy_->ShowProgress(progress_.Counters, DisplayString(progress_.Path));
}

bool TMainForm::CancelRequested() {
  if (CancelPolled) CancelPolled();
  return closeRequested_ || (busy_ && busy_->Cancelled());
}

void TMainForm::Yield() {
  ShowProgressIfDue();
  QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void TMainForm::AddHistoryEntry(search::TSearchHistoryEntry entry) { history_.Add(std::move(entry)); }
