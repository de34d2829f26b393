// The main window's actions and menus driven headless: the enabling rules, the results pop-up,
// copying to the clipboard, saving through the dialog, the History menu, sorting and help.

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <fstream>
#include <unistd.h>

#include "search/ui/MainForm.h"
#include "search/ui/MessageForm.h"
#include "search/ui/ResultsModel.h"
#include "search/ui/ResultsView.h"
#include "support/TempTree.h"
#include "ui/support/UiTestSupport.h"

namespace {

struct TWindow : TMainFormWindow {
  QAction* Act(const char* name) { return form->Action(name); }
  QMenu* Menu(const char* name) { return Named<QMenu>(form.get(), name); }
  TResultsView& View() { return form->Results(); }
  void Search(const std::string& path, const QString& stringA, const QString& files = "*.txt") {
    Box("cbPath")->setEditText(QString::fromStdString(path));
    Box("cbFiles")->setEditText(files);
    Box("cbStringA")->setEditText(stringA);
    form->SearchClick();
    form->ApplicationEventsIdle();
  }
  void Select(int row, int line = -1) {
    const QModelIndex file = Model().index(row, 0);
    const QModelIndex index = line < 0 ? file : Model().index(line, 0, file);
    View().selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    form->ApplicationEventsIdle();
  }
  QStringList Rows() {
    QStringList rows;
    for (int row = 0; row < Model().rowCount(); ++row) {
      const QModelIndex file = Model().index(row, 0);
      rows << file.data().toString();
      for (int line = 0; line < Model().rowCount(file); ++line) rows << Model().index(line, 0, file).data().toString();
    }
    return rows;
  }
};

QString Root(const TempTree& tree) { return QString::fromStdString(tree.RootText()); }

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

QString MessageOf(QAction* action) {
  return MessageDuring([action] { action->trigger(); });
}

const char* const kAllActions[] = {"acCopyAllFileNamesToClipboard", "acCopyAllFileContentsToClipboard",
                                   "acCopyAllLinesToClipboard", "acSaveAllFileNamesToFile", "acSaveAllLinesToFile"};
const char* const kSelectedActions[] = {"acCopySelectedFileNamesToClipboard", "acCopySelectedFileContentsToClipboard",
                                        "acCopySelectedLinesToClipboard", "acSaveSelectedFileNamesToFile",
                                        "acSaveSelectedLinesToFile", "acOpenWith", "acProperties"};

}  // namespace

// Observes what the desktop would be asked to open.
class UrlRecorder : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> opened;
 public slots:
  void open(const QUrl& url) { opened << url; }
};

class MainFormActionsTest : public QObject {
  Q_OBJECT

 private slots:
  void actionsCarryTheirTexts_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("hint");
    QTest::newRow("expand") << "acExpandAll" << "&Expand All" << "";
    QTest::newRow("collapse") << "acCollapseAll" << "Co&llapse All" << "";
    QTest::newRow("hide") << "acHideForm" << "H&ide" << "Minimise Search to the tool tray";
    QTest::newRow("exit") << "acExit" << "E&xit" << "Close Search";
    QTest::newRow("about") << "acAbout" << "&About Search..." << "About Search";
    QTest::newRow("home") << "acGoToHomePage" << "&Search home page" << "Show Search home page";
    QTest::newRow("lines") << "acSaveSelectedLinesToFile" << "Selected En&tries"
                           << "Save selected search results to the File";
  }
  void actionsCarryTheirTexts() {
    QFETCH(QString, name);
    TWindow window;
    QAction* action = window.Act(qPrintable(name));
    QTEST(action->text(), "caption");
    QTEST(action->statusTip(), "hint");
  }

  void menusHoldTheirEntriesAndHelpHasF1() {
    TWindow window;
    QCOMPARE(window.Act("acHelp")->shortcut(), QKeySequence(Qt::Key_F1));
    QStringList top;
    for (QAction* action : window.form->menuBar()->actions()) top << action->text();
    QCOMPARE(top, (QStringList{"&File", "A&ctions", "&Help", "&Update Available"}));
    QVERIFY(!window.Menu("mnUpdateAvailable")->menuAction()->isVisible());
    QStringList copy;
    for (QAction* action : window.Menu("mnCopytoClipboard")->actions()) copy << action->text();
    QCOMPARE(copy, (QStringList{"Selected Filen&ames", "All File&names", "", "Selected F&iles", "All &Files", "",
                                "Selected Matched En&tries", "All Matched &Entries"}));
    QCOMPARE(window.Menu("mnSort")->actions().size(), 10);
    QCOMPARE(window.Menu("pumToolTray")->defaultAction(), window.Act("acShowForm"));
    // The hidden sort fields follow their display settings.
    QVERIFY(!window.Act("acSortOnFileSize")->isVisible());
    window.settings.DataMod().ShowFileSize.Set(true);
    window.form->ApplyDisplaySettings();
    QVERIFY(window.Act("acSortOnFileSize")->isVisible());
  }

  void allAndSelectedCommandsFollowTheTreeAndTheSelection() {
    TempTree tree;
    tree.Write("a.txt", "hit\n");
    tree.Write("b.txt", "hit\n");
    TWindow window;
    window.form->ApplicationEventsIdle();
    for (const char* name : kAllActions) QVERIFY2(!window.Act(name)->isEnabled(), name);
    QVERIFY(!window.Menu("mnCopytoClipboard2")->isEnabled());
    QVERIFY(!window.Menu("mnSort")->isEnabled());

    window.Search(tree.RootText(), "hit");
    for (const char* name : kAllActions) QVERIFY2(window.Act(name)->isEnabled(), name);
    for (const char* name : kSelectedActions) QVERIFY2(!window.Act(name)->isEnabled(), name);
    QVERIFY(window.Menu("mnCopytoClipboard")->isEnabled());
    QVERIFY(window.Menu("mnSaveToFile2")->isEnabled());
    QVERIFY(window.Menu("mnSort2")->isEnabled());
    QVERIFY(!Named<QToolButton>(window.form.get(), "btEditWith")->isEnabled());

    window.Select(1, 0);
    for (const char* name : kSelectedActions) QVERIFY2(window.Act(name)->isEnabled(), name);
    QVERIFY(Named<QToolButton>(window.form.get(), "btEditWith")->isEnabled());
  }

  void sortIsGreyedWithOneFile() {
    TempTree tree;
    tree.Write("a.txt", "hit\n");
    TWindow window;
    window.Search(tree.RootText(), "hit");
    QVERIFY(!window.Menu("mnSort")->isEnabled());
    QVERIFY(window.Act("acCopyAllLinesToClipboard")->isEnabled());
  }

  void optionRules() {
    TempTree tree;
    tree.Write("a.txt", "nothing\n");
    TWindow window;
    window.settings.DataMod().ShowRegularExpressions.Set(true);
    window.form->ApplyDisplaySettings();
    window.Check("ckCaseSensitive")->setChecked(true);
    window.Check("ckRegularExpressions")->setChecked(true);
    QVERIFY(!window.Check("ckCaseSensitive")->isEnabled());
    QVERIFY(window.Check("ckCaseSensitive")->isChecked());
    QVERIFY(window.settings.DataMod().CaseSensitive.Value());
    window.Check("ckRegularExpressions")->setChecked(false);
    QVERIFY(window.Check("ckCaseSensitive")->isEnabled());

    window.Check("ckFileMatchProximity")->setChecked(true);
    Named<QRadioButton>(window.form.get(), "rbAndNot")->setChecked(true);
    window.Box("cbStringA")->setEditText("x");
    QVERIFY(!window.Check("ckShowMatches")->isEnabled());
    QVERIFY(!window.Check("ckMinimiseWhitespace")->isEnabled());
    Named<QRadioButton>(window.form.get(), "rbOr")->setChecked(true);
    QVERIFY(window.Check("ckShowMatches")->isEnabled());

    window.Search(tree.RootText(), "absent");
    QVERIFY(!window.Check("ckSearchResults")->isEnabled());
    QVERIFY(!window.Check("ckSearchResults")->isChecked());
  }

  void expandAndCollapseFollowTheOpenFiles() {
    TempTree tree;
    tree.Write("a.txt", "hit\n");
    tree.Write("b.txt", "hit\nhit\n");
    TWindow window;
    window.settings.DataMod().AutoExpand.Set(true);
    window.Search(tree.RootText(), "hit");
    QVERIFY(window.Act("acCollapseAll")->isEnabled());
    QVERIFY(!window.Act("acExpandAll")->isEnabled());
    window.View().collapse(window.Model().index(0, 0));
    window.form->ApplicationEventsIdle();
    QVERIFY(window.Act("acExpandAll")->isEnabled());
    QVERIFY(window.Act("acCollapseAll")->isEnabled());
    window.Act("acCollapseAll")->trigger();
    window.form->ApplicationEventsIdle();
    QVERIFY(window.Act("acExpandAll")->isEnabled());
    QVERIFY(!window.Act("acCollapseAll")->isEnabled());
    window.Act("acExpandAll")->trigger();
    window.form->ApplicationEventsIdle();
    QVERIFY(!window.Act("acExpandAll")->isEnabled());
  }

  void aRightClickSelectsTheRowAndOpensThePopup() {
    TempTree tree;
    tree.Write("a.txt", "hit\n");
    tree.Write("b.txt", "hit\n");
    TWindow window;
    window.Search(tree.RootText(), "hit");
    QWidget* viewport = window.View().viewport();
    const QPoint at = window.View().visualRect(window.Model().index(1, 0)).center();
    QTest::mousePress(viewport, Qt::RightButton, {}, at);
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
    QApplication::sendEvent(viewport, &menuEvent);
    QMenu* popup = window.Menu("pumResults");
    QVERIFY(popup->isVisible());
    QVERIFY(window.Act("acCopySelectedLinesToClipboard")->isEnabled());
    QCOMPARE(window.View().SelectedNodes().size(), size_t{1});
    QCOMPARE(window.View().SelectedNodes().front().Top, size_t{1});
    popup->close();
  }

  void copiesTakeTextAndFiles() {
    TempTree tree;
    const auto a = tree.Write("B.txt", "hit one\n");
    const auto b = tree.Write("a b.txt", "hit two\n");
    TWindow window;
    window.Search(tree.RootText(), "hit");
    QClipboard* clipboard = QGuiApplication::clipboard();

    window.Act("acCopyAllFileNamesToClipboard")->trigger();
    QCOMPARE(clipboard->text(), Root(tree) + "a b.txt\n" + Root(tree) + "B.txt\n");

    window.Select(0);
    window.Select(0, 0);
    window.Act("acCopySelectedLinesToClipboard")->trigger();
    QCOMPARE(clipboard->text(), Root(tree) + "a b.txt [1 match]\n*    1 hit two\n");

    window.Act("acCopySelectedFileContentsToClipboard")->trigger();
    const QMimeData* data = clipboard->mimeData();
    const QByteArray uri = "file://" + QByteArray::fromStdString(tree.RootText()) + "a%20b.txt";
    QCOMPARE(data->data("text/uri-list"), uri + "\r\n");
    QCOMPARE(data->data("x-special/gnome-copied-files"), "copy\n" + uri);
    QCOMPARE(data->urls().value(0).toLocalFile(), QString::fromStdString(b.string()));
  }

  void saveWritesThroughTheDialogAndAFailureLeavesTheOldFile() {
    TempTree tree;
    tree.Write("a.txt", "hit\n");
    const std::string target = tree.Write("out/saved.txt", "old contents\n").string();
    TWindow window;
    window.Search(tree.RootText() + "a.txt", "hit");
    window.Search(tree.RootText(), "hit", "a.txt");
    int asked = 0;
    QString chosen = QString::fromStdString(target);
    window.form->ChooseSaveFileName = [&](QWidget*) {
      ++asked;
      return chosen;
    };
    window.Act("acSaveAllLinesToFile")->trigger();
    QCOMPARE(asked, 1);
    QCOMPARE(ReadFile(target), tree.RootText() + "a.txt [1 match]\n*    1 hit\n");

    const std::string before = ReadFile("/proc/version");
    chosen = "/proc/version";
    const QString message = MessageOf(window.Act("acSaveAllFileNamesToFile"));
    QVERIFY2(message.startsWith("Cannot create file \"/proc/version\". "), qPrintable(message));
    QCOMPARE(ReadFile("/proc/version"), before);
    if (::geteuid() != 0) {
      std::filesystem::permissions(tree.Root() / "out", std::filesystem::perms::owner_read |
                                                            std::filesystem::perms::owner_exec);
      chosen = QString::fromStdString(target);
      QVERIFY(!MessageOf(window.Act("acSaveAllFileNamesToFile")).isEmpty());
      std::filesystem::permissions(tree.Root() / "out", std::filesystem::perms::owner_all);
      QCOMPARE(ReadFile(target), tree.RootText() + "a.txt [1 match]\n*    1 hit\n");
    }
    chosen.clear();  // Cancel
    window.Act("acSaveAllLinesToFile")->trigger();
    QCOMPARE(asked, 4 - (::geteuid() == 0 ? 1 : 0));
  }

  void historyMenuAfterThreeSearchesAndRestoringOne() {
    TempTree tree;
    tree.Write("a.txt", "alpha R&D\nbeta\n");
    tree.Write("b.txt", "alpha\n");
    tree.Write("c.txt", "R&D only\n");
    TWindow window;
    QToolButton* history = Named<QToolButton>(window.form.get(), "tbHistory");
    QVERIFY(!history->isEnabled());
    window.Check("ckWholeWord")->setChecked(true);
    window.Search(tree.RootText(), "alpha");
    const QStringList first = window.Rows();
    QVERIFY(!history->isEnabled());
    window.Check("ckWholeWord")->setChecked(false);
    window.Search(tree.RootText(), "R&D");
    window.Search(tree.RootText(), "beta");
    QVERIFY(history->isEnabled());

    QStringList captions;
    for (QAction* item : window.Menu("pumHistoryButton")->actions()) {
      if (item->isVisible()) captions << item->text();
    }
    QCOMPARE(captions, (QStringList{"&0. \"beta\" (1 match)", "&1. \"R&&D\" (2 matches)", "&2. \"alpha\" (2 matches)"}));
    QAction* newest = Named<QAction>(window.form.get(), "puHistory0");
    QVERIFY(newest->isChecked() && !newest->isEnabled());
    QCOMPARE(Named<QAction>(window.form.get(), "puHistory2")->statusTip(), Root(tree) + "*.txt");

    Named<QAction>(window.form.get(), "puHistory2")->trigger();
    QCOMPARE(window.Box("cbStringA")->currentText(), QString("alpha"));
    QVERIFY(window.Check("ckWholeWord")->isChecked());
    QVERIFY(window.settings.DataMod().WholeWordOnly.Value());
    QCOMPARE(window.Rows(), first);
    QVERIFY(Named<QAction>(window.form.get(), "puHistory2")->isChecked());
    QVERIFY(!Named<QAction>(window.form.get(), "puHistory0")->isChecked());
    QVERIFY(Named<QAction>(window.form.get(), "puHistory0")->isEnabled());
    QVERIFY(window.Check("ckSearchResults")->isEnabled());

    window.Check("ckSearchResults")->setChecked(true);
    window.Search(tree.RootText(), "R&D");
    QCOMPARE(window.Rows(), (QStringList{Root(tree) + "a.txt [1 match]", "*    1 alpha R&D", "     2 beta"}));
  }

  void restoringKeepsAHiddenRegExBoxClear() {
    TempTree tree;
    tree.Write("a.txt", "a1\n");
    TWindow window;
    window.settings.DataMod().ShowRegularExpressions.Set(true);
    window.form->ApplyDisplaySettings();
    window.Check("ckRegularExpressions")->setChecked(true);
    window.Search(tree.RootText(), "a[0-9]");
    window.Check("ckRegularExpressions")->setChecked(false);
    window.Search(tree.RootText(), "a1");
    window.settings.DataMod().ShowRegularExpressions.Set(false);
    window.form->ApplyDisplaySettings();
    Named<QAction>(window.form.get(), "puHistory1")->trigger();
    QCOMPARE(window.Box("cbStringA")->currentText(), QString("a[0-9]"));
    QVERIFY(!window.Check("ckRegularExpressions")->isChecked());
  }

  void sortActionsWriteTheirSettingsAndReorder() {
    TempTree tree;
    tree.Write("z/a.txt", "hit\n");
    tree.Write("y/b.txt", "hit\n");
    TWindow window;
    window.Check("ckIncludeSubDirectories")->setChecked(true);
    window.Search(tree.RootText(), "hit");
    QCOMPARE(window.Rows().value(0), Root(tree) + "y/b.txt [1 match]");
    window.Act("acSortOnFileName")->trigger();
    QCOMPARE(int(window.settings.DataMod().SortField.Value()), 1);
    QCOMPARE(window.Rows().value(0), Root(tree) + "z/a.txt [1 match]");
    QVERIFY(window.Act("acSortOnFileName")->isChecked());
    QVERIFY(!window.Act("acSortOnFilePath")->isChecked());
    window.Act("acSortDescending")->trigger();
    QVERIFY(!window.settings.DataMod().SortAscending.Value());
    QCOMPARE(window.Rows().value(0), Root(tree) + "y/b.txt [1 match]");
    QVERIFY(window.Act("acSortDescending")->isChecked());
    QVERIFY(!window.Act("acSortAscending")->isChecked());
  }

  void helpIsOfferedExactlyWhileItsFileExists() {
    TempTree tree;
    const QString help = QString::fromStdString(tree.Write("search.html", "<html></html>").string());
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler("file", &recorder, "open");
    TSettingsSandbox settings;
    {
      TMainForm form(settings.DataMod());
      form.SetHelpFile(help);
      form.show();
      QVERIFY(form.Action("acHelp")->isEnabled());
      QTest::keyClick(&form, Qt::Key_F1);
      form.Action("acHelp")->trigger();
      QVERIFY(!recorder.opened.isEmpty());
      QCOMPARE(recorder.opened.value(0).toLocalFile(), help);
    }
    TMainForm missing(settings.DataMod());
    missing.SetHelpFile(help + ".gone");
    missing.show();
    QVERIFY(!missing.Action("acHelp")->isEnabled());
    QDesktopServices::unsetUrlHandler("file");
  }
};

SEARCH_QTEST_MAIN(MainFormActionsTest)
#include "MainFormActionsTest.moc"
