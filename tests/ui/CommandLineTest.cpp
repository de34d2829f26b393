// The program's first argument reaches the Path box, as the folder extension sends it.

#include "search/ui/CriteriaComboBox.h"
#include "search/ui/MainForm.h"
#include "ui/support/UiTestSupport.h"

class CommandLineTest : public QObject {
  Q_OBJECT

 private slots:
  void argumentFillsThePathBox_data() {
    QTest::addColumn<bool>("useTray");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("files");
    QTest::newRow("folder list") << false << "/data/A; /data/B" << "/data/A; /data/B" << "*.*";
    QTest::newRow("trimmed") << false << "  /data/A \t" << "/data/A" << "*.*";
    QTest::newRow("blanks inside") << false << "/data/my folder" << "/data/my folder" << "*.*";
    QTest::newRow("empty") << false << "" << "/start" << "*.txt";
    QTest::newRow("only blanks") << false << "   " << "/start" << "*.txt";
    QTest::newRow("hide without tray") << false << "hide" << "hide" << "*.*";
    QTest::newRow("hide with tray") << true << "hide" << "/start" << "*.txt";
    QTest::newRow("NOSHOW with tray") << true << "NOSHOW" << "/start" << "*.txt";
    QTest::newRow("folder with tray") << true << "/data/A" << "/data/A" << "*.*";
  }

  void argumentFillsThePathBox() {
    QFETCH(bool, useTray);
    QFETCH(QString, argument);
    QFETCH(QString, path);
    QFETCH(QString, files);
    TSettingsSandbox sandbox;
    sandbox.DataMod().UseToolTray.Set(useTray);
    TMainForm form(sandbox.DataMod());
    Named<TCriteriaComboBox>(&form, "cbPath")->SetText("/start");
    Named<TCriteriaComboBox>(&form, "cbFiles")->SetText("*.txt");
    form.ApplyCommandLine(argument);
    QCOMPARE(Named<TCriteriaComboBox>(&form, "cbPath")->currentText(), path);
    QCOMPARE(Named<TCriteriaComboBox>(&form, "cbFiles")->currentText(), files);
  }
};

SEARCH_QTEST_MAIN(CommandLineTest)
#include "CommandLineTest.moc"
