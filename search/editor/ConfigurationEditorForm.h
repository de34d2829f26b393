#pragma once
// TConfigurationEditorForm: the modal dialog "Editor Preferences". Its four pages hold the
// editing options, colours and font of the internal editor, loaded from the settings when it
// is created; a preview below them shows every change at once. OK stores the values as
// settings, Cancel stores nothing.

#include <QDialog>
#include <QFont>
#include <functional>
#include <initializer_list>
#include <string_view>

#include "search/editor/LineAttributes.h"
#include "search/settings/forms/ColourButton.h"
#include "search/settings/forms/PreferencesFont.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPainter;
class QPushButton;
class QTabWidget;
class QToolButton;
class TDataMod;
class TEditControl;

class TConfigurationEditorForm final : public QDialog {
  Q_OBJECT

 public:
  explicit TConfigurationEditorForm(TDataMod& dataMod, QWidget* parent = nullptr);

  enum class TPage { Options, Colours, MoreColours, Font };
  void ShowPage(TPage page);

  // The dialogs the form opens, replaceable so that tests drive it without real dialogs.
  TColourButton::TChooser ChooseColour = RunColourDialog;
  std::function<bool(QWidget* owner, QFont& font)> ChooseFont = RunFontDialog;

 private:
  QWidget* CreateOptionsPage();
  QWidget* CreateColoursPage();
  QWidget* CreateMoreColoursPage();
  QWidget* CreateFontPage();
  QCheckBox* AddCheckBox(QWidget* page, const char* name, const char* caption);
  TColourButton* AddColourButton(QWidget* page, const char* name);
  QPushButton* AddResetButton(QWidget* page, const char* name, void (TConfigurationEditorForm::*click)());
  // One row of a colour page: its caption and its foreground and background buttons (either
  // may be missing).
  struct TColourRow {
    QLabel* caption;
    TColourButton* fore;
    TColourButton* back;
  };
  static void LayOutColourPage(QWidget* page, std::initializer_list<TColourRow> rows, QPushButton* reset);
  QWidget* CreateButtonStrip();
  void CreateSample();

  void FormCreate();
  void EnableDependentControls();
  void OptionClick();
  void edTabStopsChange();
  void edRightMarginAtChange();
  void ValidateOk();
  void pnColourClick(TColourButton* clicked);
  void RefreshSampleColours();
  void btResetColoursClick();
  void btResetMoreColoursClick();
  void btFontClick();
  void ShowFont();
  void btOkClick();
  void EditorSampleGetLineAttr(TEditControl& sample, std::string_view line, int lineIndex, TLineAttrs& attrs);
  void EditorSamplePaintGutter(TEditControl& sample, QPainter& painter, const QRect& gutter);
  QColor ColourOf(const TColourButton* button) const;

  TDataMod& dataMod_;
  QFont font_;

  QTabWidget* pcPages_ = nullptr;
  QCheckBox* ckAutoIndent_ = nullptr;
  QCheckBox* ckBackspaceUnindents_ = nullptr;
  QCheckBox* ckCursorBeyondEOF_ = nullptr;
  QCheckBox* ckDoubleClickLine_ = nullptr;
  QCheckBox* ckKeepTrailingBlanks_ = nullptr;
  QCheckBox* ckSmartTab_ = nullptr;
  QLineEdit* edTabStops_ = nullptr;
  QCheckBox* ckRightMarginVisible_ = nullptr;
  QLineEdit* edRightMarginAt_ = nullptr;
  QCheckBox* ckHighlightBrackets_ = nullptr;

  TColourButton* cbForeColour_ = nullptr;
  TColourButton* cbBackColour_ = nullptr;
  TColourButton* cbSelectionForeColour_ = nullptr;
  TColourButton* cbSelectionBackColour_ = nullptr;
  TColourButton* cbGutterColour_ = nullptr;
  TColourButton* cbRightMarginColour_ = nullptr;
  TColourButton* cbBracketForeColour_ = nullptr;
  TColourButton* cbBracketBackColour_ = nullptr;
  QLabel* lbRightMarginColour_ = nullptr;
  QLabel* lbBracketHighlight_ = nullptr;
  QPushButton* btResetColours_ = nullptr;

  TColourButton* cbMatchedStringForegroundColour_ = nullptr;
  TColourButton* cbMatchedStringBackgroundColour_ = nullptr;
  TColourButton* cbMatchedLineForegroundColour_ = nullptr;
  TColourButton* cbMatchedLineBackgroundColour_ = nullptr;
  QPushButton* btResetMoreColours_ = nullptr;

  QLabel* lbFont_ = nullptr;
  QToolButton* btFont_ = nullptr;

  TEditControl* editorSample_ = nullptr;
  QPushButton* btOk_ = nullptr;
  QPushButton* btCancel_ = nullptr;
};

// The dialog opened from the main preferences: on its "More Colours" page, its top-left
// corner at `topLeft`, modal over `owner`; it stores its own settings on its own OK.
void ShowEditorPreferences(TDataMod& dataMod, QWidget* owner, const QPoint& topLeft);
