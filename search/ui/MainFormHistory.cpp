// The main window's History menu: one item per remembered search, and restoring one.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QRadioButton>
#include <QToolButton>

#include "search/engine/history/HistoryMenuText.h"
#include "search/engine/history/RestoreHistoryEntry.h"
#include "search/engine/ScopeExit.h"
#include "search/settings/DataModule.h"
#include "search/ui/ByteText.h"
#include "search/ui/CriteriaComboBox.h"
#include "search/ui/MainForm.h"
#include "search/ui/ResultsModel.h"

void TMainForm::CreateHistoryMenu() {
  pumHistoryButton_ = new QMenu(tbHistory_);
  pumHistoryButton_->setObjectName("pumHistoryButton");
  for (int slot = 0; slot < search::TSearchHistory::kDefaultMaxHistory; ++slot) {
    QAction* item = pumHistoryButton_->addAction(QString("%1.").arg(slot));
    item->setObjectName(QString("puHistory%1").arg(slot));
    item->setData(slot);
    item->setCheckable(true);
    item->setVisible(false);
    connect(item, &QAction::triggered, this, [this, slot] { pumHistoryEntryClick(slot); });
    historyItems_.push_back(item);
  }
}

// The newest search is the one on screen: it is listed ticked and greyed.
void TMainForm::UpdateHistoryMenu() {
  const int count = history_.Count();
  tbHistory_->setEnabled(count >= 2);
  for (int slot = 0; slot < static_cast<int>(historyItems_.size()); ++slot) {
    QAction* item = historyItems_[static_cast<size_t>(slot)];
    if (slot >= count) {
      item->setVisible(false);
      continue;
    }
    const search::TSearchHistoryEntry& entry = history_.At(slot);
    item->setText(DisplayString(search::HistoryCaption(entry, slot)));
    item->setStatusTip(DisplayString(search::HistoryHint(entry)));
    item->setChecked(slot == 0);
    item->setEnabled(slot != 0);
    item->setVisible(true);
  }
}

void TMainForm::pumHistoryEntryClick(int slot) {
  if (searching_ || slot < 0 || slot >= history_.Count()) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const search::TScopeExit restoreCursor([] { QApplication::restoreOverrideCursor(); });
  const search::TSearchHistoryEntry& entry = history_.At(slot);

  cbPath_->SetText(DisplayString(entry.Path));
  cbFiles_->SetText(DisplayString(entry.Files));
  cbExcludeFiles_->SetText(DisplayString(entry.ExcludeFiles));
  cbExcludeFolders_->SetText(DisplayString(entry.ExcludeFolders));
  cbStringA_->SetText(DisplayString(entry.StringA));
  cbStringB_->SetText(DisplayString(entry.StringB));
  switch (entry.MatchType) {
    case search::kMatchAnd: rbAnd_->setChecked(true); break;
    case search::kMatchAndNot: rbAndNot_->setChecked(true); break;
    default: rbOr_->setChecked(true); break;
  }

  // The lists come back before the boxes, so that searching within them stays offered.
  model_->Cleared();
  search::RestoreHistoryEntry(state_, entry, dataMod_.AutoExpand.Value());
  ckCaseSensitive_->setChecked(entry.CaseSensitive);
  ckIncludeSubDirectories_->setChecked(entry.RecurseSubdirectories);
  ckShowMatches_->setChecked(entry.ShowMatches);
  ckMinimiseWhitespace_->setChecked(entry.MinimiseWhitespace);
  ckSearchResults_->setChecked(entry.SearchWithinMatchedFiles);
  ckWholeWord_->setChecked(entry.WholeWordOnly);
  // A hidden RegEx box stays clear, as the window keeps it.
  ckRegularExpressions_->setChecked(entry.RegularExpressions && dataMod_.ShowRegularExpressions.Value());
  model_->Sorted();

  for (QAction* item : historyItems_) {
    const bool chosen = item->data().toInt() == slot;
    item->setChecked(chosen);
    item->setEnabled(!chosen);
  }
  state_.MatchType = GetMatchType();
  ShowStatusTexts(state_.StatusTexts(""));
  ApplicationEventsIdle();
}
