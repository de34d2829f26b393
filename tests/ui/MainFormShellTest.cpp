// The main window's ties to the desktop: the command line, closing on SIGTERM, window
// positions, the tray, dragging files out and dropping them on the Path and Files boxes.

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QSystemTrayIcon>
#include <QToolButton>
#include <fstream>

#include "search/settings/forms/SaveFormPosition.h"
#include "search/settings/WindowPlacement.h"
#include "search/ui/DragFilesTrg.h"
#include "search/ui/MainForm.h"
#include "search/ui/ResultsModel.h"
#include "search/ui/ResultsView.h"
#include "support/TempTree.h"
#include "ui/support/UiTestSupport.h"

namespace {

struct TWindow : TMainFormWindow {
  void Search(const std::string& path, const QString& stringA) {
    Box("cbPath")->setEditText(QString::fromStdString(path));
    Box("cbFiles")->setEditText("*.txt");
    Box("cbStringA")->setEditText(stringA);
    form->SearchClick();
  }
};

// Drops the paths (as a file manager's text/uri-list) on the widget.
void DropFiles(QWidget* target, const QByteArray& uriList) {
  QMimeData data;
  data.setData("text/uri-list", uriList);
  const QPoint at = target->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
}

QByteArray Uri(const std::string& path) { return "file://" + QByteArray::fromStdString(path) + "\r\n"; }

}  // namespace

class MainFormShellTest : public QObject {
  Q_OBJECT

 private slots:
  void commandLine_data() {
    QTest::addColumn<bool>("useToolTray");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<bool>("tray");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("files");
    QTest::newRow("folders") << false << "/srv/a; /srv/b" << false << "/srv/a; /srv/b" << "*.*";
    QTest::newRow("blank") << false << "  " << false << "/kept/" << "*.kept";
    QTest::newRow("hide with the tray") << true << "HIDE" << true << "/kept/" << "*.kept";
    QTest::newRow("hide without the tray") << false << "hide" << false << "/start/hide" << "*.*";
    QTest::newRow("relative") << true << "." << false << "/start/" << "*.*";
  }
  void commandLine() {
    QFETCH(bool, useToolTray);
    QFETCH(QString, argument);
    TSettingsSandbox settings;
    settings.DataMod().UseToolTray.Set(useToolTray);
    settings.DataMod().Path.Assign({"/kept/"});
    settings.DataMod().Files.Assign({"*.kept"});
    TMainForm form(settings.DataMod());
    form.TrayAvailable = [] { return true; };
    QTEST(form.ApplyCommandLine(argument.toStdString(), "/start"), "tray");
    QTEST(Named<QComboBox>(&form, "cbPath")->currentText(), "path");
    QTEST(Named<QComboBox>(&form, "cbFiles")->currentText(), "files");
  }

  void theTrayWordsShowTheWindowWhereThereIsNoTray() {
    TSettingsSandbox settings;
    settings.DataMod().UseToolTray.Set(true);
    TMainForm form(settings.DataMod());
    form.TrayAvailable = [] { return false; };
    QVERIFY(!form.ApplyCommandLine("tooltray", "/"));
  }

  void sigtermClosesTheProgramLikeTheUserAndKeepsTheCriteria() {
    TempTree tree;
    const std::string folders = tree.RootText() + "a/; " + tree.RootText() + "b/";
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("VANTREL_REGISTRY_DIR", QString::fromStdString(tree.RootText()));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("ASAN_OPTIONS", "detect_leaks=0");
    program.setProcessEnvironment(environment);
    program.start(SEARCH_PROGRAM_PATH, {QString::fromStdString(folders), "ignored"});
    QVERIFY(program.waitForStarted());
    const std::string settingsFile = tree.RootText() + "HKEY_CURRENT_USER.reg";
    // The settings module writes the program's path at start; the window follows at once.
    QVERIFY(QTest::qWaitFor([&] {
      std::ifstream in(settingsFile);
      const std::string text{std::istreambuf_iterator<char>(in), {}};
      return text.find("MainFormWindowState") != std::string::npos;
    }, 60000));
    program.terminate();
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);

    qputenv("VANTREL_REGISTRY_DIR", QByteArray::fromStdString(tree.RootText()));
    TDataMod next;
    QCOMPARE(QString::fromStdString(next.Path.Items().at(0)), QString::fromStdString(folders));
    QCOMPARE(QString::fromStdString(next.Files.Items().at(0)), QString("*.*"));
  }

  void placementOntoTheScreens() {
    const std::vector<TRect> one = {{0, 0, 800, 600}};
    QCOMPARE(FitOnScreens({100, 100, 900, 700}, one), (TRect{0, 0, 800, 600}));
    QCOMPARE(FitOnScreens({5000, 5000, 5600, 5400}, one), (TRect{200, 200, 800, 600}));
    QCOMPARE(FitOnScreens({-300, 50, 100, 250}, one), (TRect{0, 50, 400, 250}));
    QCOMPARE(FitOnScreens({0, 0, 1000, 200}, one), (TRect{0, 0, 1000, 200}));
    const std::vector<TRect> two = {{0, 0, 800, 600}, {-1024, 0, 0, 768}};
    QCOMPARE(FitOnScreens({-900, 100, -300, 500}, two), (TRect{-900, 100, -300, 500}));
    QCOMPARE(FitOnScreens({-3000, 100, -2400, 500}, two), (TRect{-1024, 100, -424, 500}));
  }

  void windowPositionsAreWrittenAndRestored() {
    TSettingsSandbox settings;
    {
      TMainForm form(settings.DataMod());
      form.show();
      QVERIFY(QTest::qWaitForWindowExposed(&form));
      form.move(40, 30);
      form.resize(760, 560);
      QCoreApplication::processEvents();
    }
    const TRect stored = settings.DataMod().RegistryManager.LoadRect("MainFormWindowRect", {});
    QCOMPARE(stored, (TRect{40, 30, 800, 590}));
    QCOMPARE(settings.DataMod().RegistryManager.LoadInteger("MainFormWindowState", -1), 0);

    TMainForm again(settings.DataMod());
    QCOMPARE(again.pos(), QPoint(40, 30));
    QCOMPARE(again.size(), QSize(760, 560));

    // A position on a screen no longer connected comes back onto the nearest one.
    settings.DataMod().RegistryManager.SaveRect("MainFormWindowRect", {5000, 100, 5760, 660});
    settings.DataMod().RegistryManager.SaveInteger("MainFormWindowState", 2);
    TMainForm moved(settings.DataMod());
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(moved.pos(), QPoint(screen.right() + 1 - 760, 100));
    QVERIFY(moved.windowState() & Qt::WindowMaximized);
  }

  void aMaximisedWindowKeepsItsNormalRectangle() {
    TSettingsSandbox settings;
    settings.DataMod().RegistryManager.SaveRect("MainFormWindowRect", {10, 20, 770, 580});
    TMainForm form(settings.DataMod());
    form.show();
    form.showMaximized();
    QCoreApplication::processEvents();
    form.close();
    QCOMPARE(settings.DataMod().RegistryManager.LoadInteger("MainFormWindowState", -1), 2);
    QCOMPARE(settings.DataMod().RegistryManager.LoadRect("MainFormWindowRect", {}), (TRect{10, 20, 770, 580}));
  }

  void hidingToTheTrayAndBack() {
    TSettingsSandbox settings;
    settings.DataMod().UseToolTray.Set(true);
    TMainForm form(settings.DataMod());
    form.TrayAvailable = [] { return true; };
    form.show();
    form.ApplyDisplaySettings();
    form.ApplicationEventsIdle();
    QVERIFY(form.Action("acHideForm")->isVisible());
    QVERIFY(Named<QToolButton>(&form, "btHide")->isVisible());
    form.Action("acHideForm")->trigger();
    QVERIFY(!form.isVisible());
    QVERIFY(form.TrayIcon()->isVisible());
    form.ApplicationEventsIdle();
    QVERIFY(form.Action("acShowForm")->isVisible());
    QCOMPARE(form.TrayIcon()->contextMenu()->objectName(), QString("pumToolTray"));
    form.Action("acShowForm")->trigger();
    QVERIFY(form.isVisible());
    QVERIFY(!form.TrayIcon()->isVisible());
    form.ApplicationEventsIdle();
    QVERIFY(!form.Action("acShowForm")->isVisible());

    // Minimising goes to the tray too.
    form.showMinimized();
    QTRY_VERIFY(!form.isVisible());
    QVERIFY(form.TrayIcon()->isVisible());
    form.RestoreFromTray();
    QVERIFY(!form.isMinimized());
  }

  void withoutATrayTheWindowIsNeverHidden() {
    TSettingsSandbox settings;
    settings.DataMod().UseToolTray.Set(true);
    TMainForm form(settings.DataMod());
    form.TrayAvailable = [] { return false; };
    form.show();
    form.ApplyDisplaySettings();
    form.ApplicationEventsIdle();
    QVERIFY(!form.Action("acHideForm")->isVisible());
    QVERIFY(Named<QToolButton>(&form, "btExit")->isVisible());
    form.Action("acHideForm")->trigger();
    form.showMinimized();
    QCoreApplication::processEvents();
    form.ApplicationEventsIdle();
    QVERIFY(form.isVisible());
    QVERIFY(!form.TrayIcon()->isVisible());
  }

  void aDragCarriesEachSelectedFileOnce() {
    TempTree tree;
    tree.Write("a.txt", "hit 1\nhit 2\nhit 3\n");
    tree.Write("b b.txt", "hit\n");
    TWindow window;
    window.Search(tree.RootText(), "hit");
    TResultsModel& model = window.Model();
    QItemSelectionModel* selection = window.form->Results().selectionModel();
    for (int line = 0; line < 3; ++line) {
      selection->select(model.index(line, 0, model.index(0, 0)), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    selection->select(model.index(0, 0, model.index(1, 0)), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    std::unique_ptr<QMimeData> dragged;
    window.form->StartDrag = [&](std::unique_ptr<QMimeData> data) { dragged = std::move(data); };
    emit window.form->DragRequested();
    QVERIFY(dragged != nullptr);
    QCOMPARE(dragged->data("text/uri-list"), Uri(tree.RootText() + "a.txt") + Uri(tree.RootText() + "b%20b.txt"));
    selection->clearSelection();
    QVERIFY(window.form->DragMimeData() == nullptr);
  }

  void dropsOnThePathAndFilesBoxes() {
    TempTree tree;
    const std::string root = tree.RootText();
    tree.Write("Data/a.txt");
    tree.Write("Other/A.TXT");
    tree.Write("x/y.doc");
    TWindow window;
    QLineEdit* path = window.Box("cbPath")->lineEdit();
    DropFiles(path, Uri(root + "Data") + Uri(root + "x/y.doc") + "http://example.org/z\r\n");
    QCOMPARE(window.Box("cbPath")->currentText(), QString::fromStdString(root + "Data/; " + root + "x/"));
    QLineEdit* files = window.Box("cbFiles")->lineEdit();
    window.Box("cbFiles")->setEditText("*.keep");
    DropFiles(files, Uri(root + "Data"));
    QCOMPARE(window.Box("cbFiles")->currentText(), QString("*.keep"));
    DropFiles(files, Uri(root + "Data/a.txt") + Uri(root + "Other/A.TXT") + Uri(root + "Data"));
    QCOMPARE(window.Box("cbFiles")->currentText(), QString("a.txt"));
    QCOMPARE(window.form->DragFilesToFiles().DroppedFiles().size(), size_t{3});
  }
};

SEARCH_QTEST_MAIN(MainFormShellTest)
#include "MainFormShellTest.moc"
