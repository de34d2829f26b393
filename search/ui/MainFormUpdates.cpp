// TMainForm: the monthly update check with its menu, and the two web-link actions.

#include <QMenuBar>

#include "search/settings/DataModule.h"
#include "search/ui/GoToWebsite.h"
#include "search/ui/MainForm.h"
#include "search/ui/UpdateAvailable.h"

void TMainForm::CreateUpdateCheck() {
  updateAvailable_ = new TUpdateAvailable(dataMod_, menuBar(), this);
  goToWebsite_ = new TGoToWebsite(dataMod_.VersionData, this);
}

void TMainForm::UpdateCheckShowSteps() { updateAvailable_->ShowSteps(); }
