// The update check against a local server started by the test: the download, its failures,
// the stored outcome, the Update Available menu and the web links.

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>

#include "search/ui/CheckForNewVersion.h"
#include "search/ui/GoToWebsite.h"
#include "search/ui/MainForm.h"
#include "search/ui/UpdateAvailable.h"
#include "search/ui/UpdateRules.h"
#include "ui/support/UiTestSupport.h"

namespace {

// A one-file web server on 127.0.0.1 that answers every request the same way, or never.
class TTestServer final : public QObject {
 public:
  TTestServer() {
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { Answer(socket); });
      }
    });
  }

  QString Address() const { return QString("http://127.0.0.1:%1/version.txt").arg(server_.serverPort()); }
  void Serve(int status, QByteArray body) {
    status_ = status;
    body_ = std::move(body);
  }
  void NeverAnswer() { status_ = 0; }
  const QByteArray& Request() const { return request_; }

 private:
  void Answer(QTcpSocket* socket) {
    request_ += socket->readAll();
    if (!request_.contains("\r\n\r\n") || status_ == 0) return;
    socket->write("HTTP/1.1 " + QByteArray::number(status_) + " X\r\nContent-Type: text/plain\r\nContent-Length: " +
                  QByteArray::number(body_.size()) + "\r\nConnection: close\r\n\r\n" + body_);
    socket->disconnectFromHost();
  }

  QTcpServer server_;
  int status_ = 200;
  QByteArray body_;
  QByteArray request_;
};

// Runs one check of `address` to its end; true when the file was taken.
bool RunCheck(TCheckForNewVersion& checker, const QString& address) {
  QSignalSpy ended(&checker, &TCheckForNewVersion::CheckEnded);
  QSignalSpy got(&checker, &TCheckForNewVersion::GotVersionFile);
  checker.SetURL(address);
  checker.StartCheck();
  if (!ended.wait(20000)) qFatal("the check never ended");
  return got.count() == 1;
}

// The window's update side on settings of its own, checking monthly against a local server.
struct TUpdateSetup {
  TUpdateSetup(int status, const QByteArray& body) {
    server.Serve(status, body);
    qputenv("VANTREL_UPDATE_URL", server.Address().toLocal8Bit());
    sandbox.DataMod().UpdateCheckFrequency.Set(1);
  }
  // Runs the show steps and waits for the check they start.
  bool ShowAndWait() {
    QSignalSpy ended(&updates.Checker(), &TCheckForNewVersion::CheckEnded);
    updates.ShowSteps();
    return ended.wait(20000);
  }

  TTestServer server;
  TSettingsSandbox sandbox;
  TDataMod& d = sandbox.DataMod();
  QMenuBar bar;
  TUpdateAvailable updates{d, bar.addMenu(QString())};
};

constexpr const char* kNewer = "Version=7.0.0.58\r\nDownload=https://vantrel.test/download/\r\n";

}  // namespace

class UpdateCheckTest : public QObject {
  Q_OBJECT

 private slots:
  void goodFileIsReadWithTheUserAgent() {
    TTestServer server;
    server.Serve(200, kNewer);
    TCheckForNewVersion checker;
    checker.ProgramVersion = "7.0.0.57";
    QVERIFY(RunCheck(checker, server.Address()));
    QCOMPARE(checker.GetValue("version"), std::string("7.0.0.58"));
    QCOMPARE(checker.GetValue("Download"), std::string("https://vantrel.test/download/"));
    QVERIFY(server.Request().contains("User-Agent: Vantrel Update Bot V7.0.0.57\r\n"));
    QVERIFY(!checker.Running());
  }

  void failedDownloadsGiveNoFile_data() {
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("size");
    QTest::newRow("not found") << 404 << 40;
    QTest::newRow("server error") << 500 << 40;
    QTest::newRow("ten megabytes") << 200 << 10 * 1024 * 1024;
    QTest::newRow("just over 64 KB") << 200 << 64 * 1024 + 1;
  }

  void failedDownloadsGiveNoFile() {
    QFETCH(int, status);
    QFETCH(int, size);
    TTestServer server;
    QByteArray body(kNewer);
    body += QByteArray(size - body.size(), 'x');
    server.Serve(status, body);
    TCheckForNewVersion checker;
    QVERIFY(!RunCheck(checker, server.Address()));
    QVERIFY(checker.Lines().empty());
  }

  void fileOfExactly64KbIsTaken() {
    TTestServer server;
    QByteArray body(kNewer);
    body += QByteArray(64 * 1024 - body.size(), '\n');
    server.Serve(200, body);
    TCheckForNewVersion checker;
    QVERIFY(RunCheck(checker, server.Address()));
    QCOMPARE(checker.GetValue("Version"), std::string("7.0.0.58"));
  }

  void serverThatNeverAnswersIsAbandoned() {
    TTestServer server;
    server.NeverAnswer();
    TCheckForNewVersion checker;
    checker.TransferTimeoutMs = 300;
    QVERIFY(!RunCheck(checker, server.Address()));
  }

  void closingDuringADownloadNeitherHangsNorCrashes() {
    TTestServer server;
    server.NeverAnswer();
    {
      TCheckForNewVersion checker;
      checker.SetURL(server.Address());
      checker.StartCheck();
      QTRY_VERIFY(!server.Request().isEmpty());
      QVERIFY(checker.Running());
    }  // stopped and joined here
    TCheckForNewVersion stopped;
    QSignalSpy got(&stopped, &TCheckForNewVersion::GotVersionFile);
    QSignalSpy ended(&stopped, &TCheckForNewVersion::CheckEnded);
    stopped.SetURL(server.Address());
    stopped.StartCheck();
    stopped.StopCheck();
    QVERIFY(ended.wait(20000));
    QCOMPARE(got.count(), 0);
  }

  void onlyWebAddressesAreFetched() {
    TCheckForNewVersion checker;
    QVERIFY(!RunCheck(checker, "file:///etc/hostname"));
    checker.SetURL("");
    checker.StartCheck();
    QVERIFY(!checker.Running());
  }

  void menuShowsANewerAnnouncedVersion_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("visible");
    QTest::newRow("newer build") << QByteArray(kNewer) << true;
    QTest::newRow("same version") << QByteArray("Version=7.0.0.57\nDownload=https://vantrel.test/d/\n") << false;
    QTest::newRow("newer minor") << QByteArray("Version=7.1\nDownload=https://vantrel.test/d/\n") << true;
    QTest::newRow("version only") << QByteArray("Version=7.1\n") << false;
    QTest::newRow("file download address") << QByteArray("Version=7.1\nDownload=file:///etc/passwd\n") << false;
    QTest::newRow("program as download") << QByteArray("Version=7.1\nDownload=/usr/bin/xterm\n") << false;
  }

  void menuShowsANewerAnnouncedVersion() {
    QFETCH(QByteArray, file);
    QFETCH(bool, visible);
    TUpdateSetup setup(200, file);
    TDataMod& d = setup.d;
    TUpdateAvailable& updates = setup.updates;
    QVERIFY(setup.ShowAndWait());
    QCOMPARE(updates.UpdateMenu()->menuAction()->isVisible(), visible);
    if (visible) QCOMPARE(updates.UpdateMenu()->title(), "&Version " + QString::fromStdString(d.AvailableVersion.Value()) + " Available");

    // The menu's one entry opens the download page, only when it is a web address.
    QList<QUrl> opened;
    updates.OpenUrl = [&opened](const QUrl& url) {
      opened << url;
      return true;
    };
    auto* download = updates.UpdateMenu()->findChild<QAction*>("mnDownloadPage");
    QVERIFY(download != nullptr);
    QCOMPARE(download->text(), QString("&Download Page"));
    download->trigger();
    QCOMPARE(opened.size(), IsWebAddress(d.AvailableDownload.Value()) ? 1 : 0);
  }

  void monthlyCheckWritesTheDayFirst() {
    TUpdateSetup setup(200, kNewer);
    TDataMod& d = setup.d;
    TUpdateAvailable& updates = setup.updates;
    const int today = int(QDate(1899, 12, 30).daysTo(QDate(2026, 12, 10)));
    updates.Today = [today] { return today; };

    QSignalSpy ended(&updates.Checker(), &TCheckForNewVersion::CheckEnded);
    updates.CheckForUpdateIfDue();
    QCOMPARE(d.UpdateCheckWhen.Value(), today);  // before any outcome
    QCOMPARE(d.AvailableVersion.Value(), std::string());
    QVERIFY(ended.wait(20000));
    QCOMPARE(d.AvailableVersion.Value(), std::string("7.0.0.58"));

    // Same month: nothing starts.
    updates.Today = [today] { return today + 5; };
    updates.CheckForUpdateIfDue();
    QCoreApplication::processEvents();
    QVERIFY(!updates.Checker().Running());
    QCOMPARE(d.UpdateCheckWhen.Value(), today);
  }

  void failedCheckChangesNothing() {
    TUpdateSetup setup(404, "Version=9\nDownload=https://elsewhere.test/\n");
    TDataMod& d = setup.d;
    d.AvailableVersion.Set("7.0.0.58");
    d.AvailableDownload.Set("https://vantrel.test/download/");
    QVERIFY(setup.ShowAndWait());
    TUpdateAvailable& updates = setup.updates;
    QCOMPARE(d.AvailableVersion.Value(), std::string("7.0.0.58"));
    QCOMPARE(d.AvailableDownload.Value(), std::string("https://vantrel.test/download/"));
    QVERIFY(updates.UpdateMenu()->menuAction()->isVisible());
  }

  void neverCheckingStillShowsAStoredNewerVersion() {
    TSettingsSandbox sandbox;
    TDataMod& d = sandbox.DataMod();
    d.AvailableVersion.Set("8.0");
    d.AvailableDownload.Set("https://vantrel.test/download/");
    TMainForm form(d);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCoreApplication::processEvents();
    QVERIFY(!form.UpdateAvailable().Checker().Running());
    QCOMPARE(d.UpdateCheckWhen.Value(), 0);
    QVERIFY(form.UpdateAvailable().UpdateMenu()->menuAction()->isVisible());
    QCOMPARE(form.UpdateAvailable().UpdateMenu()->title(), QString("&Version 8.0 Available"));
  }

  void theWindowsOwnMenuAndActionsAreUsed() {
    TSettingsSandbox sandbox;
    QMenuBar bar;
    QMenu* menu = bar.addMenu("&Update Available");
    QAction* download = menu->addAction("&Download Page");
    download->setObjectName("mnDownloadPage");
    TUpdateAvailable updates(sandbox.DataMod(), menu);
    QCOMPARE(menu->actions().size(), 1);
    QList<QUrl> opened;
    updates.OpenUrl = [&opened](const QUrl& url) {
      opened << url;
      return true;
    };
    sandbox.DataMod().AvailableDownload.Set("https://vantrel.test/download/");
    download->trigger();
    QCOMPARE(opened, QList<QUrl>{QUrl("https://vantrel.test/download/")});

    QObject window;
    auto* home = new QAction(&window);
    home->setObjectName("acGoToHomePage");
    TGoToWebsite links(sandbox.DataMod().VersionData, &window);
    QCOMPARE(links.ActionHomePage(), home);
    QCOMPARE(links.ActionVantrelSoftwareWebsite()->parent(), &window);
  }

  void webLinksFollowTheProductAddress() {
    TSettingsSandbox sandbox;
    TDataMod& d = sandbox.DataMod();
    TGoToWebsite links(d.VersionData, nullptr);
    QList<QUrl> opened;
    links.OpenUrl = [&opened](const QUrl& url) {
      opened << url;
      return true;
    };
    QCOMPARE(links.ActionHomePage()->objectName(), QString("acGoToHomePage"));
    QCOMPARE(links.ActionHomePage()->text(), QString("&Search home page"));
    QCOMPARE(links.ActionHomePage()->statusTip(), QString("Show Search home page"));
    QCOMPARE(links.ActionVantrelSoftwareWebsite()->objectName(), QString("acGoToVantrelSoftwareWebsite"));
    QCOMPARE(links.ActionVantrelSoftwareWebsite()->text(), QString("Vantrel Software &web site"));
    QCOMPARE(links.ActionVantrelSoftwareWebsite()->statusTip(), QString("Show Vantrel Software web site"));
    QVERIFY(links.ActionHomePage()->isVisible());
    links.ActionHomePage()->trigger();
    links.ActionVantrelSoftwareWebsite()->trigger();
    QCOMPARE(opened, (QList<QUrl>{QUrl(QString::fromStdString(d.VersionData.VersionInfo().Url)),
                                  QUrl(QString::fromStdString(MakerWebsiteAddress(d.VersionData.VersionInfo().Url)))}));

    TVersionData none("/nonexistent/program");
    TGoToWebsite hidden(none, nullptr);
    QVERIFY(!hidden.ActionHomePage()->isVisible());
    QVERIFY(!hidden.ActionVantrelSoftwareWebsite()->isVisible());
    QCOMPARE(hidden.ActionHomePage()->text(), QString("Home &page"));
    QCOMPARE(hidden.ActionHomePage()->statusTip(), QString("Show home page"));
  }
};

SEARCH_QTEST_MAIN(UpdateCheckTest)
#include "UpdateCheckTest.moc"
