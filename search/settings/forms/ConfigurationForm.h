#pragma once
// TConfigurationForm: the modal dialog "Search Preferences". Its five pages load from the
// settings when it is created and are written back only on OK; the shell-integration box
// registers or removes the folder extension through TShellIntegration.

#include <QDialog>
#include <QFont>
#include <functional>

#include "search/settings/forms/ColourButton.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QToolButton;
class TDataMod;
class TShellIntegration;

class TConfigurationForm final : public QDialog {
  Q_OBJECT

 public:
  TConfigurationForm(TDataMod& dataMod, TShellIntegration& shellIntegration, QWidget* parent = nullptr);

  // The dialogs the form opens, replaceable so that tests drive it without real dialogs.
  TColourButton::TChooser ChooseColour = RunColourDialog;
  std::function<bool(QWidget* owner, QFont& font)> ChooseFont;
  std::function<QString(QWidget* owner, const QString& title, const QString& filter, const QString& initial)>
      BrowseForApplication;
  // The editor preferences dialog, its top-left corner placed at `topLeft`.
  std::function<void(QWidget* owner, const QPoint& topLeft)> ConfigureEditor;

  const QFont& EditedFont() const { return font_; }

 private:
  QWidget* CreateOptionsPage();
  QWidget* CreateColoursPage();
  QWidget* CreateEditorPage();
  QWidget* CreateFileInfoPage();
  QWidget* CreateUpdatePage();
  QCheckBox* AddCheckBox(QWidget* page, const char* name, const char* caption);
  TColourButton* AddColourButton(QWidget* page, const char* name);

  void SetTabOrder();
  void FormCreate();
  void btOkClick();
  void SelectionChanged();
  void rbDefaultEditorClick();
  void pnColourClick(TColourButton* clicked);
  void btFontClick();
  void btConfigureEditorClick();
  void BrowseEditorClick();
  void ShareCustomColours(const TColourButton* from);

  TDataMod& dataMod_;
  TShellIntegration& shellIntegration_;
  QFont font_;
  bool registeredAtOpening_ = false;

  QTabWidget* pcPages_ = nullptr;

  QCheckBox* ckUseToolTray_ = nullptr;
  QCheckBox* ckShowButtonCaptions_ = nullptr;
  QCheckBox* ckShowStatusBar_ = nullptr;
  QCheckBox* ckRegisterShell_ = nullptr;
  QCheckBox* ckAutoExpand_ = nullptr;
  QCheckBox* ckShowHints_ = nullptr;
  QCheckBox* ckRegularExpressions_ = nullptr;
  QCheckBox* ckAutoComplete_ = nullptr;
  QCheckBox* ckShowResultsAsFound_ = nullptr;

  QLabel* lbFont_ = nullptr;
  QToolButton* btFont_ = nullptr;
  TColourButton* cbMatchedFilesFore_ = nullptr;
  TColourButton* cbMatchedFilesBack_ = nullptr;
  TColourButton* cbMatchedLinesFore_ = nullptr;
  TColourButton* cbMatchedLinesBack_ = nullptr;
  TColourButton* cbOtherLinesFore_ = nullptr;
  TColourButton* cbOtherLinesBack_ = nullptr;
  TColourButton* cbErrorMessagesFore_ = nullptr;
  TColourButton* cbErrorMessagesBack_ = nullptr;

  QCheckBox* ckUseInternalEditor_ = nullptr;
  QRadioButton* rbInternal_ = nullptr;
  QPushButton* btConfigureEditor_ = nullptr;
  QCheckBox* ckAssociatedApplication_ = nullptr;
  QRadioButton* rbAssociated_ = nullptr;
  QCheckBox* ckSpecifiedEditor_ = nullptr;
  QRadioButton* rbExternal_ = nullptr;
  QLineEdit* edSpecifiedEditor_ = nullptr;
  QToolButton* btSpecifiedEditor_ = nullptr;
  QLabel* lbExternalEditorArguments_ = nullptr;
  QLineEdit* edExternalEditorArguments_ = nullptr;

  QCheckBox* ckShowFileSize_ = nullptr;
  QCheckBox* ckShowFileCreationDate_ = nullptr;
  QCheckBox* ckShowFileModifiedDate_ = nullptr;
  QCheckBox* ckShowFileAccessedDate_ = nullptr;
  QSpinBox* spBeforeMatch_ = nullptr;
  QSpinBox* spAfterMatch_ = nullptr;
  QCheckBox* ckIncludeBlankLines_ = nullptr;

  QRadioButton* rbUpdateCheckMonthly_ = nullptr;
  QRadioButton* rbUpdateCheckNever_ = nullptr;

  QPushButton* btOk_ = nullptr;
  QPushButton* btCancel_ = nullptr;
};

// Shows the dialog modally over `owner` with the registration of this installation and the
// editor preferences dialog behind "Configure Editor..."; true when it closed with OK.
bool RunConfigurationForm(QWidget* owner, TDataMod& dataMod,
                          const std::function<void(QWidget* owner, const QPoint& topLeft)>& configureEditor);
