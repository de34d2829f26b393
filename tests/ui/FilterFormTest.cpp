// The advanced file filter dialog driven by its component names: what it shows from the
// settings, typing, the validation, OK and Cancel, Reset, and the main window's filter label,
// hint and clear button around it.

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QTimer>
#include <QToolButton>

#include "search/engine/filter/CalendarDate.h"
#include "search/ui/ElidedLabel.h"
#include "search/ui/FilterForm.h"
#include "search/ui/MainForm.h"
#include "ui/support/UiTestSupport.h"

namespace {

struct TDialog {
  TSettingsSandbox settings;
  std::unique_ptr<TFilterForm> form;

  TDialog() { Open(); }
  void Open() {
    form = std::make_unique<TFilterForm>(settings.DataMod());
    form->show();
  }
  template <typename T = QWidget>
  T* Get(const char* name) { return Named<T>(form.get(), name); }
  QLineEdit* Edit(const char* name) { return Get<QLineEdit>(name); }
  QCheckBox* Check(const char* name) { return Get<QCheckBox>(name); }
  QRadioButton* Radio(const char* name) { return Get<QRadioButton>(name); }
  QComboBox* List(const char* name) { return Get<QComboBox>(name); }
  QPushButton* Ok() { return Get<QPushButton>("btOk"); }
  QString Problem() { return Get<QLabel>("lbProblem")->text(); }
};

const char* const kTitles[] = {"ckSize", "ckCreateDT", "ckModifiedDT", "ckAccessedDT", "ckAttributes"};
const char* const kWords[] = {"Created", "Modified", "Accessed"};
const char* const kStems[] = {"CreateDT", "ModifiedDT", "AccessedDT"};
const char* const kAttributes[] = {"Archive", "ReadOnly", "System", "Hidden", "Compressed"};

QString Name(const char* prefix, const char* word, const char* suffix = "") {
  return QString(prefix) + word + suffix;
}

double At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  return search::DayNumberOfDate({year, month, day}) + (hour * 3600 + minute * 60 + second) / 86400.0;
}

}  // namespace

class FilterFormTest : public QObject {
  Q_OBJECT

 private slots:
  void opensWithNoFilterSetShowingTheDefaults() {
    TDialog dialog;
    QCOMPARE(dialog.form->windowTitle(), QString("Advanced File Filter"));
    QVERIFY(dialog.form->width() >= 483 && dialog.form->height() >= 505);
    QCOMPARE(dialog.form->minimumSize(), dialog.form->maximumSize());
    for (const char* title : kTitles) QVERIFY2(!dialog.Check(title)->isChecked(), title);
    QCOMPARE(dialog.Check("ckSize")->text(), QString("Filter on size"));
    QCOMPARE(dialog.Check("ckModifiedDT")->text(), QString("Filter on last modified date"));
    QCOMPARE(dialog.Edit("edFromSize")->text(), QString());
    QCOMPARE(dialog.Edit("edToSize")->text(), QString());
    QCOMPARE(dialog.List("ddFromSizeUnits")->currentText(), QString("Bytes"));
    QCOMPARE(dialog.List("ddToSizeUnits")->count(), 4);
    for (int i = 0; i < 3; ++i) {
      const char* word = kWords[i];
      QVERIFY(dialog.Radio(qPrintable(Name("rb", word, "Relative")))->isChecked());
      QCOMPARE(dialog.Edit(qPrintable(Name("ed", word, "Within")))->text(), QString("1"));
      QComboBox* units = dialog.List(qPrintable(Name("dd", word, "WithinUnits")));
      QCOMPARE(units->currentText(), QString("years"));
      QCOMPARE(units->count(), 6);
      QVERIFY(dialog.Get(qPrintable(Name("lb", word, "Within")))->isVisible());
      QVERIFY(!dialog.Get(qPrintable(Name("lb", word, "From")))->isVisible());
      QVERIFY(!dialog.Get(qPrintable(Name("dt", kStems[i], "FromD")))->isVisible());
      QCOMPARE(dialog.Get<QDateEdit>(qPrintable(Name("dt", kStems[i], "FromD")))->date(), QDate::currentDate());
      QCOMPARE(dialog.Get<QTimeEdit>(qPrintable(Name("dt", kStems[i], "ToT")))->time(), QTime(23, 59, 59));
      QCOMPARE(dialog.Get<QDateEdit>(qPrintable(Name("dt", kStems[i], "ToD")))->minimumDate(), QDate(100, 1, 1));
    }
    for (const char* attribute : kAttributes) {
      QVERIFY(dialog.Radio(qPrintable(Name("rb", attribute, "Either")))->isChecked());
      QCOMPARE(dialog.Radio(qPrintable(Name("rb", attribute, "NotSet")))->text(), QString("Not set"));
    }
    QVERIFY(dialog.Ok()->isEnabled());
    QCOMPARE(dialog.Get<QPushButton>("btReset")->text(), QString("&Reset"));
    QCOMPARE(dialog.Get<QPushButton>("BitBtn1")->text(), QString("Cancel"));
    QVERIFY(dialog.Check("ckCreateDT")->toolTip().contains("not recorded by every file system"));
  }

  void typingTakesDigitsOnlyAndTicksTheGroup() {
    TDialog dialog;
    QLineEdit* from = dialog.Edit("edFromSize");
    QTest::keyClicks(from, "a-x ");
    QCOMPARE(from->text(), QString());
    QVERIFY(!dialog.Check("ckSize")->isChecked());
    QTest::keyClicks(from, "12");
    QCOMPARE(from->text(), QString("12"));
    QVERIFY(dialog.Check("ckSize")->isChecked());
    QTest::keyClick(from, Qt::Key_Backspace);
    QCOMPARE(from->text(), QString("1"));
    QTest::keyClicks(from, "234567890");
    QCOMPARE(from->text(), QString("12345678"));  // at most 8 digits
    QTest::keyClick(from, Qt::Key_Home);
    QTest::keyClick(from, Qt::Key_Delete);
    QCOMPARE(from->text(), QString("2345678"));
    QApplication::clipboard()->setText("9");
    from->paste();
    QCOMPARE(from->text(), QString("92345678"));  // pasted at the cursor
    from->clear();
    QApplication::clipboard()->setText("1 KB");
    from->paste();
    QCOMPARE(from->text(), QString());  // not digits: refused whole

    QLineEdit* within = dialog.Edit("edAccessedWithin");
    QTest::keyClicks(within, "q");
    QVERIFY(!dialog.Check("ckAccessedDT")->isChecked());
    QTest::keyClicks(within, "7");
    QCOMPARE(within->text(), QString("17"));
    QVERIFY(dialog.Check("ckAccessedDT")->isChecked());

    dialog.Radio("rbArchiveSet")->click();
    QVERIFY(dialog.Check("ckAttributes")->isChecked());
    dialog.List("ddModifiedWithinUnits")->setCurrentIndex(2);
    QVERIFY(dialog.Check("ckModifiedDT")->isChecked());
  }

  void okIsEnabledOnlyWhileTheEntriesMakeSense() {
    TDialog dialog;
    dialog.Edit("edFromSize")->setText("2");
    dialog.List("ddFromSizeUnits")->setCurrentIndex(1);
    dialog.Edit("edToSize")->setText("1");
    dialog.List("ddToSizeUnits")->setCurrentIndex(1);
    QVERIFY(!dialog.Ok()->isEnabled());
    QCOMPARE(dialog.Problem(), QString("The size range ends before it starts."));
    dialog.Check("ckSize")->click();  // unticked, the size range does not matter
    QVERIFY(dialog.Ok()->isEnabled());
    QCOMPARE(dialog.Problem(), QString());
    dialog.Edit("edFromSize")->clear();
    dialog.Edit("edToSize")->setText("0");
    QVERIFY(!dialog.Ok()->isEnabled());
    QCOMPARE(dialog.Problem(), QString("The largest size must be above 0."));
    dialog.Edit("edToSize")->clear();
    QVERIFY(dialog.Ok()->isEnabled());
    // Pasted text is refused by the edit; text put there otherwise makes the entries invalid.
    dialog.Edit("edToSize")->setText("12ab");
    QVERIFY(!dialog.Ok()->isEnabled());
    QCOMPARE(dialog.Problem(), QString("Sizes must be whole numbers."));
    dialog.Edit("edToSize")->setText("99999999");
    dialog.List("ddToSizeUnits")->setCurrentIndex(3);
    QVERIFY2(dialog.Ok()->isEnabled(), "the largest entry still fits");
    dialog.Edit("edCreatedWithin")->clear();
    QVERIFY(!dialog.Ok()->isEnabled());
    QCOMPARE(dialog.Problem(), QString("The created range needs a whole number of units."));
    dialog.Edit("edCreatedWithin")->setText("1");
    QVERIFY(dialog.Ok()->isEnabled());

    // Absolute shows the pickers and ticks the group; a reversed range stays refused when
    // the group goes back to Relative.
    dialog.Radio("rbModifiedAbsolute")->click();
    QVERIFY(dialog.Check("ckModifiedDT")->isChecked());
    QVERIFY(dialog.Get("dtModifiedDTFromD")->isVisible());
    QVERIFY(dialog.Get("lbModifiedTo")->isVisible());
    QVERIFY(!dialog.Get("edModifiedWithin")->isVisible());
    dialog.Get<QTimeEdit>("dtModifiedDTToT")->setTime(QTime(0, 0, 0));
    dialog.Get<QDateEdit>("dtModifiedDTToD")->setDate(QDate::currentDate().addDays(-1));
    QVERIFY(!dialog.Ok()->isEnabled());
    QCOMPARE(dialog.Problem(), QString("The last modified range ends before it starts."));
    dialog.Radio("rbModifiedRelative")->click();
    QVERIFY(!dialog.Get("dtModifiedDTFromD")->isVisible());
    QVERIFY(!dialog.Ok()->isEnabled());
    dialog.Check("ckModifiedDT")->click();
    QVERIFY(dialog.Ok()->isEnabled());
  }

  void okWritesEverySettingAndCancelWritesNothing() {
    TDialog dialog;
    dialog.Edit("edFromSize")->setText("2");
    dialog.List("ddFromSizeUnits")->setCurrentIndex(1);
    dialog.Edit("edToSize")->setText("3");
    dialog.List("ddToSizeUnits")->setCurrentIndex(2);
    dialog.Edit("edCreatedWithin")->setText("30");
    dialog.List("ddCreatedWithinUnits")->setCurrentIndex(2);
    dialog.Radio("rbModifiedAbsolute")->click();
    dialog.Get<QDateEdit>("dtModifiedDTFromD")->setDate(QDate(1600, 2, 29));
    dialog.Get<QTimeEdit>("dtModifiedDTFromT")->setTime(QTime(6, 30, 15));
    dialog.Get<QDateEdit>("dtModifiedDTToD")->setDate(QDate(2024, 3, 31));
    dialog.Radio("rbHiddenSet")->click();
    dialog.Radio("rbReadOnlyNotSet")->click();

    // Cancel first: nothing is written.
    int writes = 0;
    dialog.settings.DataMod().OnChange = [&writes](const std::string&) { ++writes; };
    const search::TFileFilter before = dialog.settings.DataMod().FileFilter();
    dialog.Get<QPushButton>("BitBtn1")->click();
    QCOMPARE(dialog.form->result(), int(QDialog::Rejected));
    QCOMPARE(writes, 0);
    QVERIFY(dialog.settings.DataMod().FileFilter() == before);

    dialog.form->show();
    dialog.Ok()->click();
    QCOMPARE(dialog.form->result(), int(QDialog::Accepted));
    const std::unique_ptr<TDataMod> stored = dialog.settings.Reload();
    QVERIFY(stored->FilterUseSize.Value());
    QCOMPARE(stored->FilterMinSize.Value(), int64_t{2048});
    QCOMPARE(stored->FilterMaxSize.Value(), int64_t{3} << 20);
    QVERIFY(stored->FilterUseCreatedDT.Value());
    QVERIFY(stored->FilterCreatedDTRelative.Value());
    QCOMPARE(stored->FilterCreatedDTRelativeAmount.Value(), 30);
    QCOMPARE(stored->FilterCreatedDTRelativeUnits.Value(), std::string("days"));
    QVERIFY(stored->FilterUseModifiedDT.Value());
    QVERIFY(!stored->FilterModifiedDTRelative.Value());
    QCOMPARE(stored->FilterMinModifiedDT.Value(), At(1600, 2, 29, 6, 30, 15));
    QCOMPARE(stored->FilterMaxModifiedDT.Value(), At(2024, 3, 31, 23, 59, 59));
    QVERIFY(!stored->FilterUseAccessedDT.Value());
    // The pickers are written also for a relative group.
    QCOMPARE(stored->FilterMinAccessedDT.Value(), At(QDate::currentDate().year(), QDate::currentDate().month(),
                                                     QDate::currentDate().day()));
    QVERIFY(stored->FilterUseAttribute.Value());
    QCOMPARE(int(stored->FilterAttributeHidden.Value()), 1);
    QCOMPARE(int(stored->FilterAttributeReadOnly.Value()), 2);
    QCOMPARE(int(stored->FilterAttributeArchive.Value()), 0);

    // Reopened, the dialog shows what was stored; OK then writes nothing again.
    dialog.Open();
    QCOMPARE(dialog.Edit("edFromSize")->text(), QString("2"));
    QCOMPARE(dialog.List("ddFromSizeUnits")->currentText(), QString("KB"));
    QCOMPARE(dialog.Edit("edToSize")->text(), QString("3"));
    QCOMPARE(dialog.List("ddToSizeUnits")->currentText(), QString("MB"));
    QVERIFY(dialog.Radio("rbModifiedAbsolute")->isChecked());
    QVERIFY(dialog.Get("dtModifiedDTFromD")->isVisible());
    QCOMPARE(dialog.Get<QDateEdit>("dtModifiedDTFromD")->date(), QDate(1600, 2, 29));
    QCOMPARE(dialog.Get<QTimeEdit>("dtModifiedDTFromT")->time(), QTime(6, 30, 15));
    QCOMPARE(dialog.List("ddCreatedWithinUnits")->currentText(), QString("days"));
    QVERIFY(dialog.Radio("rbHiddenSet")->isChecked());
    for (const char* title : kTitles) {
      QCOMPARE(dialog.Check(title)->isChecked(), std::string(title) != "ckAccessedDT");
    }
    writes = 0;
    dialog.Ok()->click();
    QCOMPARE(writes, 0);
  }

  void storedValuesReopenWithoutLoss() {
    TDialog dialog;
    TDataMod& settings = dialog.settings.DataMod();
    settings.FilterMinSize.Set(3072);
    settings.FilterMaxSize.Set(3000);
    settings.FilterAccessedDTRelativeAmount.Set(1234567);
    settings.FilterAccessedDTRelativeUnits.Set("WEEKS");
    dialog.Open();
    QCOMPARE(dialog.Edit("edFromSize")->text(), QString("3"));
    QCOMPARE(dialog.List("ddFromSizeUnits")->currentText(), QString("KB"));
    QCOMPARE(dialog.Edit("edToSize")->text(), QString("3000"));
    QCOMPARE(dialog.List("ddToSizeUnits")->currentText(), QString("Bytes"));
    QCOMPARE(dialog.Edit("edAccessedWithin")->text(), QString("1234567"));  // longer than typing allows, not cut
    QCOMPARE(dialog.List("ddAccessedWithinUnits")->currentText(), QString("weeks"));
    settings.FilterMaxSize.Set(123456789012345LL);
    dialog.Open();
    dialog.Ok()->click();
    QCOMPARE(settings.FilterMaxSize.Value(), 123456789012345LL);
    QCOMPARE(settings.FilterAccessedDTRelativeAmount.Value(), 1234567);
  }

  void resetClearsTheControlsNotTheSettings() {
    TDialog dialog;
    TDataMod& settings = dialog.settings.DataMod();
    settings.FilterUseSize.Set(true);
    settings.FilterMinSize.Set(10);
    settings.FilterAttributeSystem.Set(2);
    dialog.Open();
    QVERIFY(dialog.Radio("rbSystemNotSet")->isChecked());
    dialog.Get<QPushButton>("btReset")->click();
    QVERIFY(!dialog.Check("ckSize")->isChecked());
    QCOMPARE(dialog.Edit("edFromSize")->text(), QString());
    QVERIFY(dialog.Radio("rbSystemEither")->isChecked());
    QVERIFY(!dialog.Check("ckAttributes")->isChecked());
    QVERIFY(settings.FilterUseSize.Value());
    QCOMPARE(settings.FilterMinSize.Value(), int64_t{10});
  }

  void tabRunsTopToBottom() {
    TDialog dialog;
    dialog.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog.form.get()));
    dialog.Check("ckSize")->setFocus();
    // A group of radio buttons is one stop, at its checked button; hidden pickers are no stop.
    const char* order[] = {"edFromSize", "ddFromSizeUnits", "edToSize", "ddToSizeUnits", "ckCreateDT",
                           "rbCreatedRelative", "edCreatedWithin", "ddCreatedWithinUnits", "ckModifiedDT",
                           "rbModifiedRelative", "edModifiedWithin", "ddModifiedWithinUnits", "ckAccessedDT",
                           "rbAccessedRelative", "edAccessedWithin", "ddAccessedWithinUnits", "ckAttributes",
                           "rbArchiveEither", "rbReadOnlyEither", "rbSystemEither", "rbHiddenEither",
                           "rbCompressedEither", "btOk", "BitBtn1", "btReset", "ckSize"};
    for (const char* name : order) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QWidget* focused = QApplication::focusWidget();
      QVERIFY2(focused != nullptr && focused->objectName() == name,
               qPrintable(QString("%1 expected, %2 focused").arg(name, focused ? focused->objectName() : "none")));
    }
    dialog.Radio("rbCompressedNotSet")->click();
    dialog.Ok()->setFocus();
    QTest::keyClick(dialog.Ok(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("rbCompressedNotSet"));
  }

  void dayNumbersConvertBothWays() {
    const double moments[] = {0, At(2024, 2, 29, 23, 59, 59), At(100, 1, 1), At(1600, 12, 31, 12), At(1899, 12, 29, 6)};
    for (double moment : moments) {
      QCOMPARE(DayNumberOf(DateOfDay(moment), TimeOfDay(moment)), moment);
    }
    QCOMPARE(DateOfDay(search::kMinDateTime), QDate(100, 1, 1));
    QCOMPARE(TimeOfDay(search::kMaxDateTime), QTime(23, 59, 59));
  }

  // The main window: "..." opens the dialog, OK refreshes the label and hint, Cancel keeps
  // them, X switches the five parts off and keeps their values.
  void mainWindowShowsTheDescriptionAndClears() {
    TSettingsSandbox settings;
    TMainForm form(settings.DataMod());
    form.show();
    auto* label = Named<QLabel>(&form, "lbFilter");
    auto* open = Named<QToolButton>(&form, "btFilter");
    auto* clear = Named<QToolButton>(&form, "btClearFilter");
    QCOMPARE(label->text(), QString("none"));
    QCOMPARE(label->toolTip(), QString());
    QVERIFY(open->isEnabled());
    QVERIFY2(!clear->isEnabled(), "nothing to clear");

    const auto answer = [](const std::function<void(TFilterForm&)>& act) {
      QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<TFilterForm*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        QCOMPARE(dialog->parentWidget()->objectName(), QString("MainForm"));
        act(*dialog);
      });
    };
    answer([](TFilterForm& dialog) {
      Named<QLineEdit>(&dialog, "edFromSize")->setText("10");
      Named<QComboBox>(&dialog, "ddFromSizeUnits")->setCurrentIndex(1);
      Named<QCheckBox>(&dialog, "ckModifiedDT")->click();
      Named<QPushButton>(&dialog, "btOk")->click();
    });
    open->click();
    QCOMPARE(label->text(), QString("size, modified"));
    QCOMPARE(label->toolTip(), QString("size larger than 10 KB;\nwithin previous 1 years;"));
    QVERIFY(clear->isEnabled());

    answer([](TFilterForm& dialog) {
      Named<QCheckBox>(&dialog, "ckSize")->click();
      Named<QPushButton>(&dialog, "BitBtn1")->click();
    });
    open->click();
    QCOMPARE(label->text(), QString("size, modified"));
    QVERIFY(settings.DataMod().FilterUseSize.Value());

    clear->click();
    QCOMPARE(label->text(), QString("none"));
    QCOMPARE(label->toolTip(), QString());
    QVERIFY(!clear->isEnabled());
    QVERIFY(!settings.DataMod().FileFilter().Active());
    QCOMPARE(settings.DataMod().FilterMinSize.Value(), int64_t{10240});
    QCOMPARE(settings.DataMod().FilterModifiedDTRelativeUnits.Value(), std::string("years"));
  }

  void theWindowStartsWithTheStoredDescription() {
    TSettingsSandbox settings;
    settings.DataMod().FilterUseAttribute.Set(true);
    settings.DataMod().FilterAttributeHidden.Set(1);
    TMainForm form(settings.DataMod());
    QCOMPARE(Named<QLabel>(&form, "lbFilter")->text(), QString("attribute"));
    QCOMPARE(Named<QLabel>(&form, "lbFilter")->toolTip(), QString("attribute +H"));
  }

  void aLongDescriptionEndsInAnEllipsis() {
    TSettingsSandbox settings;
    for (TBoolSetting* use : {&settings.DataMod().FilterUseCreatedDT, &settings.DataMod().FilterUseModifiedDT,
                              &settings.DataMod().FilterUseAccessedDT, &settings.DataMod().FilterUseAttribute}) {
      use->Set(true);
    }
    TMainForm form(settings.DataMod());
    form.show();
    auto* label = Named<TElidedLabel>(&form, "lbFilter");
    label->resize(80, label->height());
    QCOMPARE(label->text(), QString("created, modified, accessed, attribute"));
    QVERIFY2(label->ShownText().endsWith(QChar(0x2026)), qPrintable(label->ShownText()));
    QVERIFY(QFontMetrics(label->font()).horizontalAdvance(label->ShownText()) <= 80);
  }
};

SEARCH_QTEST_MAIN(FilterFormTest)
#include "FilterFormTest.moc"
