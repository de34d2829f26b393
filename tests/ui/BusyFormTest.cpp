// The busy dialog: counters that repaint only on change, Cancel and Esc, the path shortened in
// the middle.

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

#include "search/ui/BusyForm.h"
#include "search/ui/EllipsisLabel.h"
#include "ui/support/UiTestSupport.h"

namespace {

// Counts the paints a widget receives.
class TPaintCounter : public QObject {
 public:
  explicit TPaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

}  // namespace

class BusyFormTest : public QObject {
  Q_OBJECT

 private slots:
  void countersRepaintOnlyWhenTheyChange() {
    QWidget owner;
    TBusyForm busy(&owner);
    busy.ShowOverOwner();
    QVERIFY(QTest::qWaitForWindowExposed(&busy));
    auto* label = Named<QLabel>(&busy, "lbFound");
    TPaintCounter counter(label);
    busy.SetFilesFound(0);
    QCOMPARE(counter.paints, 0);
    busy.SetFilesFound(7);
    QCOMPARE(counter.paints, 1);  // at once, without waiting for the event loop
    QCOMPARE(label->text(), QString("7"));
    busy.SetFilesFound(7);
    QCOMPARE(counter.paints, 1);
    QCOMPARE(busy.FilesFound(), 7);
  }

  void everyCounterHasItsLabel() {
    QWidget owner;
    TBusyForm busy(&owner);
    busy.SetFilesSearched(1);
    busy.SetLinesSearched(2);
    busy.SetFilesMatched(3);
    busy.SetTotalMatches(4);
    QCOMPARE(Named<QLabel>(&busy, "lbSearched")->text(), QString("1"));
    QCOMPARE(Named<QLabel>(&busy, "lbTotalLines")->text(), QString("2"));
    QCOMPARE(Named<QLabel>(&busy, "lbMatched")->text(), QString("3"));
    QCOMPARE(Named<QLabel>(&busy, "lbTotalMatches")->text(), QString("4"));
  }

  void cancelAndEscapeRaiseTheFlagAndKeepTheDialog() {
    QWidget owner;
    TBusyForm busy(&owner);
    busy.ShowOverOwner();
    QVERIFY(!busy.Cancelled());
    QTest::keyClick(&busy, Qt::Key_Escape);
    QVERIFY(busy.Cancelled());
    QVERIFY(busy.isVisible());
    Named<QPushButton>(&busy, "btCancel")->click();
    QVERIFY(busy.Cancelled());
    busy.close();
    QVERIFY(busy.isVisible());  // only the search closes it
  }

  void titleBarHasNoButtonsAndTheSizeIsFixed() {
    QWidget owner;
    TBusyForm busy(&owner);
    busy.ShowOverOwner();
    QCOMPARE(busy.windowTitle(), QString("Searching..."));
    const Qt::WindowFlags flags = busy.windowFlags();
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(flags.testFlag(Qt::WindowTitleHint));
    for (Qt::WindowType button : {Qt::WindowMinimizeButtonHint, Qt::WindowMaximizeButtonHint,
                                  Qt::WindowCloseButtonHint, Qt::WindowSystemMenuHint}) {
      QVERIFY(!flags.testFlag(button));
    }
    QCOMPARE(busy.minimumSize(), busy.maximumSize());
    QCOMPARE(busy.size(), busy.minimumSize());
  }

  void aCloseAskedForCancels() {
    QWidget owner;
    TBusyForm busy(&owner);
    busy.ShowOverOwner();
    QVERIFY(!busy.close());
    QVERIFY(busy.Cancelled());
    QVERIFY(busy.isVisible());
  }

  void pathLineKeepsItsText() {
    QWidget owner;
    TBusyForm busy(&owner);
    busy.SetPath("/home/someone/file.txt");
    QCOMPARE(busy.GetPath(), QString("/home/someone/file.txt"));
  }

  void longPathsAreShortenedInTheMiddle_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("shown");
    const QString path = "/home/someone/Documents/Projects/2004/reports/quarterly/summary.txt";
    QTest::newRow("fits") << path << 200 << path;
    QTest::newRow("middle goes") << path << 30 << "/home/someone/D.../summary.txt";
    QTest::newRow("only the name") << path << 15 << ".../summary.txt";
    QTest::newRow("not even the name") << path << 8 << "...y.txt";
  }

  void longPathsAreShortenedInTheMiddle() {
    QFETCH(QString, path);
    QFETCH(int, width);
    QFETCH(QString, shown);
    QCOMPARE(ElidePath(path, [width](const QString& text) { return text.size() <= width; }), shown);
  }
};

SEARCH_QTEST_MAIN(BusyFormTest)
#include "BusyFormTest.moc"
