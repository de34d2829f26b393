// The editor window's find, replace, go to line, bookmarks and match painting, offscreen.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "search/editor/EditControl.h"
#include "search/editor/EditorForm.h"
#include "search/editor/FindReplaceDialog.h"
#include "search/editor/GoToLineForm.h"
#include "search/editor/text/TextFile.h"
#include "support/TempTree.h"
#include "ui/support/UiTestSupport.h"

namespace {

struct TFindFixture {
  TempTree tree;
  TSettingsSandbox settings;
  TEditorForm form{settings.DataMod()};
  QStringList informed;

  explicit TFindFixture(const std::string& text, const std::string& search = "cat", bool caseSensitive = false,
                        bool wholeWord = false) {
    form.Inform = [this](const QString& message, const QString& title) { informed << title + ": " + message; };
    form.AskUser = [](const QString&, TMessageKind, const TMessageButtons&) { return int(mrNo); };
    const auto path = tree.Write("f.txt", text);
    form.OpenMatchedFile(QString::fromStdString(path.string()), 1, search, "", 0, 0, {1}, caseSensitive, wholeWord);
    form.show();
  }
  TEditControl& Editor() { return *form.CurrentEditor(); }
  std::string Selected() { return Editor().SelectedText(); }
  int64_t SelectionStart() { return Editor().SelectionStartPosition(); }
};

}  // namespace

class EditorFindTest final : public QObject {
  Q_OBJECT

 private slots:
  void FindAgainStartsWithTheSearchString() {
    TFindFixture fixture("a Cat\nthe cat\n");
    fixture.form.FindAgainClick();
    QCOMPARE(fixture.SelectionStart(), int64_t{2});
    fixture.form.FindAgainClick();
    QCOMPARE(fixture.SelectionStart(), int64_t{10});
    fixture.form.FindAgainClick();
    QCOMPARE(fixture.form.StatusText(0), QString(" String \"cat\" not found"));
    QCOMPARE(fixture.informed, QStringList{"Find: Search string 'cat' not found"});
    QCOMPARE(fixture.Selected(), std::string("cat"));  // the last one stays selected
  }

  void FindTakesTheSelectionAndTheDialogsOptions() {
    TFindFixture fixture("dog Dog dog\n");
    fixture.Editor().SelectPositions(0, 3);
    fixture.form.FindClick();
    TFindReplaceDialog* dialog = fixture.form.FindDialog();
    QVERIFY(dialog != nullptr && dialog->isVisible());
    QCOMPARE(Named<QLineEdit>(dialog, "edFindText")->text(), QString("dog"));
    Named<QCheckBox>(dialog, "ckMatchCase")->setChecked(true);
    Named<QPushButton>(dialog, "btFindNext")->click();
    QCOMPARE(fixture.SelectionStart(), int64_t{8});
  }

  void EscapeClosesTheDialogsAndLeavesTheStatusOnly() {
    TFindFixture fixture("nothing here\n");
    fixture.form.FindClick();
    QVERIFY(fixture.form.FindDialog()->isVisible());
    QTest::keyClick(fixture.Editor().TextWidget(), Qt::Key_Escape);
    QVERIFY(!fixture.form.FindDialog()->isVisible());
    QVERIFY(fixture.form.isVisible());
    fixture.form.FindAgainClick();
    QVERIFY(fixture.informed.isEmpty());
    QCOMPARE(fixture.form.StatusText(0), QString(" String \"cat\" not found"));
  }

  void ReplaceAllCountsAndUndoesInOneStep_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("replace");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QString>("status");
    QTest::newRow("three") << QByteArray("cat Cat\ncat\n") << "cat" << "dog" << QByteArray("dog dog\ndog\n")
                           << " 3 occurrences replaced";
    QTest::newRow("one") << QByteArray("a cat\n") << "cat" << "dog" << QByteArray("a dog\n") << " 1 occurrence replaced";
    QTest::newRow("the replacement holds the text") << QByteArray("cat cat") << "cat" << "cats" << QByteArray("cats cats")
                                                     << " 2 occurrences replaced";
    QTest::newRow("other bytes kept") << QByteArray("\xFF" "cat\0\r\x80" "cat\r\n", 12) << "cat" << "x"
                                      << QByteArray("\xFFx\0\r\x80x\r\n", 8) << " 2 occurrences replaced";
  }
  void ReplaceAllCountsAndUndoesInOneStep() {
    QFETCH(QByteArray, text);
    QFETCH(QString, find);
    QFETCH(QString, replace);
    QFETCH(QByteArray, expected);
    QFETCH(QString, status);
    TFindFixture fixture(text.toStdString());
    fixture.Editor().SetCaret(0, 0);
    fixture.form.ReplaceClick();
    TFindReplaceDialog* dialog = fixture.form.ReplaceDialog();
    Named<QLineEdit>(dialog, "edFindText")->setText(find);
    Named<QLineEdit>(dialog, "edReplaceText")->setText(replace);
    Named<QPushButton>(dialog, "btReplaceAll")->click();
    QCOMPARE(QByteArray::fromStdString(fixture.Editor().Bytes()), expected);
    QCOMPARE(fixture.form.StatusText(0), status);
    QVERIFY(fixture.form.windowTitle().endsWith(" *]"));
    QCOMPARE(fixture.informed.size(), 1);
    fixture.Editor().Undo();
    QCOMPARE(QByteArray::fromStdString(fixture.Editor().Bytes()), text);
  }

  void ReplaceOneReplacesTheSelectionAndFindsTheNext() {
    TFindFixture fixture("cat cat cat");
    fixture.form.ReplaceClick();
    TFindReplaceDialog* dialog = fixture.form.ReplaceDialog();
    Named<QLineEdit>(dialog, "edReplaceText")->setText("dog");
    Named<QPushButton>(dialog, "btReplace")->click();  // nothing selected: finds first
    QCOMPARE(fixture.Editor().Bytes(), std::string("dog cat cat"));
    QCOMPARE(fixture.SelectionStart(), int64_t{4});
  }

  void GoToLineDialogAndItsBounds() {
    TFindFixture fixture("1\n2\n3\n4\n5\n6\n7\n8\n9\n10");
    TGoToLineForm dialog;
    auto* box = Named<QLineEdit>(&dialog, "edLineNumber");
    auto* ok = Named<QPushButton>(&dialog, "btOk");
    QVERIFY(!ok->isEnabled());
    dialog.SetLineNumber(4);
    QVERIFY(ok->isEnabled());
    box->clear();
    QVERIFY(!ok->isEnabled());
    QTest::keyClicks(box, "1a2");
    QCOMPARE(box->text(), QString("12"));
    box->setText("99999999999");
    QCOMPARE(dialog.LineNumber(), -1);
    QVERIFY(!ok->isEnabled());

    int shownWith = 0;
    fixture.form.RunGoToLine = [&shownWith](TGoToLineForm& shown) {
      shownWith = shown.LineNumber();
      shown.SetLineNumber(25);
      return int(QDialog::Accepted);
    };
    fixture.Editor().SetCaret(0, 2);
    fixture.form.GotoLineClick();
    QCOMPARE(shownWith, 3);
    QCOMPARE(fixture.Editor().CaretLine(), 9);  // past the end: the last line
  }

  void BookmarksToggleMoveAndGo() {
    TFindFixture fixture("zero\none\ntwo\nthree\n");
    TEditControl& editor = fixture.Editor();
    editor.SetCaret(1, 3);
    fixture.form.ToggleBookmark(3);
    QVERIFY(editor.Bookmark(3).Set);
    fixture.form.ToggleBookmark(3);
    QVERIFY(!editor.Bookmark(3).Set);
    fixture.form.ToggleBookmark(3);
    editor.SetCaret(0, 1);
    fixture.form.ToggleBookmark(3);  // elsewhere: moves there, stays set
    QVERIFY(editor.Bookmark(3).Set);
    QCOMPARE(editor.Bookmark(3).Line, 1);
    editor.SetCaret(0, 0);
    QTest::keyClicks(editor.TextWidget(), "new ");
    QTest::keyClick(editor.TextWidget(), Qt::Key_Return);
    fixture.form.IdleUpdate();
    QVERIFY(fixture.form.Action("acGotoBookmark3")->isEnabled());
    QVERIFY(!fixture.form.Action("acGotoBookmark4")->isEnabled());
    fixture.form.GotoBookmark(3);
    QCOMPARE(editor.CaretLine(), 2);
  }

  void MatchedLinesMoveWithEditsAndStepping() {
    TFindFixture fixture("a\ncat\nb\ncat\nc\n");
    TSettingsSandbox settings;
    TEditorForm form(settings.DataMod());
    form.AskUser = [](const QString&, TMessageKind, const TMessageButtons&) { return int(mrNo); };
    const auto path = fixture.tree.Write("m.txt", "a\ncat\nb\ncat\nc\n");
    form.OpenMatchedFile(QString::fromStdString(path.string()), 0, "cat", "", 0, 0, {4, 2}, false, false);
    form.show();
    TEditControl& editor = *form.CurrentEditor();
    form.IdleUpdate();
    QVERIFY(!form.Action("acPreviousLine")->isEnabled());
    QCOMPARE(form.Action("acNextLine")->statusTip(), QString("Go to next matched line (line 2)"));
    form.Action("acNextLine")->trigger();
    QCOMPARE(editor.CaretLine(), 1);
    editor.SetCaret(0, 0);
    QTest::keyClick(editor.TextWidget(), Qt::Key_Return);
    QCOMPARE(form.CurrentFile()->MatchedLines, (std::vector<int32_t>{3, 5}));
    editor.SetCaret(0, 4);
    form.IdleUpdate();
    QVERIFY(!form.Action("acNextLine")->isEnabled());
    QCOMPARE(form.Action("acNextLine")->statusTip(), QString("Go to next matched line"));
    QCOMPARE(form.Action("acPreviousLine")->statusTip(), QString("Go to previous matched line (line 3)"));
  }

  void ShowToggleIsKept() {
    TFindFixture fixture("cat\n");
    fixture.form.IdleUpdate();
    QAction* lines = fixture.form.Action("acShowMatchedLines");
    QVERIFY(lines->isChecked());
    lines->trigger();
    QVERIFY(!fixture.settings.Reload()->EditorShowMatchedLines.Value());
    lines->trigger();
    QVERIFY(fixture.settings.Reload()->EditorShowMatchedLines.Value());
  }
};

SEARCH_QTEST_MAIN(EditorFindTest)
#include "EditorFindTest.moc"
