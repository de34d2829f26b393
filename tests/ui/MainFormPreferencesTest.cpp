// The Preferences command applies what the dialog saved to the open window at once.

#include <QStatusBar>
#include <QToolButton>

#include "search/ui/MainForm.h"
#include "ui/support/UiTestSupport.h"

class MainFormPreferencesTest : public QObject {
  Q_OBJECT

 private slots:
  void okAppliesTheDisplaySettingsAtOnce() {
    TSettingsSandbox sandbox;
    TMainForm form(sandbox.DataMod());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(form.statusBar()->isVisible());
    TDataMod& dataMod = sandbox.DataMod();
    form.ShowPreferencesDialog = [&dataMod](QWidget*) {
      dataMod.ShowStatusBar.Set(false);
      dataMod.ShowButtonCaptions.Set(false);
      return true;
    };
    form.PreferencesClick();
    QVERIFY(!form.statusBar()->isVisible());
    QCOMPARE(Named<QToolButton>(&form, "btSearch")->toolButtonStyle(), Qt::ToolButtonIconOnly);
  }

  void cancelLeavesTheWindowAsItWas() {
    TSettingsSandbox sandbox;
    TMainForm form(sandbox.DataMod());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    TDataMod& dataMod = sandbox.DataMod();
    form.ShowPreferencesDialog = [&dataMod](QWidget*) {
      // Saved by something else while the dialog was open: not applied without OK.
      dataMod.ShowStatusBar.Set(false);
      return false;
    };
    form.PreferencesClick();
    QVERIFY(form.statusBar()->isVisible());
  }
};

SEARCH_QTEST_MAIN(MainFormPreferencesTest)
#include "MainFormPreferencesTest.moc"
