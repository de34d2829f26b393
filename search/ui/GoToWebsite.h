#pragma once
// TGoToWebsite: the two web-link actions, the product's home page (acGoToHomePage) and the
// maker's web site (acGoToVantrelSoftwareWebsite), both derived from the product address of the
// version data and visible only while there is one.

#include <QObject>
#include <QUrl>
#include <functional>

class QAction;
class TVersionData;

class TGoToWebsite final : public QObject {
  Q_OBJECT

 public:
  // Works on the actions of `owner` with those names, created when `owner` has none.
  TGoToWebsite(const TVersionData& versionData, QObject* owner);

  QAction* ActionHomePage() const { return acGoToHomePage_; }
  QAction* ActionVantrelSoftwareWebsite() const { return acGoToVantrelSoftwareWebsite_; }

  // Sets captions, hints and visibility from the version data.
  void Refresh();

  // Replaceable for tests: how an address is opened.
  std::function<bool(const QUrl&)> OpenUrl;

 private:
  void Open(const std::string& address);

  const TVersionData& versionData_;
  QAction* acGoToHomePage_;
  QAction* acGoToVantrelSoftwareWebsite_;
};
