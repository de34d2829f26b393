// TMainForm: the monthly update check with its menu, and the two web-link actions.

#include <QMenu>
#include <QMenuBar>

#include "search/settings/DataModule.h"
#include "search/ui/GoToWebsite.h"
#include "search/ui/MainForm.h"
#include "search/ui/UpdateAvailable.h"

// Both attach to the window's own menu and actions of those names, or add them.
void TMainForm::CreateUpdateCheck() {
  QMenu* updateMenu = findChild<QMenu*>("mnUpdateAvailable");
  if (updateMenu == nullptr) {
    updateMenu = menuBar()->addMenu(QString());
    updateMenu->setObjectName("mnUpdateAvailable");
  }
  updateAvailable_ = new TUpdateAvailable(dataMod_, updateMenu, this);
  goToWebsite_ = new TGoToWebsite(dataMod_.VersionData, this);
}

void TMainForm::UpdateCheckShowSteps() { updateAvailable_->ShowSteps(); }
