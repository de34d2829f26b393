// The editor preferences dialog offscreen: loading, OK storing every value in its order, Cancel
// and closing storing nothing, the live preview following every control, the OK validation,
// the two Resets, shared custom colours, the font, the preview's painting, and the opening
// from the main preferences.

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <functional>
#include <string>
#include <vector>

#include "search/editor/ConfigurationEditorForm.h"
#include "search/editor/EditControl.h"
#include "search/settings/ShellIntegration.h"
#include "search/settings/forms/ConfigurationForm.h"
#include "search/ui/ColourValues.h"
#include "ui/support/UiTestSupport.h"

namespace {

// The dialog over a settings folder of its own, with the settings it writes recorded.
struct TDialog {
  TSettingsSandbox settings;
  std::vector<std::string> written;
  std::unique_ptr<TConfigurationEditorForm> form;

  TDialog() {
    settings.DataMod().OnChange = [this](const std::string& name) { written.push_back(name); };
    form = std::make_unique<TConfigurationEditorForm>(settings.DataMod());
  }
  template <typename T>
  T* Get(const char* name) {
    return Named<T>(form.get(), name);
  }
  QCheckBox* Check(const char* name) { return Get<QCheckBox>(name); }
  QLineEdit* Edit(const char* name) { return Get<QLineEdit>(name); }
  TColourButton* Colour(const char* name) { return Get<TColourButton>(name); }
  TEditControl& Sample() { return *Get<TEditControl>("EditorSample"); }
  bool OkEnabled() { return Get<QPushButton>("btOk")->isEnabled(); }
  QColor Resolved(TColour colour) { return ResolveColour(colour, form->palette()); }
  // Every colour dialog answers with this colour.
  void AnswerColour(const QColor& colour) {
    form->ChooseColour = [colour](QWidget*, QColor& chosen, std::vector<QColor>&) {
      chosen = colour;
      return true;
    };
  }
  // The painting attributes of one preview line.
  TLineAttrs Attrs(int line) {
    TEditControl& sample = Sample();
    TLineAttrs attrs;
    attrs.fill(TLineAttr{sample.ForeColour(), sample.BackColour(), TFontStyles{}, QColor()});
    sample.OnGetLineAttr(sample, sample.LineView(line), line, attrs);
    return attrs;
  }
};

const char* const kColourButtons[] = {
    "cbForeColour",          "cbBackColour",          "cbSelectionForeColour",
    "cbSelectionBackColour", "cbGutterColour",        "cbRightMarginColour",
    "cbBracketForeColour",   "cbBracketBackColour",   "cbMatchedStringForegroundColour",
    "cbMatchedStringBackgroundColour", "cbMatchedLineForegroundColour", "cbMatchedLineBackgroundColour",
};

// The settings OK stores, in the order it stores them.
const std::vector<std::string> kStoredInOrder = {
    "EditorBackSpaceUnindents", "EditorCursorBeyondEOF", "EditorDoubleClickLine", "EditorKeepTrailingBlanks",
    "EditorSmartTab", "EditorTabStops", "EditorRightMarginPos", "EditorRightMarginVisible", "EditorForeColour",
    "EditorBackColour", "EditorGutterColour", "EditorRightMarginColour", "EditorSelBackColour",
    "EditorSelForeColour", "EditorBracketHighlighting", "EditorBracketForeColour", "EditorBracketBackColour",
    "EditorMatchedStringForegroundColour", "EditorMatchedStringBackgroundColour",
    "EditorMatchedLineForegroundColour", "EditorMatchedLineBackgroundColour", "EditorFontName", "EditorFontSize",
    "EditorFontStyle", "EditorAutoIndent",
};

// Changes every control of the dialog: each box toggled, both texts, every colour, the font.
void ChangeEverything(TDialog& dialog) {
  for (const char* box : {"ckAutoIndent", "ckBackspaceUnindents", "ckCursorBeyondEOF", "ckDoubleClickLine",
                          "ckKeepTrailingBlanks", "ckRightMarginVisible", "ckHighlightBrackets"}) {
    dialog.Check(box)->toggle();
  }
  dialog.Edit("edTabStops")->setText(" 5 9 ");
  dialog.Edit("edRightMarginAt")->setText("72");
  dialog.Check("ckSmartTab")->toggle();
  int shade = 0;
  for (const char* button : kColourButtons) {
    dialog.AnswerColour(QColor(0x10 + shade, 0x20, 0x30));
    dialog.Colour(button)->click();
    shade += 8;
  }
  dialog.form->ChooseFont = [](QWidget*, QFont& font) {
    font = QFont("DejaVu Sans", 12);
    font.setItalic(true);
    return true;
  };
  dialog.Get<QToolButton>("btFont")->click();
}

}  // namespace

class ConfigurationEditorFormTest final : public QObject {
  Q_OBJECT

 private slots:
  void AFirstStartShowsTheDefaults() {
    TDialog dialog;
    TConfigurationEditorForm& form = *dialog.form;
    QCOMPARE(form.windowTitle(), QString("Editor Preferences"));
    auto* pages = dialog.Get<QTabWidget>("pcPages");
    QCOMPARE(pages->count(), 4);
    QCOMPARE(pages->tabText(0), QString("&Options"));
    QCOMPARE(pages->tabText(1), QString("&Colours"));
    QCOMPARE(pages->tabText(2), QString("&More Colours"));
    QCOMPARE(pages->tabText(3), QString("&Font"));
    QCOMPARE(pages->currentIndex(), 0);

    QVERIFY(dialog.Check("ckAutoIndent")->isChecked());
    for (const char* box : {"ckBackspaceUnindents", "ckCursorBeyondEOF", "ckDoubleClickLine", "ckKeepTrailingBlanks",
                            "ckSmartTab", "ckRightMarginVisible", "ckHighlightBrackets"}) {
      QVERIFY2(!dialog.Check(box)->isChecked(), box);
    }
    QCOMPARE(dialog.Edit("edTabStops")->text(), QString("3 5 7 9 11 13 15 17 19 21 23 25 27 29 31 33 35 37 39 41"));
    QCOMPARE(dialog.Edit("edTabStops")->maxLength(), 80);
    QVERIFY(dialog.Edit("edTabStops")->isEnabled());
    QCOMPARE(dialog.Edit("edRightMarginAt")->text(), QString("80"));
    QCOMPARE(dialog.Edit("edRightMarginAt")->maxLength(), 3);
    for (const char* name : {"edRightMarginAt", "cbRightMarginColour", "lbRightMarginColour", "cbBracketForeColour",
                             "cbBracketBackColour", "lbBracketHighlight"}) {
      QVERIFY2(!dialog.Get<QWidget>(name)->isEnabled(), name);
    }
    const std::pair<const char*, TColour> colours[] = {
        {"cbForeColour", SystemColour(8)},
        {"cbBackColour", SystemColour(5)},
        {"cbSelectionForeColour", SystemColour(14)},
        {"cbSelectionBackColour", SystemColour(13)},
        {"cbGutterColour", SystemColour(15)},
        {"cbRightMarginColour", SystemColour(15)},
        {"cbBracketForeColour", SystemColour(5)},
        {"cbBracketBackColour", SystemColour(8)},
        {"cbMatchedStringForegroundColour", 0x0000FFFF},
        {"cbMatchedStringBackgroundColour", 0x000000FF},
        {"cbMatchedLineForegroundColour", SystemColour(8)},
        {"cbMatchedLineBackgroundColour", SystemColour(24)},
    };
    for (const auto& [name, colour] : colours) QVERIFY2(dialog.Colour(name)->Colour() == colour, name);
    QCOMPARE(dialog.Get<QLabel>("lbFont")->text(), QString("Courier New, 10"));
    QVERIFY(dialog.OkEnabled());
    QVERIFY(dialog.written.empty());
  }

  void ThePreviewHoldsItsTwelveLinesInTheStoredLook() {
    TDialog dialog;
    TEditControl& sample = dialog.Sample();
    QCOMPARE(sample.height(), 147);
    QCOMPARE(sample.LineCount(), 12);
    std::string ruler(100, ' ');
    for (int tens = 1; tens <= 10; ++tens) ruler[size_t(tens * 10 - 1)] = char('0' + tens % 10);
    QCOMPARE(sample.LineText(0), ruler);
    std::string digits;
    for (int i = 0; i < 10; ++i) digits += "1234567890";
    QCOMPARE(sample.LineText(1), digits);
    const char* words[] = {"one", "two", "(three)", "[four]", "{five}", "six", "seven", "eight", "nine", "ten"};
    for (int i = 0; i < 10; ++i) QCOMPARE(sample.LineText(i + 2), std::string(words[i]));

    QCOMPARE(sample.TextFont().family(), QString("Courier New"));
    QCOMPARE(sample.TextFont().pointSize(), 10);
    QCOMPARE(sample.TabStops(), std::string("3 5 7 9 11 13 15 17 19 21 23 25 27 29 31 33 35 37 39 41"));
    QCOMPARE(sample.RightMargin(), 80);
    QVERIFY(!sample.RightMarginVisible());
    QVERIFY(sample.AutoIndent());
    QCOMPARE(sample.ForeColour(), dialog.Resolved(SystemColour(8)));
    QCOMPARE(sample.BackColour(), dialog.Resolved(SystemColour(5)));
    QCOMPARE(sample.GutterColour(), dialog.Resolved(SystemColour(15)));
    QCOMPARE(sample.GutterWidth(), dialog.form->fontMetrics().horizontalAdvance("1234"));
  }

  void OkStoresEveryValueInItsOrder() {
    TDialog dialog;
    ChangeEverything(dialog);
    QVERIFY(dialog.written.empty());
    dialog.Get<QPushButton>("btOk")->click();
    QCOMPARE(dialog.form->result(), int(QDialog::Accepted));
    QCOMPARE(dialog.written, kStoredInOrder);

    const auto reloaded = dialog.settings.Reload();
    QVERIFY(!reloaded->EditorAutoIndent.Value());
    QVERIFY(reloaded->EditorBackSpaceUnindents.Value());
    QVERIFY(reloaded->EditorCursorBeyondEOF.Value());
    QVERIFY(reloaded->EditorDoubleClickLine.Value());
    QVERIFY(reloaded->EditorKeepTrailingBlanks.Value());
    QVERIFY(reloaded->EditorSmartTab.Value());
    QCOMPARE(reloaded->EditorTabStops.Value(), std::string("5 9"));
    QCOMPARE(reloaded->EditorRightMarginPos.Value(), 72);
    QVERIFY(reloaded->EditorRightMarginVisible.Value());
    QVERIFY(reloaded->EditorBracketHighlighting.Value());
    // Stored as 0x00BBGGRR, in the order the buttons were clicked.
    QCOMPARE(reloaded->EditorForeColour.Value(), TColour(0x302010));
    QCOMPARE(reloaded->EditorMatchedLineBackgroundColour.Value(), TColour(0x302010 + 11 * 8));
    QCOMPARE(reloaded->EditorFontName.Value(), std::string("DejaVu Sans"));
    QCOMPARE(reloaded->EditorFontSize.Value(), 12);
    QVERIFY(reloaded->EditorFontStyle.Value() == (TFontStyles{false, true, false, false}));
  }

  void NothingIsStoredWithoutOk_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Cancel") << "cancel";
    QTest::newRow("the window's close") << "close";
    QTest::newRow("Escape") << "escape";
  }
  void NothingIsStoredWithoutOk() {
    QFETCH(QString, how);
    TDialog dialog;
    dialog.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.form.get()));
    ChangeEverything(dialog);
    if (how == "cancel") {
      dialog.Get<QPushButton>("btCancel")->click();
    } else if (how == "close") {
      dialog.form->close();
    } else {
      QTest::keyClick(dialog.form.get(), Qt::Key_Escape);
    }
    QCOMPARE(dialog.form->result(), int(QDialog::Rejected));
    QVERIFY(!dialog.form->isVisible());
    QCOMPARE(dialog.written, std::vector<std::string>{});
    const auto reloaded = dialog.settings.Reload();
    QCOMPARE(reloaded->EditorForeColour.Value(), reloaded->EditorForeColour.Default());
    QCOMPARE(reloaded->EditorTabStops.Value(), reloaded->EditorTabStops.Default());
    QCOMPARE(reloaded->EditorFontName.Value(), std::string("Courier New"));
  }

  void EveryControlHasItsCaption() {
    TDialog dialog;
    const std::pair<const char*, const char*> boxes[] = {
        {"ckAutoIndent", "&Auto indent"},
        {"ckBackspaceUnindents", "&Backspace unindents"},
        {"ckCursorBeyondEOF", "Cursor beyond &EOF"},
        {"ckDoubleClickLine", "&Double-click line"},
        {"ckKeepTrailingBlanks", "&Keep trailing blanks"},
        {"ckSmartTab", "Smart &tab"},
        {"ckRightMarginVisible", "&Right-margin visible at"},
        {"ckHighlightBrackets", "&Highlight brackets"},
    };
    for (const auto& [name, caption] : boxes) QCOMPARE(dialog.Check(name)->text(), QString(caption));
    // Each label names the control its accelerator reaches.
    const std::pair<const char*, const char*> labels[] = {
        {"edTabStops", "Tab &stops"},
        {"cbForeColour", "&Window colours"},
        {"cbSelectionForeColour", "&Selection colours"},
        {"cbGutterColour", "&Gutter colour"},
        {"cbRightMarginColour", "&Right margin colour"},
        {"cbBracketForeColour", "&Bracket highlight"},
        {"cbMatchedStringForegroundColour", "Matched &strings"},
        {"cbMatchedLineForegroundColour", "Matched &lines"},
    };
    const QList<QLabel*> all = dialog.form->findChildren<QLabel*>();
    for (const auto& [name, caption] : labels) {
      QWidget* control = dialog.Get<QWidget>(name);
      const bool found = std::any_of(all.begin(), all.end(), [&](const QLabel* label) {
        return label->buddy() == control && label->text() == caption;
      });
      QVERIFY2(found, name);
    }
    for (const char* reset : {"btResetColours", "btResetMoreColours"}) {
      QCOMPARE(dialog.Get<QPushButton>(reset)->text(), QString("Reset"));
    }
    QCOMPARE(dialog.Get<QToolButton>("btFont")->text(), QString("..."));
    QCOMPARE(dialog.Get<QPushButton>("btOk")->text(), QString("OK"));
    QCOMPARE(dialog.Get<QPushButton>("btCancel")->text(), QString("Cancel"));
  }

  void TabFollowsTheRowsOfTheOptionsPage() {
    TDialog dialog;
    const char* rows[] = {"ckAutoIndent", "ckBackspaceUnindents", "ckCursorBeyondEOF", "ckDoubleClickLine",
                          "ckKeepTrailingBlanks", "ckSmartTab", "edTabStops", "ckRightMarginVisible",
                          "edRightMarginAt", "ckHighlightBrackets"};
    for (size_t i = 1; i < std::size(rows); ++i) {
      QVERIFY2(dialog.Get<QWidget>(rows[i - 1])->nextInFocusChain() == dialog.Get<QWidget>(rows[i]), rows[i]);
    }
  }

  void ThePreviewFollowsEveryCheckBox() {
    struct Case {
      const char* box;
      std::function<bool(const TEditControl&)> option;
    };
    const Case cases[] = {
        {"ckAutoIndent", &TEditControl::AutoIndent},
        {"ckBackspaceUnindents", &TEditControl::BackSpaceUnindents},
        {"ckCursorBeyondEOF", &TEditControl::CursorBeyondEOF},
        {"ckDoubleClickLine", &TEditControl::DoubleClickLine},
        {"ckKeepTrailingBlanks", &TEditControl::KeepTrailingBlanks},
        {"ckSmartTab", &TEditControl::SmartTab},
        {"ckRightMarginVisible", &TEditControl::RightMarginVisible},
        {"ckHighlightBrackets", &TEditControl::BracketHighlighting},
    };
    TDialog dialog;
    for (const Case& c : cases) {
      QCheckBox* box = dialog.Check(c.box);
      QVERIFY2(c.option(dialog.Sample()) == box->isChecked(), c.box);
      box->toggle();
      QVERIFY2(c.option(dialog.Sample()) == box->isChecked(), c.box);
      box->toggle();
      QVERIFY2(c.option(dialog.Sample()) == box->isChecked(), c.box);
    }
  }

  void CheckBoxesEnableTheirDependentControls() {
    TDialog dialog;
    dialog.Check("ckSmartTab")->setChecked(true);
    QVERIFY(!dialog.Edit("edTabStops")->isEnabled());
    dialog.Check("ckSmartTab")->setChecked(false);
    QVERIFY(dialog.Edit("edTabStops")->isEnabled());
    dialog.Check("ckRightMarginVisible")->setChecked(true);
    for (const char* name : {"edRightMarginAt", "cbRightMarginColour", "lbRightMarginColour"}) {
      QVERIFY2(dialog.Get<QWidget>(name)->isEnabled(), name);
    }
    dialog.Check("ckHighlightBrackets")->setChecked(true);
    for (const char* name : {"cbBracketForeColour", "cbBracketBackColour", "lbBracketHighlight"}) {
      QVERIFY2(dialog.Get<QWidget>(name)->isEnabled(), name);
    }
    // A disabled colour button opens no dialog.
    dialog.Check("ckHighlightBrackets")->setChecked(false);
    bool asked = false;
    dialog.form->ChooseColour = [&asked](QWidget*, QColor&, std::vector<QColor>&) { return asked = true; };
    dialog.Colour("cbBracketForeColour")->click();
    QVERIFY(!asked);
  }

  void ThePreviewFollowsEveryColourButton() {
    struct Case {
      const char* button;
      std::function<QColor(TDialog&)> shown;
    };
    // Line 2 is "one": its 'o' is a matched string, its 'n' part of a matched line.
    const Case cases[] = {
        {"cbForeColour", [](TDialog& d) { return d.Sample().ForeColour(); }},
        {"cbBackColour", [](TDialog& d) { return d.Sample().BackColour(); }},
        {"cbSelectionForeColour", [](TDialog& d) { return d.Sample().SelForeColour(); }},
        {"cbSelectionBackColour", [](TDialog& d) { return d.Sample().SelBackColour(); }},
        {"cbGutterColour", [](TDialog& d) { return d.Sample().GutterColour(); }},
        {"cbRightMarginColour", [](TDialog& d) { return d.Sample().RightMarginColour(); }},
        {"cbBracketForeColour", [](TDialog& d) { return d.Sample().BracketForeColour(); }},
        {"cbBracketBackColour", [](TDialog& d) { return d.Sample().BracketBackColour(); }},
        {"cbMatchedStringForegroundColour", [](TDialog& d) { return d.Attrs(2)[1].Fore; }},
        {"cbMatchedStringBackgroundColour", [](TDialog& d) { return d.Attrs(2)[1].Back; }},
        {"cbMatchedLineForegroundColour", [](TDialog& d) { return d.Attrs(2)[2].Fore; }},
        {"cbMatchedLineBackgroundColour", [](TDialog& d) { return d.Attrs(2)[2].Back; }},
    };
    TDialog dialog;
    dialog.Check("ckRightMarginVisible")->setChecked(true);
    dialog.Check("ckHighlightBrackets")->setChecked(true);
    int shade = 0;
    for (const Case& c : cases) {
      const QColor colour(0x40 + shade, 0x80, 0x11);
      shade += 10;
      dialog.AnswerColour(colour);
      dialog.Colour(c.button)->click();
      QVERIFY2(c.shown(dialog) == colour, c.button);
    }
    // A refused colour dialog changes nothing.
    dialog.form->ChooseColour = [](QWidget*, QColor& colour, std::vector<QColor>&) {
      colour = Qt::black;
      return false;
    };
    dialog.Colour("cbForeColour")->click();
    QCOMPARE(dialog.Sample().ForeColour(), QColor(0x40, 0x80, 0x11));
  }

  void TabStopsAndRightMarginDecideOk_data() {
    QTest::addColumn<QString>("tabStops");
    QTest::addColumn<bool>("smartTab");
    QTest::addColumn<QString>("rightMargin");
    QTest::addColumn<bool>("ok");
    QTest::newRow("increasing stops") << "4 8 12" << false << "80" << true;
    QTest::newRow("a repeated stop") << "4 4 8" << false << "80" << false;
    QTest::newRow("a falling stop") << "8 4" << false << "80" << false;
    QTest::newRow("a zero stop") << "0 4" << false << "80" << false;
    QTest::newRow("a word") << "4 x" << false << "80" << false;
    QTest::newRow("no stops") << "" << false << "80" << true;
    QTest::newRow("any text with Smart tab") << "4 x" << true << "80" << true;
    QTest::newRow("margin 0") << "4 8 12" << false << "0" << false;
    QTest::newRow("margin 120") << "4 8 12" << false << "120" << true;
    QTest::newRow("margin with blanks") << "4 8 12" << false << " 9 " << true;
    QTest::newRow("margin not a number") << "4 8 12" << false << "x" << false;
    QTest::newRow("margin negative") << "4 8 12" << false << "-5" << false;
    QTest::newRow("margin empty") << "4 8 12" << false << "" << true;
  }
  void TabStopsAndRightMarginDecideOk() {
    QFETCH(QString, tabStops);
    QFETCH(bool, smartTab);
    QFETCH(QString, rightMargin);
    QFETCH(bool, ok);
    TDialog dialog;
    dialog.Check("ckRightMarginVisible")->setChecked(true);
    dialog.Check("ckSmartTab")->setChecked(smartTab);
    // Typed in either order, the answer is the same.
    dialog.Edit("edRightMarginAt")->setText(rightMargin);
    dialog.Edit("edTabStops")->setText(tabStops);
    QCOMPARE(dialog.OkEnabled(), ok);
    dialog.Edit("edTabStops")->setText(tabStops + " ");
    dialog.Edit("edRightMarginAt")->setText(rightMargin);
    QCOMPARE(dialog.OkEnabled(), ok);
  }

  void ThePreviewTakesValidTabStopsAndNumericMargins() {
    TDialog dialog;
    TEditControl& sample = dialog.Sample();
    dialog.Edit("edTabStops")->setText("  4 8 12 ");
    QCOMPARE(sample.TabStops(), std::string("4 8 12"));
    QCOMPARE(sample.TabWidth(), 3);
    dialog.Edit("edTabStops")->setText("4 4 8");
    QCOMPARE(sample.TabStops(), std::string("4 8 12"));
    dialog.Edit("edTabStops")->setText("");
    QCOMPARE(sample.TabStops(), std::string());

    dialog.Check("ckRightMarginVisible")->setChecked(true);
    dialog.Edit("edRightMarginAt")->setText("120");
    QCOMPARE(sample.RightMargin(), 120);
    QVERIFY(sample.RightMarginVisible());
    dialog.Edit("edRightMarginAt")->setText("1x");
    QCOMPARE(sample.RightMargin(), 120);
    QVERIFY(!dialog.OkEnabled());
    // Editing the tab stops does not bring back an OK the margin refused.
    dialog.Edit("edTabStops")->setText("4 8");
    QVERIFY(!dialog.OkEnabled());
  }

  void AnEmptyMarginKeepsTheStoredPosition() {
    TDialog dialog;
    dialog.settings.DataMod().EditorRightMarginPos.Set(100);
    dialog.form = std::make_unique<TConfigurationEditorForm>(dialog.settings.DataMod());
    dialog.Check("ckRightMarginVisible")->setChecked(true);
    dialog.Edit("edRightMarginAt")->setText("");
    QVERIFY(dialog.OkEnabled());
    QCOMPARE(dialog.Sample().RightMargin(), 100);
    dialog.Get<QPushButton>("btOk")->click();
    QCOMPARE(dialog.settings.Reload()->EditorRightMarginPos.Value(), 100);
  }

  void TabStopsAreStoredAsTypedWhileSmartTabIsOn() {
    TDialog dialog;
    dialog.Edit("edTabStops")->setText(" 4 x ");
    dialog.Check("ckSmartTab")->setChecked(true);
    dialog.Get<QPushButton>("btOk")->click();
    QCOMPARE(dialog.settings.Reload()->EditorTabStops.Value(), std::string("4 x"));
    // Such a text leaves the editing control its usual tab width.
    TEditControl control;
    control.SetTabStops("4 x");
    QCOMPARE(control.TabWidth(), 8);
  }

  void EachResetLeavesTheOtherPageAlone_data() {
    QTest::addColumn<QString>("reset");
    QTest::newRow("Colours") << "btResetColours";
    QTest::newRow("More Colours") << "btResetMoreColours";
  }
  void EachResetLeavesTheOtherPageAlone() {
    QFETCH(QString, reset);
    TDialog dialog;
    dialog.Check("ckRightMarginVisible")->setChecked(true);
    dialog.Check("ckHighlightBrackets")->setChecked(true);
    const QColor custom(0x12, 0x34, 0x56);
    dialog.AnswerColour(custom);
    for (const char* button : kColourButtons) dialog.Colour(button)->click();
    dialog.Get<QPushButton>(reset.toLatin1().constData())->click();

    const bool colours = reset == "btResetColours";
    const std::pair<const char*, TColour> resetValues[] = {
        {"cbForeColour", SystemColour(8)},        {"cbBackColour", SystemColour(5)},
        {"cbSelectionForeColour", SystemColour(14)}, {"cbSelectionBackColour", SystemColour(13)},
        {"cbGutterColour", SystemColour(15)},     {"cbRightMarginColour", SystemColour(15)},
        {"cbBracketForeColour", SystemColour(5)}, {"cbBracketBackColour", SystemColour(8)},
    };
    const std::pair<const char*, TColour> moreResetValues[] = {
        {"cbMatchedStringForegroundColour", 0x0000FFFF},
        {"cbMatchedStringBackgroundColour", 0x000000FF},
        {"cbMatchedLineForegroundColour", SystemColour(8)},
        {"cbMatchedLineBackgroundColour", SystemColour(24)},
    };
    const TColour kept = 0x563412;
    for (const auto& [name, value] : resetValues) QVERIFY2(dialog.Colour(name)->Colour() == (colours ? value : kept), name);
    for (const auto& [name, value] : moreResetValues) {
      QVERIFY2(dialog.Colour(name)->Colour() == (colours ? kept : value), name);
    }
    // The preview follows the reset.
    TEditControl& sample = dialog.Sample();
    QCOMPARE(sample.ForeColour(), colours ? dialog.Resolved(SystemColour(8)) : custom);
    QCOMPARE(sample.BracketBackColour(), colours ? dialog.Resolved(SystemColour(8)) : custom);
    QCOMPARE(dialog.Attrs(2)[1].Back, colours ? custom : QColor(Qt::red));
  }

  void CustomColoursGoToTheSixButtonsOfTheColoursPage() {
    TDialog dialog;
    dialog.Check("ckHighlightBrackets")->setChecked(true);
    dialog.form->ChooseColour = [](QWidget*, QColor& colour, std::vector<QColor>& custom) {
      colour = Qt::green;
      custom[0] = QColor(0, 0, 0xFF);
      return true;
    };
    dialog.Colour("cbBracketForeColour")->click();
    const std::vector<std::string> defined = dialog.Colour("cbBracketForeColour")->CustomColours();
    QCOMPARE(defined.at(0), std::string("ColorA=FF0000"));
    for (const char* name : {"cbForeColour", "cbBackColour", "cbSelectionForeColour", "cbSelectionBackColour",
                             "cbGutterColour", "cbRightMarginColour"}) {
      QVERIFY2(dialog.Colour(name)->CustomColours() == defined, name);
    }
    for (const char* name : {"cbBracketBackColour", "cbMatchedStringForegroundColour", "cbMatchedLineBackgroundColour"}) {
      QVERIFY2(dialog.Colour(name)->CustomColours().empty(), name);
    }
    std::vector<QColor> offered;
    dialog.form->ChooseColour = [&offered](QWidget*, QColor&, std::vector<QColor>& custom) {
      offered = custom;
      return false;
    };
    dialog.Colour("cbGutterColour")->click();
    QCOMPARE(offered.at(0), QColor(0, 0, 0xFF));
    QVERIFY(dialog.written.empty());
  }

  void TheFontIsDescribedPreviewedAndLimited() {
    TDialog dialog;
    QFont offered;
    dialog.form->ChooseFont = [&offered](QWidget*, QFont& font) {
      offered = font;
      font = QFont("DejaVu Sans", 48);
      font.setBold(true);
      font.setItalic(true);
      font.setUnderline(true);
      font.setStrikeOut(true);
      return true;
    };
    dialog.Get<QToolButton>("btFont")->click();
    QCOMPARE(offered.family(), QString("Courier New"));
    QCOMPARE(offered.pointSize(), 10);
    QCOMPARE(dialog.Get<QLabel>("lbFont")->text(), QString("DejaVu Sans, 30, bold, italic, underline, strike-out"));
    QCOMPARE(dialog.Sample().TextFont().family(), QString("DejaVu Sans"));
    QCOMPARE(dialog.Sample().TextFont().pointSize(), 30);

    dialog.form->ChooseFont = [](QWidget*, QFont& font) {
      font = QFont("DejaVu Serif", 2);
      return true;
    };
    dialog.Get<QToolButton>("btFont")->click();
    QCOMPARE(dialog.Get<QLabel>("lbFont")->text(), QString("DejaVu Serif, 5"));
    // A font dialog closed without OK changes nothing.
    dialog.form->ChooseFont = [](QWidget*, QFont& font) {
      font = QFont("DejaVu Sans Mono", 20);
      return false;
    };
    dialog.Get<QToolButton>("btFont")->click();
    QCOMPARE(dialog.Get<QLabel>("lbFont")->text(), QString("DejaVu Serif, 5"));
    QVERIFY(dialog.written.empty());
  }

  void AStoredFontIsDescribedWithItsStyles() {
    TSettingsSandbox settings;
    settings.DataMod().EditorFontName.Set("DejaVu Sans Mono");
    settings.DataMod().EditorFontSize.Set(14);
    settings.DataMod().EditorFontStyle.Set(TFontStyles{true, false, true, false});
    TConfigurationEditorForm form(settings.DataMod());
    QCOMPARE(Named<QLabel>(&form, "lbFont")->text(), QString("DejaVu Sans Mono, 14, bold, underline"));
    QVERIFY(Named<TEditControl>(&form, "EditorSample")->TextFont().bold());
  }

  void ThePreviewPaintsMatchedLinesAndVowels() {
    TDialog dialog;
    dialog.AnswerColour(QColor(1, 2, 3));
    dialog.Colour("cbMatchedLineForegroundColour")->click();
    dialog.AnswerColour(QColor(4, 5, 6));
    dialog.Colour("cbMatchedLineBackgroundColour")->click();
    dialog.AnswerColour(QColor(7, 8, 9));
    dialog.Colour("cbMatchedStringForegroundColour")->click();
    dialog.AnswerColour(QColor(10, 11, 12));
    dialog.Colour("cbMatchedStringBackgroundColour")->click();
    TEditControl& sample = dialog.Sample();
    const QColor lineFore(1, 2, 3), lineBack(4, 5, 6), stringFore(7, 8, 9), stringBack(10, 11, 12);

    for (int line = 0; line < sample.LineCount(); ++line) {
      const TLineAttrs attrs = dialog.Attrs(line);
      const std::string text = sample.LineText(line);
      const bool matchedLine = line == 2 || line == 7;
      for (size_t p = 1; p <= text.size() + 2; ++p) {
        const bool vowel = p <= text.size() && std::string("aeiouAEIOU").find(text[p - 1]) != std::string::npos;
        const QColor fore = vowel ? stringFore : matchedLine ? lineFore : sample.ForeColour();
        const QColor back = vowel ? stringBack : matchedLine ? lineBack : sample.BackColour();
        QVERIFY2(attrs[p].Fore == fore && attrs[p].Back == back,
                 qPrintable(QString("line %1 position %2").arg(line).arg(p)));
      }
    }
    // On a matched line only the normal colours give way; others set before stay.
    TLineAttrs attrs;
    attrs.fill(TLineAttr{sample.ForeColour(), sample.BackColour(), TFontStyles{}, QColor()});
    attrs[1].Back = Qt::magenta;
    attrs[3].Fore = Qt::cyan;
    sample.OnGetLineAttr(sample, "six", 7, attrs);
    QCOMPARE(attrs[1].Back, QColor(Qt::magenta));
    QCOMPARE(attrs[1].Fore, lineFore);
    QCOMPARE(attrs[2].Fore, stringFore);  // 'i' is a vowel
    QCOMPARE(attrs[3].Fore, QColor(Qt::cyan));
    QCOMPARE(attrs[3].Back, lineBack);
  }

  void TheGutterShowsLineNumbersOnItsColour() {
    TDialog dialog;
    dialog.AnswerColour(QColor(0xEE, 0xDD, 0x00));
    dialog.Colour("cbGutterColour")->click();
    dialog.AnswerColour(QColor(0x00, 0x00, 0xC0));
    dialog.Colour("cbForeColour")->click();
    dialog.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.form.get()));
    TEditControl& sample = dialog.Sample();
    const QRect gutter(0, 0, sample.GutterWidth(), sample.height());
    QImage image(sample.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      sample.OnPaintGutter(sample, painter, gutter);
    }
    const QColor gutterColour(0xEE, 0xDD, 0x00);
    QCOMPARE(image.pixelColor(0, 0), gutterColour);
    // The number 1 in the text colour in the first row, right-aligned 2 pixels from the edge.
    const QRect firstRow = sample.CellRect(0, 0);
    int ink = 0;
    bool blue = false;
    int rightmost = -1;
    for (int y = firstRow.top(); y <= firstRow.bottom(); ++y) {
      for (int x = 0; x < gutter.width(); ++x) {
        const QColor pixel = image.pixelColor(x, y);
        if (pixel == gutterColour) continue;
        ++ink;
        blue = blue || pixel.blue() > pixel.red();
        rightmost = std::max(rightmost, x);
      }
    }
    QVERIFY(ink > 0);
    QVERIFY(blue);
    QVERIFY(rightmost < gutter.width() - 2);
    QVERIFY(rightmost >= gutter.width() - 6);
  }

  void TheMainPreferencesOpenItBesideThemOnMoreColours() {
    TSettingsSandbox settings;
    class TNoShell final : public TShellIntegration {
     public:
      std::string ExtensionFilePath() const override { return {}; }
      bool IsExtensionRegistered() override { return false; }
      void RegisterExtension() override {}
      void UnregisterExtension() override {}
    } shell;
    TConfigurationForm preferences(settings.DataMod(), shell);
    TDataMod& dataMod = settings.DataMod();
    preferences.ConfigureEditor = [&dataMod](QWidget* owner, const QPoint& topLeft) {
      ShowEditorPreferences(dataMod, owner, topLeft);
    };
    preferences.move(150, 120);
    preferences.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preferences));
    QPoint shownAt;
    int page = -1;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<TConfigurationEditorForm*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      shownAt = dialog->frameGeometry().topLeft();
      page = Named<QTabWidget>(dialog, "pcPages")->currentIndex();
      // Its own OK stores its own settings.
      Named<QCheckBox>(dialog, "ckSmartTab")->setChecked(true);
      Named<QPushButton>(dialog, "btOk")->click();
    });
    Named<QPushButton>(&preferences, "btConfigureEditor")->click();
    QCOMPARE(shownAt, preferences.frameGeometry().topLeft() + QPoint(20, 20));
    QCOMPARE(page, 2);
    QVERIFY(settings.Reload()->EditorSmartTab.Value());
  }
};

SEARCH_QTEST_MAIN(ConfigurationEditorFormTest)
#include "ConfigurationEditorFormTest.moc"
