#include "search/ui/UpdateAvailable.h"

#include <QDesktopServices>
#include <QMenu>
#include <QMenuBar>

#include "search/settings/DataModule.h"
#include "search/ui/ByteText.h"
#include "search/ui/CheckForNewVersion.h"
#include "search/ui/UpdateRules.h"

namespace {

constexpr const char* kUpdateAvailableCaption = "&Version %1 Available";
constexpr const char* kDownloadPageCaption = "&Download Page";

}  // namespace

TUpdateAvailable::TUpdateAvailable(TDataMod& dataMod, QMenuBar* menuBar, QObject* parent)
    : QObject(parent), dataMod_(dataMod), menuBar_(menuBar), checker_(new TCheckForNewVersion(this)) {
  setObjectName("CheckForNewVersion");
  Today = TodayDayNumber;
  OpenUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
  mnUpdateAvailable_ = menuBar_->addMenu(QString());
  mnUpdateAvailable_->setObjectName("mnUpdateAvailable");
  mnDownloadPage_ = mnUpdateAvailable_->addAction(kDownloadPageCaption);
  mnDownloadPage_->setObjectName("mnDownloadPage");
  connect(mnDownloadPage_, &QAction::triggered, this, &TUpdateAvailable::DownloadPageClick);
  connect(checker_, &TCheckForNewVersion::GotVersionFile, this, &TUpdateAvailable::CheckForNewVersionGotVersionFile);
  UpdateAvailableMenu();
}

void TUpdateAvailable::ShowSteps() {
  UpdateAvailableMenu();
  CheckForUpdateIfDue();
}

void TUpdateAvailable::UpdateAvailableMenu() {
  const std::string& version = dataMod_.AvailableVersion.Value();
  const std::string& download = dataMod_.AvailableDownload.Value();
  bool visible = false;
  if (!version.empty() && !download.empty()) {
    mnUpdateAvailable_->setTitle(QString(kUpdateAvailableCaption).arg(DisplayString(version)));
    // Only a web address is ever handed to the browser; anything else keeps the menu hidden.
    visible = IsWebAddress(download) &&
              CompareVersions(dataMod_.VersionData.VersionInfo().FileVersion, version) == 1;
  }
  mnUpdateAvailable_->menuAction()->setVisible(visible);
  // A menu bar holding nothing but the hidden entry takes no room.
  bool anyVisible = false;
  for (const QAction* action : menuBar_->actions()) anyVisible = anyVisible || action->isVisible();
  menuBar_->setVisible(anyVisible);
}

void TUpdateAvailable::CheckForUpdateIfDue() {
  if (dataMod_.UpdateCheckFrequency.Value() != 1) return;
  const int today = Today();
  if (!IsUpdateCheckDue(dataMod_.UpdateCheckWhen.Value(), today)) return;
  // Written before the outcome is known: at most one check a month, whatever happens.
  dataMod_.UpdateCheckWhen.Set(today);
  QMetaObject::invokeMethod(this, &TUpdateAvailable::StartCheck, Qt::QueuedConnection);
}

void TUpdateAvailable::StartCheck() {
  const TVersionInfo& info = dataMod_.VersionData.VersionInfo();
  checker_->ProgramVersion = DisplayString(info.FileVersion);
  checker_->SetURL(DisplayString(VersionFileAddress(info.Url)));
  checker_->StartCheck();
}

void TUpdateAvailable::CheckForNewVersionGotVersionFile() {
  dataMod_.AvailableVersion.Set(checker_->GetValue("Version"));
  dataMod_.AvailableDownload.Set(checker_->GetValue("Download"));
  UpdateAvailableMenu();
}

void TUpdateAvailable::DownloadPageClick() {
  const std::string& download = dataMod_.AvailableDownload.Value();
  if (IsWebAddress(download)) OpenUrl(QUrl(DisplayString(download)));
}
