// The main window driven by its component names: searching, Enter, Cancel, the enabling rules,
// the option boxes and their settings, the status bar and Browse.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QHeaderView>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusTipEvent>
#include <QThread>
#include <QTimer>
#include <functional>
#include <QToolButton>

#include "search/ui/BusyForm.h"
#include "search/ui/ColourValues.h"
#include "search/ui/MainForm.h"
#include "search/ui/ResultsModel.h"
#include "search/ui/ResultsView.h"
#include "search/ui/StatusPanels.h"
#include "platform/registry/Registry.h"
#include "support/OpenCounter.h"
#include "support/TempTree.h"
#include "ui/support/UiTestSupport.h"

namespace {

struct TWindow : TMainFormWindow {
  QToolButton* Search() { return Named<QToolButton>(form.get(), "btSearch"); }
  QString Panel(int index) { return Named<TStatusPanels>(form.get(), "StatusBar")->PanelText(index); }
  QString Row(int row, int line = -1) {
    const QModelIndex file = Model().index(row, 0);
    return (line < 0 ? file : Model().index(line, 0, file)).data().toString();
  }
  void Criteria(const QString& path, const QString& files, const QString& stringA) {
    Box("cbPath")->setEditText(path);
    Box("cbFiles")->setEditText(files);
    Box("cbStringA")->setEditText(stringA);
  }
  // Searches a folder of that many matching files, calling `whileBusy` each time the search
  // lets the window repaint; false when it never did. Each poll of Cancel is made slow, so the
  // search lasts long enough to repaint however fast the machine is.
  bool SearchManyFiles(int count, const std::function<void(TBusyForm&)>& whileBusy) {
    TempTree tree;
    for (int i = 0; i < count; ++i) tree.Write("f" + std::to_string(i) + ".txt", "hello\nworld\n");
    Criteria(QString::fromStdString(tree.Root().string()), "*.txt", "hello");
    form->CancelPolled = [] { QThread::usleep(50); };
    bool repainted = false;
    QTimer ticker;
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
      if (TBusyForm* busy = form->BusyForm()) {
        repainted = true;
        whileBusy(*busy);
      }
    });
    ticker.start();
    Search()->click();
    ticker.stop();
    form->CancelPolled = nullptr;
    return repainted;
  }
};

QString Text(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

// The two rows of a test that runs with a flag on and off.
void FlagRows(const char* column, const char* whenOn, const char* whenOff) {
  QTest::addColumn<bool>(column);
  QTest::newRow(whenOn) << true;
  QTest::newRow(whenOff) << false;
}

// Counts the paints of a widget, each made slow.
class TSlowPaints : public QObject {
 public:
  TSlowPaints(QWidget* widget, int& paints) : QObject(widget), paints_(paints) { widget->installEventFilter(this); }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      ++paints_;
      QThread::msleep(3);
    }
    return false;
  }

 private:
  int& paints_;
};

// An editable combo box takes the focus in its line edit once the window is active.
bool FocusIsIn(QWidget* window, QComboBox* box) {
  QWidget* focused = window->focusWidget();
  if (focused != box && focused != box->lineEdit()) {
    qWarning() << "the focus is in" << focused;
    return false;
  }
  return true;
}

}  // namespace

class MainFormTest : public QObject {
  Q_OBJECT

 private slots:
  void searchFillsTreeWithRowsColoursAndStatus() {
    TempTree tree;
    const auto matching = tree.Write("a.txt", "one\ntwo\nhello world\nthree\nfour\nfive\n");
    tree.Write("b.txt", "nothing here\n");
    tree.Write("c.log", "hello but not listed\n");
    TWindow window;
    window.Criteria(Text(tree.Root()), "*.txt", "hello");
    window.Search()->click();

    QCOMPARE(window.Model().rowCount(), 1);
    QCOMPARE(window.Row(0), Text(matching) + " [1 match]");
    QCOMPARE(window.Model().rowCount(window.Model().index(0, 0)), 5);  // two before, the match, two after
    QCOMPARE(window.Row(0, 0), QString("     1 one"));
    QCOMPARE(window.Row(0, 2), QString("*    3 hello world"));
    QVERIFY(window.form->Results().isExpanded(window.Model().index(0, 0)));

    const QModelIndex file = window.Model().index(0, 0);
    const QModelIndex match = window.Model().index(2, 0, file);
    const QModelIndex context = window.Model().index(0, 0, file);
    const QPalette palette = window.form->Results().palette();
    QCOMPARE(file.data(Qt::BackgroundRole).value<QColor>(), QColor(0, 255, 0));
    QCOMPARE(file.data(Qt::ForegroundRole).value<QColor>(), palette.color(QPalette::Text));
    // Lime would be unreadable on the highlight: the highlight's own text colour is taken.
    QCOMPARE(file.data(TResultsModel::SelectedForegroundRole).value<QColor>(), palette.color(QPalette::HighlightedText));
    QCOMPARE(match.data(Qt::BackgroundRole).value<QColor>(), palette.color(QPalette::Base));
    QCOMPARE(match.data(TResultsModel::SelectedForegroundRole).value<QColor>(), palette.color(QPalette::HighlightedText));
    const QColor contextColour = context.data(Qt::ForegroundRole).value<QColor>();
    QVERIFY(contextColour != palette.color(QPalette::Text));
    QVERIFY(contextColour != palette.color(QPalette::Base));

    QCOMPARE(window.Panel(0), QString("Finished"));
    QCOMPARE(window.Panel(1), QString(" 2 Files Found"));
    QCOMPARE(window.Panel(2), QString(" 1 File Matched"));
    QCOMPARE(window.Panel(3), QString(" 1 Match in Total"));
    QVERIFY(window.form->centralWidget()->isEnabled());
    QVERIFY(window.form->BusyForm() == nullptr);
  }

  void noticesArePaintedAsErrors() {
    TempTree tree;
    tree.Write("a.txt", "nothing\n");
    TWindow window;
    window.Criteria(Text(tree.Root()), "*.txt", "absent");
    window.Search()->click();
    QCOMPARE(window.Row(0), QString("*** No Matches Found ***"));
    const QModelIndex notice = window.Model().index(0, 0);
    QCOMPARE(notice.data(Qt::ForegroundRole).value<QColor>(), QColor(255, 255, 255));
    QCOMPARE(notice.data(Qt::BackgroundRole).value<QColor>(), QColor(255, 0, 0));
    // Red on the highlight is unreadable; on a dark highlight it stays.
    const QPalette palette = window.form->Results().palette();
    QVERIFY(ContrastRatio(QColor(255, 0, 0), palette.color(QPalette::Highlight)) < 4.5);
    QCOMPARE(notice.data(TResultsModel::SelectedForegroundRole).value<QColor>(), palette.color(QPalette::HighlightedText));
    QPalette dark = palette;
    dark.setColor(QPalette::Highlight, Qt::black);
    window.form->Results().setPalette(dark);
    QCOMPARE(notice.data(TResultsModel::SelectedForegroundRole).value<QColor>(), QColor(255, 0, 0));
  }

  void focusStartsInThePathBoxAndReturnsToTheBoxSearchedFrom_data() {
    QTest::addColumn<QString>("box");
    for (const char* name : {"cbPath", "cbFiles", "cbExcludeFolders", "cbExcludeFiles", "cbStringA", "cbStringB"}) {
      QTest::newRow(name) << name;
    }
  }

  void focusStartsInThePathBoxAndReturnsToTheBoxSearchedFrom() {
    QFETCH(QString, box);
    TempTree tree;
    tree.Write("a.txt", "hello\n");
    TWindow window;
    window.Criteria(Text(tree.Root()), "*.txt", "hello");
    window.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.form.get()));
    window.Box("cbPath")->lineEdit()->selectAll();
    QVERIFY(FocusIsIn(window.form.get(), window.Box("cbPath")));
    QComboBox* pressed = window.Box(box.toLatin1().constData());
    pressed->setFocus();
    QTest::keyClick(pressed->lineEdit(), Qt::Key_Return);
    QCOMPARE(window.Panel(0), QString("Finished"));
    QVERIFY(FocusIsIn(window.form.get(), pressed));
  }

  void theWindowOpensWithThePathSelected() {
    TSettingsSandbox settings;
    settings.DataMod().Path.Assign({"/srv/corpus/"});
    TMainForm form(settings.DataMod());
    form.show();
    auto* path = Named<QComboBox>(&form, "cbPath");
    QVERIFY(FocusIsIn(&form, path));
    QCOMPARE(path->lineEdit()->selectedText(), QString("/srv/corpus/"));
  }

  void rowsWiderThanThePaneScrollSideways() {
    TempTree tree;
    const std::string deep = "a-rather-long-folder-name/another-rather-long-folder-name/yet-another-folder";
    tree.Write(deep + "/matching-file.txt", "hello " + std::string(300, 'x') + "\n");
    TWindow window;
    window.form->resize(700, 500);
    window.Check("ckIncludeSubDirectories")->setChecked(true);
    window.Criteria(Text(tree.Root()), "*.txt", "hello");
    window.Search()->click();
    TResultsView& view = window.form->Results();
    QTRY_VERIFY(view.horizontalScrollBar()->maximum() > 0);
    const QModelIndex line = window.Model().index(0, 0, window.Model().index(0, 0));
    const int rowWidth = view.fontMetrics().horizontalAdvance(line.data().toString());
    QVERIFY(view.header()->sectionSize(0) >= rowWidth);
    // Moving the focus to another row keeps the sideways position.
    view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->maximum());
    view.setCurrentIndex(line);
    QCOMPARE(view.horizontalScrollBar()->value(), view.horizontalScrollBar()->maximum());
  }

  void statusTextsFitAtTheSmallestAndAMiddleWidth_data() { FlagRows("smallest", "smallest", "middle"); }

  void statusTextsFitAtTheSmallestAndAMiddleWidth() {
    QFETCH(bool, smallest);
    TWindow window;
    auto* bar = Named<TStatusPanels>(window.form.get(), "StatusBar");
    const QString texts[] = {"Searching files...", " 5136000 Files Found", " 5136000 Files Matched",
                             " 1111690 Matches in Total"};
    for (int panel = 0; panel < TStatusPanels::kPanels; ++panel) bar->SetPanelText(panel, texts[panel]);
    window.form->resize(smallest ? 1 : 1000, 500);
    QCoreApplication::processEvents();
    if (smallest) QCOMPARE(window.form->width(), window.form->minimumWidth());
    for (int panel = 0; panel < TStatusPanels::kPanels; ++panel) {
      QLabel* label = bar->Panel(panel);
      QVERIFY2(label->fontMetrics().horizontalAdvance(texts[panel]) <= label->contentsRect().width(),
               qPrintable(texts[panel]));
    }
  }

  void stringBoxesStartOnThePathBoxColumn_data() { FlagRows("regex", "RegEx shown", "RegEx hidden"); }

  void stringBoxesStartOnThePathBoxColumn() {
    QFETCH(bool, regex);
    TSettingsSandbox settings;
    settings.DataMod().ShowRegularExpressions.Set(regex);
    TMainForm form(settings.DataMod());
    form.show();
    QCoreApplication::processEvents();
    const auto left = [&](const char* name) {
      QWidget* box = Named<QWidget>(&form, name);
      return box->mapTo(&form, QPoint(0, 0)).x();
    };
    for (const char* name : {"cbFiles", "cbExcludeFolders", "cbExcludeFiles", "cbStringA", "cbStringB"}) {
      QVERIFY2(left(name) == left("cbPath"), name);
    }
  }

  void displaySettingsShowAtTheNextPaintWithoutSearching() {
    TempTree tree;
    const auto file = tree.Write("a.txt", "hello\n");
    TWindow window;
    window.Criteria(Text(tree.Root()), "*.txt", "hello");
    window.Search()->click();
    QCOMPARE(window.Row(0), Text(file) + " [1 match]");
    window.settings.DataMod().ShowFileSize.Set(true);
    QCOMPARE(window.Row(0), Text(file) + " [1 match, 6 bytes]");
  }

  void aBadExpressionLeavesOneNoticeAndNothingElse() {
    TempTree tree;
    tree.Write("a.txt", "hello\n");
    TSettingsSandbox settings;
    settings.DataMod().ShowRegularExpressions.Set(true);
    TMainForm form(settings.DataMod());
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCheckBox* regex = Named<QCheckBox>(&form, "ckRegularExpressions");
    QVERIFY(regex->isVisible());
    regex->setChecked(true);
    auto* path = Named<QComboBox>(&form, "cbPath");
    auto* stringA = Named<QComboBox>(&form, "cbStringA");
    path->setEditText(Text(tree.Root()));
    stringA->setEditText("hel(lo");
    stringA->setFocus();
    QTest::keyClick(stringA->lineEdit(), Qt::Key_Return);
    QCOMPARE(form.ResultsModel().rowCount(), 1);
    QVERIFY(FocusIsIn(&form, stringA));  // back where Enter was pressed
    QCOMPARE(form.ResultsModel().index(0, 0).data(TResultsModel::NodeKindRole).toInt(),
             int(search::TNodeKind::Error));
    QCOMPARE(Named<TStatusPanels>(&form, "StatusBar")->PanelText(0), QString());
    QVERIFY(form.centralWidget()->isEnabled());

    stringA->setEditText("hel+o");
    Named<QToolButton>(&form, "btSearch")->click();
    QCOMPARE(form.ResultsModel().index(0, 0).data(TResultsModel::NodeKindRole).toInt(),
             int(search::TNodeKind::File));
    QVERIFY(FocusIsIn(&form, path));  // after a click on Search, the first criteria box
  }

  void enterInACriteriaBoxSearches() {
    TempTree tree;
    tree.Write("a.txt", "hello\n");
    TWindow window;
    window.Criteria(Text(tree.Root()), "*.txt", "hello");
    QComboBox* box = window.Box("cbStringA");
    box->setFocus();
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    QCOMPARE(window.Model().rowCount(), 1);
    QCOMPARE(window.Panel(0), QString("Finished"));
    // The box's text went to the front of its recent values, in the box and in the settings.
    QCOMPARE(box->itemText(0), QString("hello"));
    QCOMPARE(window.settings.DataMod().StringA.Items().front(), std::string("hello"));
  }

  void cancelStopsALongSearchAndKeepsItsResults() {
    TWindow window;
    bool pressed = false;
    const bool repainted = window.SearchManyFiles(4000, [&](TBusyForm& busy) {
      if (pressed) return;
      pressed = true;
      QTest::mouseClick(Named<QPushButton>(&busy, "btCancel"), Qt::LeftButton);
    });
    QVERIFY2(repainted, "the search ended before the window was given a chance to repaint");
    const int rows = window.Model().rowCount();
    QVERIFY(rows >= 1);
    QCOMPARE(window.Row(rows - 1), QString("*** Search Cancelled ***"));
    QCOMPARE(window.Panel(0), QString("Search cancelled"));
    QVERIFY(window.form->centralWidget()->isEnabled());
    QVERIFY(window.form->BusyForm() == nullptr);
  }

  void aDialogSlowToPaintDoesNotHoldTheSearchPerFile() {
    // Each paint of the busy dialog's path line takes a while; the search reports a path for
    // every file, but the dialog paints at its own pace, not once per file.
    constexpr int kFiles = 4000;
    TWindow window;
    int paints = 0;
    bool watching = false;
    const bool repainted = window.SearchManyFiles(kFiles, [&](TBusyForm& busy) {
      if (!std::exchange(watching, true)) new TSlowPaints(Named<QWidget>(&busy, "lbPath"), paints);
    });
    QVERIFY2(repainted, "the search ended before the window was given a chance to repaint");
    QCOMPARE(window.Model().rowCount(), kFiles);
    QCOMPARE(window.Panel(0), QString("Finished"));
    QVERIFY2(paints < kFiles / 4, qPrintable(QString("%1 paints").arg(paints)));
  }

  void resultsShowWhileTheSearchRunsOnlyWhenAskedTo_data() { FlagRows("asFound", "as found", "at the end"); }

  void resultsShowWhileTheSearchRunsOnlyWhenAskedTo() {
    QFETCH(bool, asFound);
    TWindow window;
    window.settings.DataMod().ShowsResultsAsFound.Set(asFound);
    int seenWhileBusy = 0;
    const bool repainted = window.SearchManyFiles(3000, [&](TBusyForm&) {
      seenWhileBusy = std::max(seenWhileBusy, window.Model().rowCount());
    });
    QVERIFY2(repainted, "the search ended before the window was given a chance to repaint");
    QCOMPARE(seenWhileBusy > 0, asFound);
    QCOMPARE(window.Model().rowCount(), 3000);
  }

  void splitterPositionIsKept() {
    TSettingsSandbox settings;
    settings.DataMod().SplitterPosition.Set(360);
    {
      TMainForm form(settings.DataMod());
      form.resize(1000, 600);
      form.show();
      QVERIFY(QTest::qWaitForWindowExposed(&form));
      auto* splitter = Named<QSplitter>(&form, "Splitter");
      QCOMPARE(splitter->sizes().value(0), 360);
      QSplitterHandle* handle = splitter->handle(1);
      const QPoint grip = handle->rect().center();
      QTest::mousePress(handle, Qt::LeftButton, {}, grip);
      QMouseEvent move(QEvent::MouseMove, grip + QPoint(40, 0), handle->mapToGlobal(grip + QPoint(40, 0)),
                       Qt::NoButton, Qt::LeftButton, {});
      QApplication::sendEvent(handle, &move);
      QTest::mouseRelease(handle, Qt::LeftButton, {}, grip + QPoint(40, 0));
      QCOMPARE(settings.DataMod().SplitterPosition.Value(), 400);
    }
    QCOMPARE(settings.Reload()->SplitterPosition.Value(), 400);
  }

  void aStartReadsTheSettingsFileOnce() {
    TSettingsSandbox settings;
    settings.DataMod().StringA.Add("hello");
    OpenCounter opens(std::filesystem::path(settings.Folder().toStdString()) / "HKEY_CURRENT_USER.reg");
    auto dataMod = settings.Reload();
    TMainForm form(*dataMod);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(opens.Count(), 1);
  }

  void storedValuesBeyondWhatTheControlsOfferAreBroughtWithinRange() {
    TSettingsSandbox settings;
    {
      using namespace platform::registry;
      Registry registry(settings.Folder().toStdString());
      RegKey key;
      QCOMPARE(registry.CreateKey(RegKey::Of(Root::CurrentUser), "Software\\Vantrel Software\\Search", key), Status::Ok);
      QCOMPARE(registry.SetValue(key, "SplitterPosition", DwordValue(0x80000000u)), Status::Ok);
      QCOMPARE(registry.SetValue(key, "NumberOfLinesToShowBeforeMatch", DwordValue(0x7FFFFFFFu)), Status::Ok);
      QCOMPARE(registry.SetValue(key, "NumberOfLinesToShowAfterMatch", DwordValue(0xFFFFFFFFu)), Status::Ok);
    }
    auto dataMod = settings.Reload();
    QCOMPARE(dataMod->NumberOfLinesToShowBeforeMatch.Value(), 10);
    QCOMPARE(dataMod->NumberOfLinesToShowAfterMatch.Value(), 0);
    TMainForm form(*dataMod);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(Named<QSplitter>(&form, "Splitter")->sizes().value(1) > 0);  // the results stay visible

    TempTree tree;
    std::string text;
    for (int i = 1; i <= 30; ++i) text += (i == 20 ? "hello" : "line " + std::to_string(i)) + "\n";
    tree.Write("a.txt", text);
    Named<QComboBox>(&form, "cbPath")->setEditText(Text(tree.Root()));
    Named<QComboBox>(&form, "cbFiles")->setEditText("*.txt");
    Named<QComboBox>(&form, "cbStringA")->setEditText("hello");
    Named<QToolButton>(&form, "btSearch")->click();
    QCOMPARE(form.ResultsModel().rowCount(form.ResultsModel().index(0, 0)), 11);  // ten lines before, none after
  }

  void closingDuringASearchCancelsItAndClosesAfterwards() {
    TWindow window;
    bool closed = false;
    const bool repainted = window.SearchManyFiles(4000, [&](TBusyForm&) {
      if (closed) return;
      closed = true;
      window.form->close();
      QVERIFY(window.form->isVisible());  // not while the search runs
    });
    QVERIFY2(repainted, "the search ended before the window was given a chance to repaint");
    const int rows = window.Model().rowCount();
    QCOMPARE(window.Row(rows - 1), QString("*** Search Cancelled ***"));
    QTRY_VERIFY(!window.form->isVisible());
  }

  void searchIsEnabledExactlyWhileThePathHoldsText() {
    TWindow window;
    window.Box("cbPath")->setEditText("");
    QVERIFY(!window.Search()->isEnabled());
    window.Box("cbPath")->setEditText(" ");
    QVERIFY(window.Search()->isEnabled());
    window.Box("cbPath")->setEditText("");
    QVERIFY(!window.Search()->isEnabled());
    // Enter with no path does not search.
    window.Box("cbStringA")->setEditText("x");
    QTest::keyClick(window.Box("cbStringA")->lineEdit(), Qt::Key_Return);
    QCOMPARE(window.Panel(0), QString());
  }

  void optionBoxesWriteTheirSettings_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("setting");
    QTest::newRow("case") << "ckCaseSensitive" << "CaseSensitive";
    QTest::newRow("subfolders") << "ckIncludeSubDirectories" << "RecurseSubdirectories";
    QTest::newRow("show matches") << "ckShowMatches" << "ShowMatches";
    QTest::newRow("minimise") << "ckMinimiseWhitespace" << "MinimiseWhitespace";
    QTest::newRow("whole word") << "ckWholeWord" << "WholeWordOnly";
    QTest::newRow("proximity") << "ckFileMatchProximity" << "MatchProximity";
  }

  void optionBoxesWriteTheirSettings() {
    QFETCH(QString, box);
    QFETCH(QString, setting);
    TWindow window;
    QCheckBox* check = window.Check(box.toLatin1().constData());
    const bool before = check->isChecked();
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(8, check->height() / 2));
    QCOMPARE(check->isChecked(), !before);
    const auto stored = [&](TDataMod& data) {
      for (TSettingBase* each : data.Settings()) {
        if (each->Name() != setting.toStdString()) continue;
        if (auto* flag = dynamic_cast<TBoolSetting*>(each)) return flag->Value();
        if (auto* number = dynamic_cast<TEnumSetting*>(each)) return number->Value() != 0;
      }
      qFatal("no setting %s", qPrintable(setting));
      return false;
    };
    QCOMPARE(stored(window.settings.DataMod()), !before);
    QCOMPARE(stored(*window.settings.Reload()), !before);
  }

  void searchWithinMatchedFilesGreysItsGroup() {
    TempTree tree;
    tree.Write("a.txt", "hello\n");
    TWindow window;
    QCheckBox* within = window.Check("ckSearchResults");
    QVERIFY(!within->isEnabled());  // nothing matched yet
    window.Criteria(Text(tree.Root()), "*.txt", "hello");
    window.Search()->click();
    QVERIFY(within->isEnabled());
    within->click();
    const char* greyed[] = {"lbPath", "btBrowse", "cbPath", "lbFiles", "cbFiles", "lbExcludeFolders",
                            "cbExcludeFolders", "lbExcludeFiles", "cbExcludeFiles", "lbFilterCaption",
                            "lbFilter", "btFilter", "btClearFilter", "ckIncludeSubDirectories"};
    for (const char* name : greyed) QVERIFY2(!Named<QWidget>(window.form.get(), name)->isEnabled(), name);
    QVERIFY(window.Search()->isEnabled());
    within->click();
    for (const char* name : greyed) {
      if (std::string(name) == "btClearFilter") continue;  // offered only while a filter is on
      QVERIFY2(Named<QWidget>(window.form.get(), name)->isEnabled(), name);
    }
  }

  void matchTypeFollowsTheRadioButtonsAndStrings() {
    TWindow window;
    window.Box("cbStringA")->setEditText("a");
    window.Box("cbStringB")->setEditText("");
    Named<QRadioButton>(window.form.get(), "rbAnd")->click();
    QCOMPARE(window.form->GetMatchType(), 0);  // And needs both strings
    window.Box("cbStringB")->setEditText("b");
    QCOMPARE(window.form->GetMatchType(), 1);
    window.Box("cbStringA")->setEditText("");
    Named<QRadioButton>(window.form.get(), "rbAndNot")->click();
    QCOMPARE(window.form->GetMatchType(), 2);
  }

  void statusPanelWidths_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<QList<int>>("panels");
    QTest::newRow("wide") << 800 << QList<int>{275, 175, 175, 175};
    QTest::newRow("narrow") << 400 << QList<int>{100, 100, 100, 100};
    QTest::newRow("just over the cap") << 704 << QList<int>{179, 175, 175, 175};
    QTest::newRow("remainder to the first") << 402 << QList<int>{102, 100, 100, 100};
  }

  void statusPanelWidths() {
    QFETCH(int, width);
    QFETCH(QList<int>, panels);
    const std::vector<int> widths = StatusPanelWidths(width, 4);
    QCOMPARE(QList<int>(widths.begin(), widths.end()), panels);
  }

  void hintsTakeOverTheStatusBarWhileShowHintsIsOn() {
    TWindow window;
    auto* bar = Named<TStatusPanels>(window.form.get(), "StatusBar");
    QStatusTipEvent hint("The first, or only, string to search for.");
    QApplication::sendEvent(window.form.get(), &hint);
    QCOMPARE(bar->currentMessage(), QString("The first, or only, string to search for."));
    QStatusTipEvent none("  ");
    QApplication::sendEvent(window.form.get(), &none);
    QVERIFY(!bar->ShowsHint());
    window.settings.DataMod().ShowHints.Set(false);
    QApplication::sendEvent(window.form.get(), &hint);
    QVERIFY(!bar->ShowsHint());
  }

  void hideOrExitFollowsUseToolTray() {
    TSettingsSandbox settings;
    settings.DataMod().UseToolTray.Set(true);
    TMainForm form(settings.DataMod());
    form.TrayAvailable = [] { return true; };
    form.show();
    QVERIFY(Named<QToolButton>(&form, "btHide")->isVisible());
    QVERIFY(!Named<QToolButton>(&form, "btExit")->isVisible());
    settings.DataMod().UseToolTray.Set(false);
    form.ApplyDisplaySettings();
    form.ApplyLayoutConstraints();
    QCoreApplication::processEvents();
    QVERIFY(!Named<QToolButton>(&form, "btHide")->isVisible());
    QVERIFY(Named<QToolButton>(&form, "btExit")->isVisible());
  }

  void browseRules_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("result");
    QTest::newRow("several paths") << "/a; /b" << "/a" << "/c";
    QTest::newRow("ends with separator") << " /a; " << "/a" << "/a; /c";
    QTest::newRow("empty") << "" << "" << "/c";
  }

  void browseRules() {
    QFETCH(QString, box);
    QFETCH(QString, initial);
    QFETCH(QString, result);
    TWindow window;
    QString openedAt;
    QString title;
    window.form->BrowseForFolder = [&](QWidget*, const QString& caption, const QString& at) {
      title = caption;
      openedAt = at;
      return QString("/c");
    };
    window.Box("cbPath")->setEditText(box);
    window.form->BrowseClick();
    QCOMPARE(title, QString("Select the folder to search"));
    QCOMPARE(openedAt, initial);
    QCOMPARE(window.Box("cbPath")->currentText(), result);
  }

  void cancelledPickerLeavesThePath() {
    TWindow window;
    window.form->BrowseForFolder = [](QWidget*, const QString&, const QString&) { return QString(); };
    window.Box("cbPath")->setEditText("/a");
    window.form->BrowseClick();
    QCOMPARE(window.Box("cbPath")->currentText(), QString("/a"));
  }

  void criteriaAreRememberedWhenTheWindowCloses() {
    TSettingsSandbox settings;
    {
      TMainForm form(settings.DataMod());
      Named<QComboBox>(&form, "cbStringB")->setEditText("second");
      Named<QRadioButton>(&form, "rbAndNot")->click();
    }
    auto next = settings.Reload();
    QCOMPARE(next->StringB.Items().front(), std::string("second"));
    QCOMPARE(int(next->MatchType.Value()), 2);
    TMainForm form(*next);
    QCOMPARE(Named<QComboBox>(&form, "cbStringB")->currentText(), QString("second"));
    QVERIFY(Named<QRadioButton>(&form, "rbAndNot")->isChecked());
  }

  void tabFollowsTheDesignOrder() {
    TWindow window;
    window.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.form.get()));
    window.Box("cbPath")->setFocus();
    // Clear Filter is greyed while no filter is set, so Tab passes it by.
    const char* order[] = {"cbFiles", "cbExcludeFolders", "cbExcludeFiles", "btFilter", "cbStringA",
                           "rbOr", "cbStringB", "ckCaseSensitive", "ckIncludeSubDirectories"};
    for (const char* name : order) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QWidget* focused = QApplication::focusWidget();
      // An editable combo box takes the focus in its line edit.
      if (focused != nullptr && focused->objectName().isEmpty()) focused = focused->parentWidget();
      QVERIFY2(focused != nullptr && focused->objectName() == name, name);
    }
  }

  void controlsCarryTheirCaptionsAndNames() {
    TWindow window;
    QCOMPARE(Named<QLabel>(window.form.get(), "lbPath")->text(), QString("&Path"));
    QCOMPARE(Named<QLabel>(window.form.get(), "lbPath")->buddy(), window.Box("cbPath"));
    QCOMPARE(window.Check("ckSearchResults")->text(), QString("Search within matche&d files"));
    QCOMPARE(Named<QLabel>(window.form.get(), "lbFilter")->text(), QString("none"));
    QCOMPARE(window.Box("cbPath")->maxVisibleItems(), 12);
    QCOMPARE(window.form->windowTitle(), QString("Vantrel Software Search"));
  }
};

SEARCH_QTEST_MAIN(MainFormTest)
#include "MainFormTest.moc"
