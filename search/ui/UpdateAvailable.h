#pragma once
// TUpdateAvailable: the main window's side of the monthly update check. On the first showing it
// shows the menu "&Version ... Available" when the stored announced version is newer, and once
// a month starts a check; its outcome is stored and shown. The menu's "&Download Page" opens
// the announced web address.

#include <QObject>
#include <QUrl>
#include <functional>

class QAction;
class QMenu;
class TCheckForNewVersion;
class TDataMod;

class TUpdateAvailable final : public QObject {
  Q_OBJECT

 public:
  // Works on the window's menu `updateMenu` and its entry "mnDownloadPage" (added when missing).
  TUpdateAvailable(TDataMod& dataMod, QMenu* updateMenu, QObject* parent = nullptr);

  // The show steps: the menu from the stored values, then the check when it is due.
  void ShowSteps();
  void UpdateAvailableMenu();
  // When checks are monthly and none was made this month: writes today's day and starts one.
  void CheckForUpdateIfDue();

  QMenu* UpdateMenu() const { return mnUpdateAvailable_; }
  TCheckForNewVersion& Checker() const { return *checker_; }

  // Replaceable for tests: today's day number and how an address is opened.
  std::function<int()> Today;
  std::function<bool(const QUrl&)> OpenUrl;

 private:
  void StartCheck();
  void CheckForNewVersionGotVersionFile();
  void DownloadPageClick();

  TDataMod& dataMod_;
  TCheckForNewVersion* checker_;
  QMenu* mnUpdateAvailable_;
  QAction* mnDownloadPage_;
};
