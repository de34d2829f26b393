// The preferences dialog offscreen: loading, OK and Cancel, the editor rules, colours, font and
// the shell-integration box.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>

#include "search/settings/RegisterDll.h"
#include "search/settings/ShellIntegration.h"
#include "search/settings/forms/ConfigurationForm.h"
#include "support/TempTree.h"
#include "ui/support/UiTestSupport.h"

namespace {

// Records what the dialog asks of the registration.
class TFakeShellIntegration final : public TShellIntegration {
 public:
  std::string file;
  bool registered = false;
  int registrations = 0;
  int removals = 0;

  std::string ExtensionFilePath() const override { return file; }
  bool IsExtensionRegistered() override { return registered; }
  void RegisterExtension() override {
    ++registrations;
    registered = true;
  }
  void UnregisterExtension() override {
    ++removals;
    registered = false;
  }
};

// The check boxes of the dialog and the settings they stand for.
struct BoxSetting {
  const char* box;
  TBoolSetting TDataMod::*setting;
};
const BoxSetting kBoxes[] = {
    {"ckUseToolTray", &TDataMod::UseToolTray},
    {"ckShowButtonCaptions", &TDataMod::ShowButtonCaptions},
    {"ckShowStatusBar", &TDataMod::ShowStatusBar},
    {"ckAutoExpand", &TDataMod::AutoExpand},
    {"ckShowHints", &TDataMod::ShowHints},
    {"ckRegularExpressions", &TDataMod::ShowRegularExpressions},
    {"ckAutoComplete", &TDataMod::AutoComplete},
    {"ckShowResultsAsFound", &TDataMod::ShowsResultsAsFound},
    {"ckAssociatedApplication", &TDataMod::UseAssociatedEditor},
    {"ckSpecifiedEditor", &TDataMod::UseExternalEditor},
    {"ckShowFileSize", &TDataMod::ShowFileSize},
    {"ckShowFileCreationDate", &TDataMod::ShowFileCreationDate},
    {"ckShowFileModifiedDate", &TDataMod::ShowFileModifiedDate},
    {"ckShowFileAccessedDate", &TDataMod::ShowFileAccessedDate},
    {"ckIncludeBlankLines", &TDataMod::IncludeBlankLines},
};

template <typename T>
T* In(TConfigurationForm& form, const char* name) {
  return Named<T>(&form, name);
}

}  // namespace

class ConfigurationFormTest : public QObject {
  Q_OBJECT

 private slots:
  void opensOnTheOptionsPageWithEveryPage() {
    TSettingsSandbox sandbox;
    TFakeShellIntegration shell;
    TConfigurationForm form(sandbox.DataMod(), shell);
    QCOMPARE(form.windowTitle(), QString("Search Preferences"));
    auto* pages = In<QTabWidget>(form, "pcPages");
    QCOMPARE(pages->currentIndex(), 0);
    const QStringList captions = {"&Options", "&Colours and Font", "&Editor", "File Info", "Update"};
    QCOMPARE(pages->count(), captions.size());
    for (int i = 0; i < captions.size(); ++i) QCOMPARE(pages->tabText(i), captions[i]);
  }

  void checkBoxesLoadAndSaveTheirSettings() {
    TSettingsSandbox sandbox;
    TDataMod& d = sandbox.DataMod();
    d.DefaultEditor.Set(0);  // leaves the two other editor boxes free
    // Every box starts opposite to its default, so a box bound to the wrong setting shows.
    for (const BoxSetting& entry : kBoxes) (d.*entry.setting).Set(!(d.*entry.setting).Default());
    TFakeShellIntegration shell;
    {
      TConfigurationForm form(d, shell);
      for (const BoxSetting& entry : kBoxes) {
        QVERIFY2(In<QCheckBox>(form, entry.box)->isChecked() == (d.*entry.setting).Value(), entry.box);
        In<QCheckBox>(form, entry.box)->setChecked(!(d.*entry.setting).Value());
      }
      In<QPushButton>(form, "btOk")->click();
      QCOMPARE(form.result(), int(QDialog::Accepted));
    }
    const auto reloaded = sandbox.Reload();
    for (const BoxSetting& entry : kBoxes) {
      QVERIFY2(((*reloaded).*entry.setting).Value() == ((*reloaded).*entry.setting).Default(), entry.box);
    }
  }

  void cancelWritesNothing() {
    TSettingsSandbox sandbox;
    TDataMod& d = sandbox.DataMod();
    TFakeShellIntegration shell;
    shell.file = QCoreApplication::applicationFilePath().toStdString();  // present
    {
      TConfigurationForm form(d, shell);
      form.ChooseColour = [](QWidget*, QColor& colour, std::vector<QColor>& custom) {
        colour = Qt::red;
        custom[0] = Qt::blue;
        return true;
      };
      for (const BoxSetting& entry : kBoxes) In<QCheckBox>(form, entry.box)->toggle();
      In<QCheckBox>(form, "ckRegisterShell")->setChecked(true);
      In<TColourButton>(form, "cbMatchedFilesBack")->click();
      In<QLineEdit>(form, "edSpecifiedEditor")->setText("/usr/bin/vi");
      In<QSpinBox>(form, "spBeforeMatch")->setValue(7);
      In<QRadioButton>(form, "rbUpdateCheckMonthly")->setChecked(true);
      In<QPushButton>(form, "btCancel")->click();
    }
    QCOMPARE(shell.registrations, 0);
    const auto reloaded = sandbox.Reload();
    for (const BoxSetting& entry : kBoxes) QVERIFY2(((*reloaded).*entry.setting).Value() == (d.*entry.setting).Value(), entry.box);
    QCOMPARE(reloaded->MatchedFilesBackColour.Value(), d.MatchedFilesBackColour.Default());
    QVERIFY(reloaded->CustomColours().empty());
    QCOMPARE(reloaded->Editor.Value(), std::string());
    QCOMPARE(reloaded->NumberOfLinesToShowBeforeMatch.Value(), 2);
    QCOMPARE(int(reloaded->UpdateCheckFrequency.Value()), 0);
  }

  void otherControlsLoadAndSave() {
    TSettingsSandbox sandbox;
    TDataMod& d = sandbox.DataMod();
    d.Editor.Set("/opt/edit");
    d.ExternalEditorAguments.Set("-l %l");
    d.NumberOfLinesToShowBeforeMatch.Set(4);
    d.NumberOfLinesToShowAfterMatch.Set(9);
    d.UseExternalEditor.Set(true);
    TFakeShellIntegration shell;
    TConfigurationForm form(d, shell);
    QCOMPARE(In<QLineEdit>(form, "edSpecifiedEditor")->text(), QString("/opt/edit"));
    QCOMPARE(In<QLineEdit>(form, "edExternalEditorArguments")->text(), QString("-l %l"));
    QCOMPARE(In<QSpinBox>(form, "spBeforeMatch")->value(), 4);
    QCOMPARE(In<QSpinBox>(form, "spAfterMatch")->value(), 9);
    QCOMPARE(In<QSpinBox>(form, "spAfterMatch")->maximum(), 10);
    QCOMPARE(In<QSpinBox>(form, "spAfterMatch")->minimum(), 0);

    // An application typed with blanks around it is saved without them.
    In<QLineEdit>(form, "edSpecifiedEditor")->setText("  /usr/bin/my editor  ");
    In<QLineEdit>(form, "edExternalEditorArguments")->setText(" +%l %f ");
    In<QSpinBox>(form, "spBeforeMatch")->setValue(0);
    In<QSpinBox>(form, "spAfterMatch")->setValue(10);
    In<QPushButton>(form, "btOk")->click();
    const auto reloaded = sandbox.Reload();
    QCOMPARE(reloaded->Editor.Value(), std::string("/usr/bin/my editor"));
    QCOMPARE(reloaded->ExternalEditorAguments.Value(), std::string("+%l %f"));
    QCOMPARE(reloaded->NumberOfLinesToShowBeforeMatch.Value(), 0);
    QCOMPARE(reloaded->NumberOfLinesToShowAfterMatch.Value(), 10);
  }

  void defaultEditorRules_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("radio");
    QTest::addColumn<QString>("box");
    QTest::newRow("internal") << 0 << "rbInternal" << "ckUseInternalEditor";
    QTest::newRow("specified") << 1 << "rbExternal" << "ckSpecifiedEditor";
    QTest::newRow("associated") << 2 << "rbAssociated" << "ckAssociatedApplication";
  }

  void defaultEditorRules() {
    QFETCH(int, stored);
    QFETCH(QString, radio);
    QFETCH(QString, box);
    TSettingsSandbox sandbox;
    TDataMod& d = sandbox.DataMod();
    d.UseInternalEditor.Set(false);
    d.UseExternalEditor.Set(false);
    d.UseAssociatedEditor.Set(false);
    d.DefaultEditor.Set(uint8_t(stored));
    TFakeShellIntegration shell;
    TConfigurationForm form(d, shell);
    QVERIFY(In<QRadioButton>(form, qPrintable(radio))->isChecked());
    for (const char* name : {"ckUseInternalEditor", "ckSpecifiedEditor", "ckAssociatedApplication"}) {
      auto* check = In<QCheckBox>(form, name);
      QCOMPARE(check->isEnabled(), box != name);
      QCOMPARE(check->isChecked(), box == name);
    }
    const bool specified = box == "ckSpecifiedEditor";
    QCOMPARE(In<QLineEdit>(form, "edSpecifiedEditor")->isEnabled(), specified);
    QCOMPARE(In<QLineEdit>(form, "edExternalEditorArguments")->isEnabled(), specified);
    QCOMPARE(In<QLabel>(form, "lbExternalEditorArguments")->isEnabled(), specified);
    QCOMPARE(In<QPushButton>(form, "btConfigureEditor")->isEnabled(), box == "ckUseInternalEditor");

    In<QPushButton>(form, "btOk")->click();
    QCOMPARE(int(sandbox.Reload()->DefaultEditor.Value()), stored);
  }

  void choosingTheSpecifiedEditorAsDefaultEnablesItsBoxes() {
    TSettingsSandbox sandbox;
    sandbox.DataMod().UseExternalEditor.Set(false);
    TFakeShellIntegration shell;
    TConfigurationForm form(sandbox.DataMod(), shell);
    QVERIFY(!In<QLineEdit>(form, "edSpecifiedEditor")->isEnabled());
    In<QRadioButton>(form, "rbExternal")->click();
    QVERIFY(!In<QCheckBox>(form, "ckSpecifiedEditor")->isEnabled());
    QVERIFY(In<QCheckBox>(form, "ckSpecifiedEditor")->isChecked());
    QVERIFY(In<QLineEdit>(form, "edSpecifiedEditor")->isEnabled());
    QVERIFY(In<QLineEdit>(form, "edExternalEditorArguments")->isEnabled());
    QVERIFY(In<QCheckBox>(form, "ckUseInternalEditor")->isEnabled());
    In<QCheckBox>(form, "ckUseInternalEditor")->setChecked(false);
    QVERIFY(!In<QPushButton>(form, "btConfigureEditor")->isEnabled());
  }

  void updateFrequency_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<bool>("monthly");
    QTest::addColumn<bool>("never");
    QTest::addColumn<int>("saved");
    QTest::newRow("monthly") << 1 << true << false << 1;
    QTest::newRow("never") << 0 << false << true << 0;
    QTest::newRow("unknown value") << 2 << false << false << 0;
  }

  void updateFrequency() {
    QFETCH(int, stored);
    QFETCH(bool, monthly);
    QFETCH(bool, never);
    QFETCH(int, saved);
    TSettingsSandbox sandbox;
    sandbox.DataMod().UpdateCheckFrequency.Set(uint8_t(stored));
    TFakeShellIntegration shell;
    TConfigurationForm form(sandbox.DataMod(), shell);
    QCOMPARE(In<QRadioButton>(form, "rbUpdateCheckMonthly")->isChecked(), monthly);
    QCOMPARE(In<QRadioButton>(form, "rbUpdateCheckNever")->isChecked(), never);
    In<QPushButton>(form, "btOk")->click();
    QCOMPARE(int(sandbox.Reload()->UpdateCheckFrequency.Value()), saved);
  }

  void fontIsDescribedChosenAndSaved() {
    TSettingsSandbox sandbox;
    TDataMod& d = sandbox.DataMod();
    d.FontName.Set("DejaVu Sans Mono");
    d.FontSize.Set(10);
    d.FontStyle.Set(TFontStyles{true, false, false, false});
    TFakeShellIntegration shell;
    TConfigurationForm form(d, shell);
    QCOMPARE(In<QLabel>(form, "lbFont")->text(), QString("DejaVu Sans Mono, 10, bold"));

    form.ChooseFont = [](QWidget*, QFont& font) {
      font = QFont("DejaVu Sans", 48);
      font.setItalic(true);
      font.setUnderline(true);
      font.setStrikeOut(true);
      return true;
    };
    In<QToolButton>(form, "btFont")->click();
    QCOMPARE(In<QLabel>(form, "lbFont")->text(), QString("DejaVu Sans, 30, italic, underline, strike-out"));
    // Nothing is saved before OK.
    QCOMPARE(d.FontName.Value(), std::string("DejaVu Sans Mono"));

    In<QPushButton>(form, "btOk")->click();
    const auto reloaded = sandbox.Reload();
    QCOMPARE(reloaded->FontName.Value(), std::string("DejaVu Sans"));
    QCOMPARE(reloaded->FontSize.Value(), 30);
    QVERIFY(reloaded->FontStyle.Value() == (TFontStyles{false, true, true, true}));
  }

  void coloursAndCustomColoursAreShared() {
    TSettingsSandbox sandbox;
    TDataMod& d = sandbox.DataMod();
    d.SetCustomColours({"ColorA=FF0000"});
    TFakeShellIntegration shell;
    TConfigurationForm form(d, shell);
    QCOMPARE(In<TColourButton>(form, "cbMatchedLinesFore")->CustomColours(), std::vector<std::string>{"ColorA=FF0000"});
    QVERIFY(In<TColourButton>(form, "cbOtherLinesBack")->CustomColours().empty());

    std::vector<QColor> offered;
    form.ChooseColour = [&offered](QWidget*, QColor& colour, std::vector<QColor>& custom) {
      offered = custom;
      colour = QColor(0x12, 0x34, 0x56);
      custom[1] = QColor(0, 0xFF, 0);
      return true;
    };
    In<TColourButton>(form, "cbErrorMessagesFore")->click();
    QCOMPARE(offered.at(0), QColor(0, 0, 0xFF));  // stored as 0x00BBGGRR
    QCOMPARE(In<TColourButton>(form, "cbErrorMessagesFore")->Colour(), TColour(0x563412));
    // Defined in one dialog, offered by the next: the other five of the six have them.
    QCOMPARE(In<TColourButton>(form, "cbMatchedFilesBack")->CustomColours().at(1), std::string("ColorB=FF00"));
    QVERIFY(In<TColourButton>(form, "cbOtherLinesFore")->CustomColours().empty());

    In<QPushButton>(form, "btOk")->click();
    const auto reloaded = sandbox.Reload();
    QCOMPARE(reloaded->ErrorMessagesForeColour.Value(), TColour(0x563412));
    QCOMPARE(reloaded->CustomColours().size(), size_t(16));
    QCOMPARE(reloaded->CustomColours().at(1), std::string("ColorB=FF00"));
  }

  void shellBoxFollowsTheExtensionFile_data() {
    QTest::addColumn<bool>("present");
    QTest::addColumn<bool>("registered");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("checked");
    QTest::newRow("present, registered") << true << true << true << true;
    QTest::newRow("present, not registered") << true << false << true << false;
    QTest::newRow("missing, not registered") << false << false << false << false;
    QTest::newRow("missing, registered") << false << true << false << false;
  }

  void shellBoxFollowsTheExtensionFile() {
    QFETCH(bool, present);
    QFETCH(bool, registered);
    QFETCH(bool, enabled);
    QFETCH(bool, checked);
    TSettingsSandbox sandbox;
    TFakeShellIntegration shell;
    shell.file = present ? QCoreApplication::applicationFilePath().toStdString() : "/nonexistent/libKestrix.so";
    shell.registered = registered;
    TConfigurationForm form(sandbox.DataMod(), shell);
    auto* box = In<QCheckBox>(form, "ckRegisterShell");
    QCOMPARE(box->isEnabled(), enabled);
    QCOMPARE(box->isChecked(), checked);
    In<QPushButton>(form, "btOk")->click();
    // Registered from this folder with the file gone: OK removes the registration.
    QCOMPARE(shell.removals, registered && !present ? 1 : 0);
    QCOMPARE(shell.registrations, 0);
  }

  void shellBoxRegistersAndRemovesTheExtension() {
    TSettingsSandbox sandbox;
    TempTree tree;
    tree.Write("program/libKestrix.so");
    TRegisterDll registration({tree.Root() / "registry", tree.Root() / "program", tree.Root() / "data"});
    {
      TConfigurationForm form(sandbox.DataMod(), registration);
      QVERIFY(In<QCheckBox>(form, "ckRegisterShell")->isEnabled());
      In<QCheckBox>(form, "ckRegisterShell")->setChecked(true);
      In<QPushButton>(form, "btOk")->click();
    }
    QVERIFY(registration.IsExtensionRegistered());
    for (const auto& file : registration.FolderActions().Files()) QVERIFY(std::filesystem::exists(file));
    {
      TConfigurationForm form(sandbox.DataMod(), registration);
      QVERIFY(In<QCheckBox>(form, "ckRegisterShell")->isChecked());
      In<QCheckBox>(form, "ckRegisterShell")->setChecked(false);
      In<QPushButton>(form, "btOk")->click();
    }
    QVERIFY(!registration.IsExtensionRegistered());
    for (const auto& file : registration.FolderActions().Files()) QVERIFY(!std::filesystem::exists(file));
  }

  void tabFollowsTheRowsOfEachPage() {
    TSettingsSandbox sandbox;
    sandbox.DataMod().DefaultEditor.Set(0);
    sandbox.DataMod().UseExternalEditor.Set(true);
    TFakeShellIntegration shell;
    TConfigurationForm form(sandbox.DataMod(), shell);
    // The next widget in the chain after `from` and its own parts (a spin box's text box).
    const auto follows = [&form](const char* from, const char* to) {
      QWidget* start = In<QWidget>(form, from);
      QWidget* next = start->nextInFocusChain();
      while (start->isAncestorOf(next)) next = next->nextInFocusChain();
      return next == In<QWidget>(form, to);
    };
    QVERIFY(follows("ckUseInternalEditor", "rbInternal"));
    QVERIFY(follows("btConfigureEditor", "ckAssociatedApplication"));
    QVERIFY(follows("rbExternal", "edSpecifiedEditor"));
    QVERIFY(follows("btSpecifiedEditor", "edExternalEditorArguments"));
    QVERIFY(follows("ckShowFileAccessedDate", "spBeforeMatch"));
    QVERIFY(follows("spAfterMatch", "ckIncludeBlankLines"));
    QVERIFY(follows("cbMatchedFilesFore", "cbMatchedFilesBack"));
  }

  void applicationBrowserFillsTheBox() {
    TSettingsSandbox sandbox;
    sandbox.DataMod().DefaultEditor.Set(1);
    TFakeShellIntegration shell;
    TConfigurationForm form(sandbox.DataMod(), shell);
    QString title;
    form.BrowseForApplication = [&title](QWidget*, const QString& caption, const QString&, const QString&) {
      title = caption;
      return QString("/usr/bin/kate");
    };
    In<QToolButton>(form, "btSpecifiedEditor")->click();
    QCOMPARE(title, QString("Select Application"));
    QCOMPARE(In<QLineEdit>(form, "edSpecifiedEditor")->text(), QString("/usr/bin/kate"));
  }
};

SEARCH_QTEST_MAIN(ConfigurationFormTest)
#include "ConfigurationFormTest.moc"
