#include "search/ui/UpdateAvailable.h"

#include <QDesktopServices>
#include <algorithm>
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

TUpdateAvailable::TUpdateAvailable(TDataMod& dataMod, QMenu* updateMenu, QObject* parent)
    : QObject(parent),
      dataMod_(dataMod),
      checker_(new TCheckForNewVersion(this)),
      mnUpdateAvailable_(updateMenu),
      mnDownloadPage_(updateMenu->findChild<QAction*>("mnDownloadPage")) {
  setObjectName("CheckForNewVersion");
  Today = TodayDayNumber;
  OpenUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
  if (mnDownloadPage_ == nullptr) {
    mnDownloadPage_ = mnUpdateAvailable_->addAction(kDownloadPageCaption);
    mnDownloadPage_->setObjectName("mnDownloadPage");
  }
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
  if (auto* bar = qobject_cast<QMenuBar*>(mnUpdateAvailable_->parentWidget()); bar != nullptr) {
    const QList<QAction*> entries = bar->actions();
    bar->setVisible(std::any_of(entries.begin(), entries.end(), [](const QAction* entry) { return entry->isVisible(); }));
  }
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
