// The results model over the engine's tree: appends announced at the close of the outermost
// bracket, resets after clearing and sorting, expanded nodes opened, texts made on demand.

#include <QAbstractItemModelTester>

#include "search/engine/results/ResultSorting.h"
#include "search/ui/ByteText.h"
#include "search/ui/ResultsModel.h"
#include "search/ui/ResultsView.h"
#include "ui/support/UiTestSupport.h"

namespace {

search::TResultNode& AddFile(search::TResultTree& tree, const std::string& name, int lines, bool expanded = false) {
  auto& node = tree.AddFileNode(std::make_unique<search::TTreeViewFile>(name, 10, 1.0, 1.0, 1.0, lines));
  for (int i = 0; i < lines; ++i) search::TResultTree::AddLineNode(node, "line " + std::to_string(i), i == 0, i + 1);
  node.Expanded = expanded;
  return node;
}

// A view shown over a model of its own.
struct TShownView {
  TSettingsSandbox settings;
  search::TResultTree tree;
  TResultsModel model{tree, settings.DataMod()};
  TResultsView view;

  TShownView() {
    view.SetResultsModel(&model);
    view.resize(400, 300);
    view.show();
  }
  void Add(std::initializer_list<const char*> files, int lines) {
    model.BeginUpdate();
    for (const char* file : files) AddFile(tree, file, lines);
    model.EndUpdate();
  }
};

}  // namespace

class ResultsModelTest : public QObject {
  Q_OBJECT

 private slots:
  void appendsAreAnnouncedWhenTheOutermostBracketCloses() {
    TSettingsSandbox settings;
    search::TResultTree tree;
    TResultsModel model(tree, settings.DataMod());
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);

    model.BeginUpdate();
    model.BeginUpdate();
    AddFile(tree, "/b", 2);
    model.EndUpdate();
    QCOMPARE(model.rowCount(), 0);  // still inside the outer bracket
    auto& growing = AddFile(tree, "/a", 1);
    tree.AddErrorNode("*** notice ***");
    model.EndUpdate();
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.rowCount(model.index(1, 0)), 1);

    model.BeginUpdate();
    search::TResultTree::AddLineNode(growing, "late line", false, 9);
    model.EndUpdate();
    QCOMPARE(model.rowCount(model.index(1, 0)), 2);
    QCOMPARE(model.index(1, 0, model.index(1, 0)).data().toString(), QString("     9 late line"));

    search::SortResults(tree, {search::kSortPath, true});
    model.Sorted();
    QCOMPARE(model.index(0, 0).data().toString(), QString("/a [1 match]"));
    QCOMPARE(model.rowCount(model.index(0, 0)), 2);
    QCOMPARE(model.index(1, 0).data().toString(), QString("/b [2 matches]"));
    QCOMPARE(model.index(2, 0).data().toString(), QString("*** notice ***"));

    tree.Clear();
    model.Cleared();
    QCOMPARE(model.rowCount(), 0);
  }

  void sortInsideABracketWaitsForItsClose() {
    TSettingsSandbox settings;
    search::TResultTree tree;
    TResultsModel model(tree, settings.DataMod());
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.BeginUpdate();
    AddFile(tree, "/b", 1);
    AddFile(tree, "/a", 1);
    search::SortResults(tree, {search::kSortPath, true});
    model.Sorted();
    QCOMPARE(model.rowCount(), 0);
    model.EndUpdate();
    QCOMPARE(model.index(0, 0).data().toString(), QString("/a [1 match]"));
  }

  void manyRowsAreAnnouncedAtAPaceAndNeverLost() {
    TSettingsSandbox settings;
    search::TResultTree tree;
    TResultsModel model(tree, settings.DataMod());
    model.BeginUpdate();
    AddFile(tree, "/big", 100000);
    model.EndUpdate();
    QCOMPARE(model.rowCount(), 1);  // the first announcement is never held back
    model.BeginUpdate();
    AddFile(tree, "/next", 1);
    model.EndUpdate();
    QCOMPARE(model.rowCount(), 1);  // held back: the views would lay out 100000 rows again
    QTRY_COMPARE(model.rowCount(), 2);  // announced when the pause is over
    model.BeginUpdate();
    AddFile(tree, "/last", 1);
    model.EndUpdate();
    model.Flush();
    QCOMPARE(model.rowCount(), 3);
  }

  void expandedNodesAreOpenedByTheView() {
    TSettingsSandbox settings;
    search::TResultTree tree;
    TResultsModel model(tree, settings.DataMod());
    TResultsView view;
    view.SetResultsModel(&model);
    model.BeginUpdate();
    AddFile(tree, "/a", 2, true);
    AddFile(tree, "/b", 2, false);
    AddFile(tree, "/c", 2, true);
    model.EndUpdate();
    QVERIFY(view.isExpanded(model.index(0, 0)));
    QVERIFY(!view.isExpanded(model.index(1, 0)));
    QVERIFY(view.isExpanded(model.index(2, 0)));
    view.CollapseAll();
    QVERIFY(!tree.At(0).Expanded);
    view.ExpandAll();
    QVERIFY(tree.At(1).Expanded);
    view.collapse(model.index(1, 0));
    QVERIFY(!tree.At(1).Expanded);
  }

  void rightClickSelectsBeforeTheMenuAndEnterAsksToOpen() {
    TShownView shown;
    QVERIFY(QTest::qWaitForWindowExposed(&shown.view));
    shown.Add({"/a", "/b"}, 1);
    TResultsView& view = shown.view;
    TResultsModel& model = shown.model;

    int opens = 0;
    connect(&view, &TResultsView::OpenRequested, [&] { ++opens; });
    QTest::keyClick(view.viewport(), Qt::Key_Return);
    QCOMPARE(opens, 0);  // nothing selected

    const QRect second = view.visualRect(model.index(1, 0));
    QTest::mouseClick(view.viewport(), Qt::RightButton, {}, second.center());
    QVERIFY(view.selectionModel()->isSelected(model.index(1, 0)));
    QVERIFY(!view.selectionModel()->isSelected(model.index(0, 0)));
    QTest::keyClick(view.viewport(), Qt::Key_Return);
    QCOMPARE(opens, 1);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, second.center());
    QCOMPARE(opens, 2);
    QVERIFY(!view.isExpanded(model.index(1, 0)));  // double click opens, it does not expand
  }

  void aHugeLinePaintsItsBeginning() {
    TShownView shown;
    QVERIFY(QTest::qWaitForWindowExposed(&shown.view));
    shown.model.BeginUpdate();
    auto& node = AddFile(shown.tree, "/huge", 0, true);
    search::TResultTree::AddLineNode(node, "start " + std::string(4 << 20, 'x'), true, 1);
    shown.model.EndUpdate();
    shown.view.ExpandAll();
    const QImage picture = shown.view.grab().toImage();
    QVERIFY(!picture.isNull());
    QCOMPARE(shown.model.index(0, 0, shown.model.index(0, 0)).data().toString().size(), 7 + 6 + (4 << 20));
  }

  void dragStartsAtFivePixels() {
    TShownView shown;
    QVERIFY(QTest::qWaitForWindowExposed(&shown.view));
    shown.Add({"/a"}, 0);
    TResultsView& view = shown.view;
    TResultsModel& model = shown.model;
    int drags = 0;
    connect(&view, &TResultsView::DragRequested, [&] { ++drags; });
    const QPoint origin = view.visualRect(model.index(0, 0)).center();
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, origin);
    QCOMPARE(view.DragOrigin(), origin);
    QMouseEvent near(QEvent::MouseMove, origin + QPoint(4, 4), view.viewport()->mapToGlobal(origin + QPoint(4, 4)),
                     Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(view.viewport(), &near);
    QCOMPARE(drags, 0);
    QMouseEvent far(QEvent::MouseMove, origin + QPoint(5, 0), view.viewport()->mapToGlobal(origin + QPoint(5, 0)),
                    Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(view.viewport(), &far);
    QCOMPARE(drags, 1);
    QCOMPARE(view.DragOrigin(), QPoint(-1, -1));
  }

  void invalidBytesShowAsSingleCharacters_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("ascii") << QByteArray("plain") << QString("plain");
    QTest::newRow("utf-8") << QByteArray("caf\xC3\xA9") << QString::fromUtf8("caf\xC3\xA9");
    QTest::newRow("latin-1 byte") << QByteArray("caf\xE9!") << QString("caf") + QChar(0xE9) + "!";
    QTest::newRow("cut sequence") << QByteArray("a\xE2\x82") << QString("a") + QChar(0xE2) + QChar(0x82);
    QTest::newRow("overlong") << QByteArray("\xC0\xAF") << QString(QChar(0xC0)) + QChar(0xAF);
    QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << QString(QChar(0xED)) + QChar(0xA0) + QChar(0x80);
    QTest::newRow("nul inside") << QByteArray("a\0b", 3) << QString("a") + QChar(0) + "b";
  }

  void invalidBytesShowAsSingleCharacters() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    QCOMPARE(DisplayString(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))), shown);
  }
};

SEARCH_QTEST_MAIN(ResultsModelTest)
#include "ResultsModelTest.moc"
