// The editing control offscreen: positions and their clamps, character offsets, bookmarks that
// follow the text, nested update suspension, the can-rules, the bytes kept as they are, and
// the line attributes reaching the screen.

#include <QAbstractScrollArea>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QtTest>

#include "search/editor/EditControl.h"
#include "ui/support/UiTestSupport.h"

namespace {

// Types the text; "\n" presses Return.
void Type(TEditControl& control, const QString& text) {
  const QStringList lines = text.split('\n');
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (i > 0) QTest::keyClick(control.TextWidget(), Qt::Key_Return);
    QTest::keyClicks(control.TextWidget(), lines[i]);
  }
}

}  // namespace

class EditControlTest final : public QObject {
  Q_OBJECT

 private slots:
  void CaretClampsToTheTextAndColumn1024() {
    TEditControl control;
    control.SetBytes("first\nsecond\n" + std::string(2000, 'x'));
    control.SetCaret(3, -1);
    QCOMPARE(control.CaretLine(), 0);
    QCOMPARE(control.CaretColumn(), 3);
    control.SetCaret(0, 99);
    QCOMPARE(control.CaretLine(), 2);
    control.SetCaret(1500, 2);
    QCOMPARE(control.CaretColumn(), TEditControl::kMaxColumn);
    control.SetCaret(-5, 1);
    QCOMPARE(control.CaretColumn(), 0);
    control.SetCaret(50, 1);
    QCOMPARE(control.CaretColumn(), 6);  // not past the line's end
  }

  void OffsetsCountTwoForEveryLineBreak_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("LF") << QByteArray("ab\ncde\nf");
    QTest::newRow("CR LF") << QByteArray("ab\r\ncde\r\nf");
    QTest::newRow("CR") << QByteArray("ab\rcde\rf");
  }
  void OffsetsCountTwoForEveryLineBreak() {
    QFETCH(QByteArray, text);
    TEditControl control;
    control.SetBytes(text.toStdString());
    QCOMPARE(control.CaretToOffset(0, 1), int64_t{4});
    QCOMPARE(control.CaretToOffset(1, 2), int64_t{10});
    int column = -1;
    int line = -1;
    control.OffsetToCaret(6, column, line);
    QCOMPARE(line, 1);
    QCOMPARE(column, 2);
    control.SetSelection(4, 3);
    QCOMPARE(control.SelStart(), int64_t{4});
    QCOMPARE(control.SelLength(), int64_t{3});
    QCOMPARE(QByteArray::fromStdString(control.SelectedText()), QByteArray("cde"));
    control.SetSelection(1, 5);  // across the line break, which counts two
    QCOMPARE(control.SelLength(), int64_t{5});
    QCOMPARE(control.CaretToOffset(2, 0), int64_t{2});
  }

  void BookmarksFollowTheText() {
    TEditControl control;
    control.SetBytes("one\ntwo\nthree\nfour\n");
    control.SetBookmark(3, TBookmark{2, 2, true});
    control.SetCaret(0, 0);
    Type(control, "zero\n");
    QCOMPARE(control.Bookmark(3).Line, 3);
    QCOMPARE(control.Bookmark(3).Column, 2);
    QVERIFY(control.Bookmark(3).Set);
    QVERIFY(!control.Bookmark(4).Set);
    control.SetBookmark(3, TBookmark{0, 0, false});
    QVERIFY(!control.Bookmark(3).Set);
  }

  void UpdateSuspensionNests() {
    TEditControl control;
    control.resize(300, 200);
    control.show();
    control.SetBytes("text\n");
    control.BeginUpdate();
    control.BeginUpdate();
    control.EndUpdate();
    // Still suspended after the inner resume: the text area paints nothing.
    const auto* area = static_cast<QAbstractScrollArea*>(control.TextWidget());
    QVERIFY(!area->viewport()->updatesEnabled());
    control.EndUpdate();
    QVERIFY(area->viewport()->updatesEnabled());
  }

  void CanRules() {
    TEditControl control;
    QApplication::clipboard()->setText("pasted");
    control.SetBytes("abc\ndef");
    QVERIFY(!control.CanCopy());
    QVERIFY(!control.CanCut());
    QVERIFY(control.CanPaste());
    QVERIFY(control.CanSelectAll());
    control.SelectPositions(1, 2);
    QVERIFY(control.CanCopy());
    QVERIFY(control.CanCut());
    control.SetReadOnly(true);
    QVERIFY(control.CanCopy());
    QVERIFY(!control.CanCut());
    control.SetReadOnly(false);
    control.SelectAll();
    QVERIFY(!control.CanSelectAll());
    QApplication::clipboard()->clear();
    QVERIFY(!control.CanPaste());
    TEditControl empty;
    empty.SetBytes("");
    QVERIFY2(!empty.CanSelectAll(), "an empty text is wholly selected already");
  }

  void UndoWithoutRedo() {
    TEditControl control;
    control.show();
    control.SetBytes("abc");
    QVERIFY2(!control.CanUndo(), "loading clears the history");
    control.SetCaret(3, 0);
    Type(control, "d");
    QVERIFY(control.CanUndo());
    control.Undo();
    QCOMPARE(control.Bytes(), std::string("abc"));
    QTest::keyClick(control.TextWidget(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(control.Bytes(), std::string("abc"));  // Ctrl+Y does not redo
  }

  void ModifiedAndChangeCallbacks() {
    TEditControl control;
    control.show();
    int changes = 0;
    control.OnChange = [&](TEditControl&) { ++changes; };
    control.SetBytes("abc");
    QCOMPARE(changes, 1);
    QVERIFY2(control.Modified(), "loading counts as a change");
    control.SetModified(false);
    Type(control, "x");
    QVERIFY(control.Modified());
    QCOMPARE(changes, 2);
  }

  // Whatever the bytes, the control gives them back unchanged, and one typed character
  // changes exactly its place.
  void BytesRoundTrip_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("tabs") << QByteArray("all:\n\tcc -o x x.c\n\tstrip x\n");
    QTest::newRow("LF") << QByteArray("one\ntwo\n");
    QTest::newRow("CR LF") << QByteArray("one\r\ntwo\r\n");
    QTest::newRow("CR") << QByteArray("one\rtwo\r");
    QTest::newRow("mixed") << QByteArray("one\r\ntwo\nthree\rfour\n");
    QTest::newRow("no final line end") << QByteArray("one\ntwo");
    QTest::newRow("invalid UTF-8") << QByteArray("caf\xE9 \xFF\xFE\n\x80\n");
    QTest::newRow("NUL bytes") << QByteArray("a\0b\0\0c\n", 7);
    QTest::newRow("empty") << QByteArray();
  }
  void BytesRoundTrip() {
    QFETCH(QByteArray, bytes);
    TEditControl control;
    control.show();
    control.SetBytes(bytes.toStdString());
    QCOMPARE(QByteArray::fromStdString(control.Bytes()), bytes);
    // Between a CR and its LF no character can stand: one byte further then.
    auto middle = static_cast<int>(bytes.size() / 2);
    if (middle > 0 && bytes[middle - 1] == '\r' && bytes[middle] == '\n') ++middle;
    control.SelectPositions(middle, middle);
    Type(control, "Z");
    QByteArray expected = bytes;
    expected.insert(middle, 'Z');
    QCOMPARE(QByteArray::fromStdString(control.Bytes()), expected);
  }

  void NewLineTakesTheMostCommonLineEnd_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("CR LF file") << QByteArray("a\r\nb\r\nc\n") << QByteArray("a\r\n\r\nb\r\nc\n");
    QTest::newRow("LF file") << QByteArray("a\nb\n") << QByteArray("a\n\nb\n");
    QTest::newRow("CR file") << QByteArray("a\rb\r") << QByteArray("a\r\rb\r");
    QTest::newRow("new file") << QByteArray("a") << QByteArray("a\n");
  }
  void NewLineTakesTheMostCommonLineEnd() {
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, expected);
    TEditControl control;
    control.show();
    control.SetBytes(bytes.toStdString());
    control.SetCaret(1, 0);
    QTest::keyClick(control.TextWidget(), Qt::Key_Return);
    QCOMPARE(QByteArray::fromStdString(control.Bytes()), expected);
  }

  void ReplaceRangesKeepsEveryOtherByteAndUndoesInOneStep() {
    TEditControl control;
    control.show();
    const std::string bytes("x\xFF\0cat\rcat\r\nz\x80" "cat", 17);
    control.SetBytes(bytes);
    control.ReplaceRanges({{3, 3}, {7, 3}, {14, 3}}, "dog");
    QCOMPARE(QByteArray::fromStdString(control.Bytes()), QByteArray("x\xFF\0dog\rdog\r\nz\x80" "dog", 17));
    control.Undo();
    QCOMPARE(QByteArray::fromStdString(control.Bytes()), QByteArray::fromStdString(bytes));
  }

  void AVeryLongLineIsShownInPiecesAndKeptWhole() {
    TEditControl control;
    std::string bytes = "short\n" + std::string(TEditControl::kLongLine + 5000, 'x') + "\r\nend";
    bytes[3000] = '\xC3';  // a two-byte character where a piece would end: not cut
    bytes[3001] = '\xA9';
    control.SetBytes(bytes);
    QVERIFY(control.ShowsLongLinesBroken());
    QVERIFY(control.ReadOnly());
    control.SetReadOnly(false);
    QVERIFY(control.ReadOnly());
    QCOMPARE(control.Bytes(), bytes);
    QVERIFY(control.LineCount() > 3);
    QCOMPARE(control.LineText(0), std::string("short"));
    control.SetBytes("normal\n");
    QVERIFY(!control.ShowsLongLinesBroken());
  }

  void KeyCallbackCanConsumeAKey() {
    TEditControl control;
    control.show();
    control.SetBytes("");
    control.OnKeyDown = [](TEditControl&, int& key, Qt::KeyboardModifiers) {
      if (key == Qt::Key_Q) key = 0;
    };
    Type(control, "aqb");
    QCOMPARE(control.Bytes(), std::string("ab"));
  }

  void RecordsAndPlaysKeystrokes() {
    TEditControl control;
    control.show();
    control.SetBytes("");
    int statusChanges = 0;
    control.OnChangeStatus = [&](TEditControl&) { ++statusChanges; };
    QTest::keyClick(control.TextWidget(), Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(control.Recording());
    Type(control, "ab");
    QTest::keyClick(control.TextWidget(), Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(!control.Recording());
    QTest::keyClick(control.TextWidget(), Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(control.Bytes(), std::string("abab"));
    QVERIFY(statusChanges > 0);
  }

  void TrailingBlanksGoWhenTheLineIsLeft() {
    TEditControl control;
    control.show();
    control.SetKeepTrailingBlanks(false);
    control.SetBytes("keep   \nb\n");
    control.SetCaret(1, 1);
    Type(control, "x  ");
    QCOMPARE(control.Bytes(), std::string("keep   \nbx  \n"));  // not while the caret is on the line
    control.SetCaret(0, 0);
    QApplication::processEvents();
    QCOMPARE(control.Bytes(), std::string("keep   \nbx\n"));  // only the changed line loses its blanks
  }

  // The attributes of the callback show on the screen; the selection keeps its colours.
  void LineAttributesArePainted() {
    TEditControl control;
    control.resize(400, 120);
    control.SetColours(Qt::black, Qt::white);
    control.SetSelectionColours(Qt::white, Qt::blue);
    control.OnGetLineAttr = [](TEditControl&, std::string_view, int line, TLineAttrs& attrs) {
      if (line != 0) return;
      for (int p = 1; p <= 6; ++p) {
        attrs[static_cast<size_t>(p)].Back = Qt::red;
        attrs[static_cast<size_t>(p)].Fore = Qt::yellow;
      }
    };
    control.SetBytes("XXXXXXXXXXXX\nsecond line\n");
    control.show();
    QVERIFY(QTest::qWaitForWindowExposed(&control));
    QApplication::processEvents();
    // A corner of a cell: the background there, not the glyph.
    const auto backgroundAt = [&control](const QImage& picture, int column) {
      const QRect cell = control.CellRect(column, 0);
      return QColor(picture.pixel(cell.left() + 1, cell.top() + 1));
    };
    const QImage picture = control.grab().toImage();
    QCOMPARE(backgroundAt(picture, 1), QColor(Qt::red));
    QCOMPARE(backgroundAt(picture, 9), QColor(Qt::white));
    control.SelectPositions(0, 3);
    QApplication::processEvents();
    const QImage selected = control.grab().toImage();
    QCOMPARE(backgroundAt(selected, 0), QColor(Qt::blue));
    QCOMPARE(backgroundAt(selected, 4), QColor(Qt::red));
  }
};

SEARCH_QTEST_MAIN(EditControlTest)
#include "EditControlTest.moc"
