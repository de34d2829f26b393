#include "search/ui/GoToWebsite.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>

#include "search/settings/VersionData.h"
#include "search/ui/ByteText.h"
#include "search/ui/UpdateRules.h"

namespace {

constexpr const char* kHomePageCaption = "&%1 home page";
constexpr const char* kHomePageHint = "Show %1 home page";
constexpr const char* kHomePageCaptionUnnamed = "Home &page";
constexpr const char* kHomePageHintUnnamed = "Show home page";
constexpr const char* kWebsiteCaption = "Vantrel Software &web site";
constexpr const char* kWebsiteHint = "Show Vantrel Software web site";

QAction* NamedAction(QObject* owner, const char* name) {
  QAction* action = owner != nullptr ? owner->findChild<QAction*>(name) : nullptr;
  if (action == nullptr) {
    action = new QAction(owner);
    action->setObjectName(name);
  }
  return action;
}

}  // namespace

TGoToWebsite::TGoToWebsite(const TVersionData& versionData, QObject* owner)
    : QObject(owner),
      versionData_(versionData),
      acGoToHomePage_(NamedAction(owner, "acGoToHomePage")),
      acGoToVantrelSoftwareWebsite_(NamedAction(owner, "acGoToVantrelSoftwareWebsite")) {
  setObjectName("GoToWebsite");
  OpenUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
  connect(acGoToHomePage_, &QAction::triggered, this, [this] { Open(versionData_.VersionInfo().Url); });
  connect(acGoToVantrelSoftwareWebsite_, &QAction::triggered, this,
          [this] { Open(MakerWebsiteAddress(versionData_.VersionInfo().Url)); });
  Refresh();
}

void TGoToWebsite::Refresh() {
  const TVersionInfo& info = versionData_.VersionInfo();
  const QString product = DisplayString(info.ProductName);
  acGoToHomePage_->setText(product.isEmpty() ? QString(kHomePageCaptionUnnamed) : QString(kHomePageCaption).arg(product));
  const QString hint = product.isEmpty() ? QString(kHomePageHintUnnamed) : QString(kHomePageHint).arg(product);
  acGoToHomePage_->setStatusTip(hint);
  acGoToHomePage_->setToolTip(hint);
  if (acGoToHomePage_->icon().isNull()) acGoToHomePage_->setIcon(QApplication::windowIcon());
  acGoToVantrelSoftwareWebsite_->setText(kWebsiteCaption);
  acGoToVantrelSoftwareWebsite_->setStatusTip(kWebsiteHint);
  acGoToVantrelSoftwareWebsite_->setToolTip(kWebsiteHint);
  const bool visible = !info.Url.empty();
  acGoToHomePage_->setVisible(visible);
  acGoToVantrelSoftwareWebsite_->setVisible(visible);
}

void TGoToWebsite::Open(const std::string& address) {
  if (!address.empty()) OpenUrl(QUrl(DisplayString(address)));
}
