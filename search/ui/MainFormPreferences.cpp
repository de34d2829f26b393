// TMainForm: the Preferences command.

#include <QAbstractItemView>

#include "search/ui/MainForm.h"
#include "search/ui/ResultsView.h"

void TMainForm::PreferencesClick() {
  if (!ShowPreferencesDialog || !ShowPreferencesDialog(this)) return;
  ApplyDisplaySettings();
  ApplyLayoutConstraints();
  vstResults_->viewport()->update();
}
