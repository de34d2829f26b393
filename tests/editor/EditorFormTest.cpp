// The editor window offscreen: opening files from the results, the caption, byte-exact saves,
// failing saves, closing files and the window with their questions, and files changed or
// deleted by other programs.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <sys/stat.h>

#include <deque>
#include <filesystem>
#include <fstream>

#include "search/editor/ConfigurationEditorForm.h"
#include "search/editor/EditControl.h"
#include "search/editor/EditorForm.h"
#include "search/editor/text/TextFile.h"
#include "support/TempTree.h"
#include "ui/support/UiTestSupport.h"

namespace {

QString Q(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

std::string Read(const std::filesystem::path& path) { return editor::ReadFileBytes(path.string()); }

// A window whose questions are answered from a script and recorded.
struct TScriptedEditor {
  TSettingsSandbox settings;
  TEditorForm form{settings.DataMod()};
  QStringList asked;
  std::deque<int> answers;
  QStringList errors;
  QStringList saveDialogs;
  QString saveAnswer;

  TScriptedEditor() {
    form.AskUser = [this](const QString& text, TMessageKind, const TMessageButtons&) {
      asked << text;
      if (answers.empty()) return int(mrCancel);
      const int answer = answers.front();
      answers.pop_front();
      return answer;
    };
    form.ShowError = [this](const QString& message) { errors << message; };
    form.ChooseSaveName = [this](const QString& initial) {
      saveDialogs << initial;
      return saveAnswer;
    };
  }

  void Open(const std::filesystem::path& path, int line = 0, std::vector<int32_t> matched = {}) {
    form.OpenMatchedFile(Q(path), line, "needle", "", 0, 0, matched, false, false);
  }
  TEditControl& Editor() { return *form.CurrentEditor(); }
  void Type(const QString& text) { QTest::keyClicks(Editor().TextWidget(), text); }
  void Idle() {
    form.IdleUpdate();
    QApplication::processEvents();
  }
};

std::string ManyLines(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += "line " + std::to_string(i) + "\n";
  return text;
}

}  // namespace

class EditorFormTest final : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setApplicationDisplayName("Search"); }

  void OpensTheHandedFilesInResultOrder() {
    TempTree tree;
    const auto a = tree.Write("a.txt", ManyLines(50));
    const auto b = tree.Write("sub/b.txt", "b\n");
    TScriptedEditor editor;
    editor.Open(a, 30, {30, 12, 40});
    editor.Open(b, 1, {1});
    editor.form.show();
    auto* pages = Named<QTabWidget>(&editor.form, "PageControl");
    QCOMPARE(pages->count(), 2);
    QCOMPARE(pages->tabText(0), QString("a.txt"));
    QCOMPARE(pages->tabText(1), QString("b.txt"));
    const TFileInfo& first = *editor.form.Files()[0];
    QCOMPARE(first.MatchedLines, (std::vector<int32_t>{12, 30, 40}));
    QCOMPARE(first.StringA, std::string("needle"));
    QCOMPARE(first.Editor->CaretLine(), 29);

    // Handed over again: the same page, the search data of the last call, the lines kept
    // when none come with it.
    editor.form.OpenMatchedFile(Q(a), 5, "other", "two", 1, 0, {}, true, true);
    QCOMPARE(pages->count(), 2);
    QCOMPARE(editor.form.CurrentFile(), &first);
    QCOMPARE(first.StringA, std::string("other"));
    QVERIFY(first.CaseSensitive);
    QCOMPARE(first.MatchedLines, (std::vector<int32_t>{12, 30, 40}));
    QCOMPARE(first.Editor->CaretLine(), 4);
  }

  void AMissingFileIsReportedAndGetsNoPage() {
    TempTree tree;
    TScriptedEditor editor;
    const auto missing = tree.Root() / "gone.txt";
    editor.answers = {mrOk};
    editor.Open(missing);
    QCOMPARE(editor.asked, QStringList{"File not found - \"" + Q(missing) + "\""});
    QVERIFY(editor.form.Files().empty());
    QCOMPARE(editor.form.CurrentFile(), nullptr);
  }

  void LinesOutsideTheTextShowItsEnds() {
    TempTree tree;
    const auto file = tree.Write("ten.txt", ManyLines(10));
    TScriptedEditor editor;
    editor.Open(file, 0);
    QCOMPARE(editor.Editor().CaretLine(), 0);
    editor.form.GoToLineCentred(1, 500);
    QCOMPARE(editor.Editor().CaretLine(), 10);  // the empty line after the last line end
  }

  void CaptionShowsTheModifiedMark() {
    TempTree tree;
    const auto file = tree.Write("notes.txt", "text\n");
    TScriptedEditor editor;
    const QString product = QString::fromStdString(editor.settings.DataMod().ApplicationTitle());
    QCOMPARE(editor.form.windowTitle(), product + " Editor");
    editor.Open(file);
    editor.form.show();
    QCOMPARE(editor.form.windowTitle(), product + " Editor [notes.txt]");
    editor.Type("x");
    QCOMPARE(editor.form.windowTitle(), product + " Editor [notes.txt *]");
    QVERIFY(editor.form.SaveFile(*editor.form.CurrentFile()));
    QCOMPARE(editor.form.windowTitle(), product + " Editor [notes.txt]");
    QCOMPARE(Read(file), std::string("xtext\n"));
  }

  // Opened and saved unchanged, every file comes back byte for byte.
  void SavingAnUnchangedFileKeepsItsBytes_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("tabs") << QByteArray("all:\n\tcc -o x x.c\n");
    QTest::newRow("tab separated") << QByteArray("a\tb\tc\r\n1\t2\t3\r\n");
    QTest::newRow("CR") << QByteArray("one\rtwo\r");
    QTest::newRow("mixed") << QByteArray("one\r\ntwo\nthree\rfour");
    QTest::newRow("invalid UTF-8") << QByteArray("caf\xE9\n\xFF\xFE\n");
    QTest::newRow("NUL bytes") << QByteArray("\0\0a\0\n", 5);
    QTest::newRow("empty") << QByteArray();
  }
  void SavingAnUnchangedFileKeepsItsBytes() {
    QFETCH(QByteArray, bytes);
    TempTree tree;
    const auto file = tree.Write("f.dat", bytes.toStdString());
    TScriptedEditor editor;
    editor.Open(file);
    QVERIFY(!editor.Editor().Modified());
    QVERIFY(editor.form.SaveFile(*editor.form.CurrentFile()));
    QCOMPARE(QByteArray::fromStdString(Read(file)), bytes);
  }

  void AFailedSaveKeepsThePageModifiedAndTheFileIntact() {
    TempTree tree;
    const auto folder = tree.MakeFolder("work");
    const auto file = tree.Write("work/f.txt", "original\n");
    TScriptedEditor editor;
    editor.Open(file);
    editor.form.show();
    editor.Type("changed ");
    // Another program puts a folder where the file was.
    std::filesystem::remove(file);
    std::filesystem::create_directory(file);
    QVERIFY(!editor.form.SaveFile(*editor.form.CurrentFile()));
    QCOMPARE(editor.errors.size(), 1);
    QVERIFY(editor.errors[0].contains("f.txt"));
    QVERIFY(editor.Editor().Modified());
    QCOMPARE(editor.form.CurrentFile()->FileName, Q(file));
    QVERIFY(std::filesystem::is_directory(file));
    Q_UNUSED(folder);
  }

  void ReadOnlyFilesCannotBeSavedButSavedAs() {
    TempTree tree;
    const auto file = tree.Write("ro.txt", "locked\n");
    ::chmod(file.c_str(), 0444);
    TScriptedEditor editor;
    editor.Open(file);
    editor.form.show();
    editor.Idle();
    QVERIFY(editor.Editor().ReadOnly());
    QCOMPARE(editor.form.StatusText(2), QString("Read Only"));
    QVERIFY(!editor.form.Action("acSave")->isEnabled());
    QVERIFY(editor.form.Action("acSaveAs")->isEnabled());
    QVERIFY(!editor.form.Action("acPaste")->isEnabled());
  }

  void SaveAllNeedsTwoFiles() {
    TempTree tree;
    TScriptedEditor editor;
    editor.Open(tree.Write("a.txt", "a\n"));
    editor.form.show();
    editor.Type("x");
    editor.Idle();
    QVERIFY(editor.form.Action("acSave")->isEnabled());
    QVERIFY(!editor.form.Action("acSaveAll")->isEnabled());
    editor.Open(tree.Write("b.txt", "b\n"));
    editor.Idle();
    QVERIFY(editor.form.Action("acSaveAll")->isEnabled());
    editor.form.Action("acSaveAll")->trigger();
    QCOMPARE(Read(tree.Root() / "a.txt"), std::string("xa\n"));
  }

  void ClosingPicksTheNeighbourAndTheLastClosesTheWindow() {
    TempTree tree;
    TScriptedEditor editor;
    for (const char* name : {"1.txt", "2.txt", "3.txt"}) editor.Open(tree.Write(name, name));
    editor.form.show();
    editor.form.SetCurrentFile(editor.form.Files()[0].get());
    editor.form.CloseCurrentFile();
    QCOMPARE(editor.form.CurrentFile()->FileName, Q(tree.Root() / "2.txt"));
    editor.form.SetCurrentFile(editor.form.Files()[1].get());
    editor.form.CloseCurrentFile();
    QCOMPARE(editor.form.CurrentFile()->FileName, Q(tree.Root() / "2.txt"));
    QVERIFY(editor.asked.isEmpty());
    editor.Type("x");
    editor.answers = {mrNo};
    editor.form.CloseCurrentFile();
    QCOMPARE(editor.asked, QStringList{"2.txt has changed.\nSave before closing?"});
    QVERIFY(editor.form.Files().empty());
    QTRY_VERIFY(!editor.form.isVisible());
    QCOMPARE(Read(tree.Root() / "2.txt"), std::string("2.txt"));
  }

  void ExitAsksFileByFileAndCancelStops() {
    TempTree tree;
    TScriptedEditor editor;
    for (const char* name : {"1.txt", "2.txt", "3.txt"}) {
      editor.Open(tree.Write(name, "x"));
      editor.Type("y");
    }
    editor.form.show();
    editor.answers = {mrYes, mrCancel};
    editor.form.close();
    QCOMPARE(editor.asked.size(), 2);
    QCOMPARE(editor.asked[0], QString("1.txt has changed.\nSave before exiting?"));
    QCOMPARE(editor.asked[1], QString("2.txt has changed.\nSave before exiting?"));
    QVERIFY(editor.form.isVisible());
    QCOMPARE(Read(tree.Root() / "1.txt"), std::string("yx"));
    QCOMPARE(Read(tree.Root() / "2.txt"), std::string("x"));

    editor.asked.clear();
    editor.answers = {mrNo, mrNo};
    editor.form.close();
    QCOMPARE(editor.asked.size(), 2);  // 1.txt was saved: not asked again
    QVERIFY(!editor.form.isVisible());
  }

  void AnUntitledFileAsksForANameAndACancelledDialogStillCloses() {
    TScriptedEditor editor;
    editor.form.OpenFile(QString());
    editor.form.show();
    QCOMPARE(Named<QTabWidget>(&editor.form, "PageControl")->tabText(0), QString("<untitled>"));
    editor.Type("new text");
    editor.answers = {mrYes};
    editor.saveAnswer = QString();
    editor.form.CloseCurrentFile();
    QCOMPARE(editor.saveDialogs.size(), 1);
    QVERIFY(editor.form.Files().empty());
  }

  void SaveAsWritesTheNewNameAndRenamesThePage() {
    TempTree tree;
    TScriptedEditor editor;
    editor.form.OpenFile(QString());
    editor.form.show();
    editor.Type("fresh");
    editor.saveAnswer = Q(tree.Root() / "fresh.txt");
    editor.form.Action("acSave")->setEnabled(true);
    editor.form.Action("acSave")->trigger();
    QCOMPARE(Read(tree.Root() / "fresh.txt"), std::string("fresh"));
    QCOMPARE(Named<QTabWidget>(&editor.form, "PageControl")->tabText(0), QString("fresh.txt"));
    QVERIFY(!editor.Editor().Modified());
  }

  void AFileChangedOutsideAsksOnce_data() {
    QTest::addColumn<bool>("localChanges");
    QTest::newRow("no local changes") << false;
    QTest::newRow("local changes") << true;
  }
  void AFileChangedOutsideAsksOnce() {
    QFETCH(bool, localChanges);
    TempTree tree;
    const auto file = tree.Write("w.txt", "first\n");
    TScriptedEditor editor;
    editor.Open(file);
    editor.form.show();
    if (localChanges) editor.Type("mine ");
    editor.Idle();
    QVERIFY(editor.asked.isEmpty());

    tree.Write("w.txt", "second version\n");
    editor.answers = {mrNo};
    editor.Idle();
    QTRY_COMPARE(editor.asked.size(), 1);
    const QString shortText = "w.txt has been changed outside the editor.\nDo you want to reload it?";
    if (localChanges) {
      QVERIFY(editor.asked[0].startsWith(shortText + "\n\nWarning: you will lose your changes"));
    } else {
      QCOMPARE(editor.asked[0], shortText);
    }
    QCOMPARE(editor.Editor().Bytes(), std::string(localChanges ? "mine first\n" : "first\n"));
    editor.Idle();
    QCOMPARE(editor.asked.size(), 1);  // not again until the next change

    tree.Write("w.txt", "third version!\n");
    editor.answers = {mrYes};
    editor.Idle();
    QTRY_COMPARE(editor.asked.size(), 2);
    QCOMPARE(editor.Editor().Bytes(), std::string("third version!\n"));
    QVERIFY(!editor.Editor().Modified());
  }

  void OwnSavesAndDeletedFilesBringNoQuestion() {
    TempTree tree;
    const auto file = tree.Write("own.txt", "a\n");
    TScriptedEditor editor;
    editor.Open(file);
    editor.form.show();
    editor.Type("b");
    QVERIFY(editor.form.SaveFile(*editor.form.CurrentFile()));
    editor.Idle();
    std::filesystem::remove(file);
    editor.Idle();
    QTest::qWait(50);
    QVERIFY(editor.asked.isEmpty());
    QVERIFY(editor.form.SaveFile(*editor.form.CurrentFile()));
    QCOMPARE(Read(file), std::string("ba\n"));
  }

  void StatusBarShowsTheCaretAndTheMode() {
    TempTree tree;
    TScriptedEditor editor;
    editor.Open(tree.Write("s.txt", "abc\ndef\n"), 2);
    editor.form.show();
    editor.Editor().SetCaret(2, 1);
    QCOMPARE(editor.form.StatusText(1), QString("2 : 3"));
    editor.Idle();
    QCOMPARE(editor.form.StatusText(2), QString("Insert"));
    editor.form.SetStatusText(0, "");
    QCOMPARE(editor.form.StatusText(0), QString(" "));
  }

  void PreferencesOpenCentredAndOkReachesEveryOpenPage() {
    TempTree tree;
    TScriptedEditor editor;
    editor.Open(tree.Write("a.txt", "alpha\n"));
    editor.Open(tree.Write("b.txt", "beta\n"));
    editor.form.resize(700, 500);
    editor.form.move(60, 40);
    editor.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor.form));
    editor.Idle();
    QAction* preferences = editor.form.Action("acPreferences");
    QVERIFY(preferences->isEnabled());
    QPoint centre;
    WhilePreferencesOpen([&centre](TConfigurationEditorForm& dialog) {
      centre = dialog.geometry().center();
      Named<QCheckBox>(&dialog, "ckAutoIndent")->setChecked(false);
      Named<QCheckBox>(&dialog, "ckRightMarginVisible")->setChecked(true);
      Named<QLineEdit>(&dialog, "edRightMarginAt")->setText("60");
      Named<QLineEdit>(&dialog, "edTabStops")->setText("5 9");
      dialog.ChooseColour = [](QWidget*, QColor& colour, std::vector<QColor>&) {
        colour = QColor(0x20, 0x30, 0x40);
        return true;
      };
      Named<TColourButton>(&dialog, "cbBackColour")->click();
      dialog.ChooseFont = [](QWidget*, QFont& font) {
        font = QFont("DejaVu Sans Mono", 14);
        return true;
      };
      Named<QToolButton>(&dialog, "btFont")->click();
      Named<QPushButton>(&dialog, "btOk")->click();
    });
    preferences->trigger();
    // Centred, give or take the window frame's few pixels.
    QVERIFY((centre - editor.form.geometry().center()).manhattanLength() <= 8);
    for (const auto& file : editor.form.Files()) {
      const TEditControl& page = *file->Editor;
      QVERIFY(!page.AutoIndent());
      QVERIFY(page.RightMarginVisible());
      QCOMPARE(page.RightMargin(), 60);
      QCOMPARE(page.TabWidth(), 4);
      QCOMPARE(page.BackColour(), QColor(0x20, 0x30, 0x40));
      QCOMPARE(page.TextFont().pointSize(), 14);
    }
  }

  void CancelledPreferencesLeaveTheOpenPagesAlone() {
    TempTree tree;
    TScriptedEditor editor;
    editor.Open(tree.Write("a.txt", "alpha\n"));
    editor.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor.form));
    const QColor before = editor.Editor().BackColour();
    WhilePreferencesOpen([](TConfigurationEditorForm& dialog) {
      dialog.ChooseColour = [](QWidget*, QColor& colour, std::vector<QColor>&) {
        colour = Qt::red;
        return true;
      };
      Named<TColourButton>(&dialog, "cbBackColour")->click();
      Named<QPushButton>(&dialog, "btCancel")->click();
    });
    editor.form.Action("acPreferences")->trigger();
    QCOMPARE(editor.Editor().BackColour(), before);
    QCOMPARE(editor.settings.Reload()->EditorBackColour.Value(), SystemColour(5));
  }

 private:
  // Runs the action on the preferences dialog once it is shown modally.
  static void WhilePreferencesOpen(std::function<void(TConfigurationEditorForm&)> action) {
    QTimer::singleShot(0, [action = std::move(action)] {
      auto* dialog = qobject_cast<TConfigurationEditorForm*>(QApplication::activeModalWidget());
      if (dialog == nullptr) qFatal("the editor preferences are not open");
      action(*dialog);
    });
  }
};

SEARCH_QTEST_MAIN(EditorFormTest)
#include "EditorFormTest.moc"
