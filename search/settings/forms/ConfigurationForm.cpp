#include "search/settings/forms/ConfigurationForm.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <vector>

#include "search/settings/DataModule.h"
#include "search/settings/RegisterDll.h"
#include "search/settings/ShellIntegration.h"
#include "search/settings/forms/ConfigurationFormTexts.h"
#include "search/settings/forms/PreferencesFont.h"
#include "search/ui/ByteText.h"
#include "search/ui/MessageForm.h"

namespace t = configuration_texts;

namespace {

QString Trimmed(const QString& text) { return text.trimmed(); }

QString RunApplicationBrowser(QWidget* owner, const QString& title, const QString& filter, const QString& initial) {
  return QFileDialog::getOpenFileName(owner, title, initial, filter, nullptr, QFileDialog::ReadOnly);
}

QLabel* Caption(const char* text, QWidget* buddy = nullptr) {
  auto* label = new QLabel(QString::fromUtf8(text));
  if (buddy != nullptr) label->setBuddy(buddy);
  return label;
}

}  // namespace

TConfigurationForm::TConfigurationForm(TDataMod& dataMod, TShellIntegration& shellIntegration, QWidget* parent)
    : QDialog(parent), dataMod_(dataMod), shellIntegration_(shellIntegration) {
  setObjectName("ConfigurationForm");
  setWindowTitle(t::kCaption);
  ChooseFont = RunFontDialog;
  BrowseForApplication = RunApplicationBrowser;

  pcPages_ = new QTabWidget(this);
  pcPages_->setObjectName("pcPages");
  pcPages_->addTab(CreateOptionsPage(), t::kOptionsPage);
  pcPages_->addTab(CreateColoursPage(), t::kColoursPage);
  pcPages_->addTab(CreateEditorPage(), t::kEditorPage);
  pcPages_->addTab(CreateFileInfoPage(), t::kFileInfoPage);
  pcPages_->addTab(CreateUpdatePage(), t::kUpdatePage);

  btOk_ = new QPushButton(t::kOk, this);
  btOk_->setObjectName("btOk");
  btOk_->setDefault(true);
  btCancel_ = new QPushButton(t::kCancel, this);
  btCancel_->setObjectName("btCancel");
  connect(btOk_, &QPushButton::clicked, this, &TConfigurationForm::btOkClick);
  connect(btCancel_, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btOk_);
  buttons->addWidget(btCancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pcPages_);
  layout->addLayout(buttons);

  SetTabOrder();
  FormCreate();
  setFixedSize(sizeHint().expandedTo(QSize(480, 0)));
}

QCheckBox* TConfigurationForm::AddCheckBox(QWidget* page, const char* name, const char* caption) {
  auto* box = new QCheckBox(QString::fromUtf8(caption), page);
  box->setObjectName(name);
  return box;
}

TColourButton* TConfigurationForm::AddColourButton(QWidget* page, const char* name) {
  auto* button = new TColourButton(page);
  button->setObjectName(name);
  connect(button, &QPushButton::clicked, this, [this, button] { pnColourClick(button); });
  return button;
}

QWidget* TConfigurationForm::CreateOptionsPage() {
  auto* page = new QWidget;
  page->setObjectName("tsOptions");
  ckUseToolTray_ = AddCheckBox(page, "ckUseToolTray", t::kUseToolTray);
  ckShowButtonCaptions_ = AddCheckBox(page, "ckShowButtonCaptions", t::kShowButtonCaptions);
  ckShowStatusBar_ = AddCheckBox(page, "ckShowStatusBar", t::kShowStatusBar);
  ckRegisterShell_ = AddCheckBox(page, "ckRegisterShell", t::kRegisterShell);
  ckAutoExpand_ = AddCheckBox(page, "ckAutoExpand", t::kAutoExpand);
  ckShowHints_ = AddCheckBox(page, "ckShowHints", t::kShowHints);
  ckRegularExpressions_ = AddCheckBox(page, "ckRegularExpressions", t::kRegularExpressions);
  ckAutoComplete_ = AddCheckBox(page, "ckAutoComplete", t::kAutoComplete);
  ckShowResultsAsFound_ = AddCheckBox(page, "ckShowResultsAsFound", t::kShowResultsAsFound);
  auto* layout = new QVBoxLayout(page);
  for (QCheckBox* box : {ckUseToolTray_, ckShowButtonCaptions_, ckShowStatusBar_, ckRegisterShell_, ckAutoExpand_,
                         ckShowHints_, ckRegularExpressions_, ckAutoComplete_, ckShowResultsAsFound_}) {
    layout->addWidget(box);
  }
  layout->addStretch();
  return page;
}

QWidget* TConfigurationForm::CreateColoursPage() {
  auto* page = new QWidget;
  page->setObjectName("tsColoursAndFont");
  lbFont_ = new QLabel(page);
  lbFont_->setObjectName("lbFont");
  lbFont_->setFrameShape(QFrame::StyledPanel);
  lbFont_->setMinimumWidth(220);
  btFont_ = new QToolButton(page);
  btFont_->setObjectName("btFont");
  btFont_->setText(t::kFontButton);
  connect(btFont_, &QToolButton::clicked, this, &TConfigurationForm::btFontClick);

  auto* font = new QHBoxLayout;
  font->addWidget(Caption(t::kFont));
  font->addWidget(lbFont_, 1);
  font->addWidget(btFont_);

  auto* colours = new QGridLayout;
  colours->setHorizontalSpacing(10);
  colours->addWidget(Caption(t::kForeground), 0, 1, Qt::AlignHCenter);
  colours->addWidget(Caption(t::kBackground), 0, 3, Qt::AlignHCenter);
  struct Row {
    const char* caption;
    const char* foreName;
    const char* backName;
    TColourButton** fore;
    TColourButton** back;
  };
  const Row rows[] = {
      {t::kMatchedFilenames, "cbMatchedFilesFore", "cbMatchedFilesBack", &cbMatchedFilesFore_, &cbMatchedFilesBack_},
      {t::kMatchedLines, "cbMatchedLinesFore", "cbMatchedLinesBack", &cbMatchedLinesFore_, &cbMatchedLinesBack_},
      {t::kOtherLines, "cbOtherLinesFore", "cbOtherLinesBack", &cbOtherLinesFore_, &cbOtherLinesBack_},
      {t::kErrorMessages, "cbErrorMessagesFore", "cbErrorMessagesBack", &cbErrorMessagesFore_,
       &cbErrorMessagesBack_},
  };
  int line = 1;
  for (const Row& row : rows) {
    *row.fore = AddColourButton(page, row.foreName);
    *row.back = AddColourButton(page, row.backName);
    colours->addWidget(Caption(row.caption, *row.fore), line, 0);
    colours->addWidget(*row.fore, line, 1);
    colours->addWidget(Caption(t::kOn), line, 2, Qt::AlignHCenter);
    colours->addWidget(*row.back, line, 3);
    ++line;
  }
  colours->setColumnStretch(4, 1);

  auto* layout = new QVBoxLayout(page);
  layout->addLayout(font);
  layout->addSpacing(12);
  layout->addLayout(colours);
  layout->addStretch();
  return page;
}

QWidget* TConfigurationForm::CreateEditorPage() {
  auto* page = new QWidget;
  page->setObjectName("tsEditor");
  ckUseInternalEditor_ = AddCheckBox(page, "ckUseInternalEditor", t::kUseInternalEditor);
  ckAssociatedApplication_ = AddCheckBox(page, "ckAssociatedApplication", t::kAssociatedApplication);
  ckSpecifiedEditor_ = AddCheckBox(page, "ckSpecifiedEditor", t::kSpecifiedEditor);
  const auto radio = [page](const char* name) {
    auto* button = new QRadioButton(page);
    button->setObjectName(name);
    return button;
  };
  rbInternal_ = radio("rbInternal");
  rbAssociated_ = radio("rbAssociated");
  rbExternal_ = radio("rbExternal");
  auto* defaults = new QButtonGroup(page);
  for (QRadioButton* button : {rbInternal_, rbAssociated_, rbExternal_}) {
    defaults->addButton(button);
    connect(button, &QRadioButton::toggled, this, &TConfigurationForm::rbDefaultEditorClick);
  }
  for (QCheckBox* box : {ckUseInternalEditor_, ckAssociatedApplication_, ckSpecifiedEditor_}) {
    connect(box, &QCheckBox::toggled, this, &TConfigurationForm::SelectionChanged);
  }

  btConfigureEditor_ = new QPushButton(t::kConfigureEditor, page);
  btConfigureEditor_->setObjectName("btConfigureEditor");
  connect(btConfigureEditor_, &QPushButton::clicked, this, &TConfigurationForm::btConfigureEditorClick);

  edSpecifiedEditor_ = new QLineEdit(page);
  edSpecifiedEditor_->setObjectName("edSpecifiedEditor");
  btSpecifiedEditor_ = new QToolButton(page);
  btSpecifiedEditor_->setObjectName("btSpecifiedEditor");
  btSpecifiedEditor_->setText(t::kBrowse);
  connect(btSpecifiedEditor_, &QToolButton::clicked, this, &TConfigurationForm::BrowseEditorClick);
  edExternalEditorArguments_ = new QLineEdit(page);
  edExternalEditorArguments_->setObjectName("edExternalEditorArguments");
  lbExternalEditorArguments_ = Caption(t::kExternalEditorArguments, edExternalEditorArguments_);
  lbExternalEditorArguments_->setObjectName("lbExternalEditorArguments");

  auto* grid = new QGridLayout;
  grid->addWidget(Caption(t::kShowsTheseOptions), 0, 0);
  grid->addWidget(Caption(t::kDefault), 0, 1, Qt::AlignHCenter);
  grid->addWidget(ckUseInternalEditor_, 1, 0);
  grid->addWidget(rbInternal_, 1, 1, Qt::AlignHCenter);
  grid->addWidget(btConfigureEditor_, 1, 2);
  grid->addWidget(ckAssociatedApplication_, 2, 0);
  grid->addWidget(rbAssociated_, 2, 1, Qt::AlignHCenter);
  grid->addWidget(ckSpecifiedEditor_, 3, 0);
  grid->addWidget(rbExternal_, 3, 1, Qt::AlignHCenter);
  grid->setColumnStretch(3, 1);

  auto* application = new QHBoxLayout;
  application->setContentsMargins(24, 0, 0, 0);
  application->addWidget(edSpecifiedEditor_, 1);
  application->addWidget(btSpecifiedEditor_);
  auto* arguments = new QVBoxLayout;
  arguments->setContentsMargins(24, 0, 0, 0);
  arguments->addWidget(lbExternalEditorArguments_);
  arguments->addWidget(edExternalEditorArguments_);

  auto* layout = new QVBoxLayout(page);
  layout->addLayout(grid);
  layout->addLayout(application);
  layout->addLayout(arguments);
  layout->addStretch();
  return page;
}

QWidget* TConfigurationForm::CreateFileInfoPage() {
  auto* page = new QWidget;
  page->setObjectName("tsFileInfo");
  ckShowFileSize_ = AddCheckBox(page, "ckShowFileSize", t::kShowFileSize);
  ckShowFileCreationDate_ = AddCheckBox(page, "ckShowFileCreationDate", t::kShowFileCreationDate);
  ckShowFileModifiedDate_ = AddCheckBox(page, "ckShowFileModifiedDate", t::kShowFileModifiedDate);
  ckShowFileAccessedDate_ = AddCheckBox(page, "ckShowFileAccessedDate", t::kShowFileAccessedDate);
  ckIncludeBlankLines_ = AddCheckBox(page, "ckIncludeBlankLines", t::kIncludeBlankLines);
  const auto spin = [page](const char* name) {
    auto* box = new QSpinBox(page);
    box->setObjectName(name);
    box->setRange(0, 10);
    return box;
  };
  spBeforeMatch_ = spin("spBeforeMatch");
  spAfterMatch_ = spin("spAfterMatch");

  auto* lines = new QGridLayout;
  lines->setContentsMargins(24, 0, 0, 0);
  lines->addWidget(spBeforeMatch_, 0, 0);
  lines->addWidget(Caption(t::kBeforeMatch, spBeforeMatch_), 0, 1);
  lines->addWidget(spAfterMatch_, 1, 0);
  lines->addWidget(Caption(t::kAfterMatch, spAfterMatch_), 1, 1);
  lines->setColumnStretch(2, 1);

  auto* layout = new QVBoxLayout(page);
  for (QCheckBox* box : {ckShowFileSize_, ckShowFileCreationDate_, ckShowFileModifiedDate_, ckShowFileAccessedDate_}) {
    layout->addWidget(box);
  }
  layout->addSpacing(10);
  layout->addWidget(Caption(t::kAdditionalLines));
  layout->addLayout(lines);
  layout->addWidget(ckIncludeBlankLines_);
  layout->addStretch();
  return page;
}

QWidget* TConfigurationForm::CreateUpdatePage() {
  auto* page = new QWidget;
  page->setObjectName("tsUpdate");
  rbUpdateCheckMonthly_ = new QRadioButton(t::kMonthly, page);
  rbUpdateCheckMonthly_->setObjectName("rbUpdateCheckMonthly");
  rbUpdateCheckNever_ = new QRadioButton(t::kNever, page);
  rbUpdateCheckNever_->setObjectName("rbUpdateCheckNever");
  auto* frequency = new QButtonGroup(page);
  frequency->addButton(rbUpdateCheckMonthly_);
  frequency->addButton(rbUpdateCheckNever_);

  auto* layout = new QVBoxLayout(page);
  layout->addWidget(Caption(t::kCheckForNewer));
  for (QRadioButton* button : {rbUpdateCheckMonthly_, rbUpdateCheckNever_}) {
    auto* indented = new QHBoxLayout;
    indented->setContentsMargins(24, 0, 0, 0);
    indented->addWidget(button);
    layout->addLayout(indented);
  }
  layout->addStretch();
  return page;
}

// Row by row, as the pages read.
void TConfigurationForm::SetTabOrder() {
  const std::vector<QWidget*> editor = {ckUseInternalEditor_, rbInternal_,         btConfigureEditor_,
                                        ckAssociatedApplication_, rbAssociated_, ckSpecifiedEditor_,
                                        rbExternal_,         edSpecifiedEditor_,  btSpecifiedEditor_,
                                        edExternalEditorArguments_};
  const std::vector<QWidget*> fileInfo = {ckShowFileSize_, ckShowFileCreationDate_, ckShowFileModifiedDate_,
                                          ckShowFileAccessedDate_, spBeforeMatch_, spAfterMatch_,
                                          ckIncludeBlankLines_};
  for (const auto* chain : {&editor, &fileInfo}) {
    for (size_t i = 1; i < chain->size(); ++i) setTabOrder((*chain)[i - 1], (*chain)[i]);
  }
}

void TConfigurationForm::FormCreate() {
  pcPages_->setCurrentIndex(0);
  TDataMod& d = dataMod_;
  const std::pair<QCheckBox*, bool> boxes[] = {
      {ckUseToolTray_, d.UseToolTray.Value()},
      {ckShowButtonCaptions_, d.ShowButtonCaptions.Value()},
      {ckShowStatusBar_, d.ShowStatusBar.Value()},
      {ckAutoExpand_, d.AutoExpand.Value()},
      {ckShowHints_, d.ShowHints.Value()},
      {ckRegularExpressions_, d.ShowRegularExpressions.Value()},
      {ckAutoComplete_, d.AutoComplete.Value()},
      {ckShowResultsAsFound_, d.ShowsResultsAsFound.Value()},
      {ckUseInternalEditor_, d.UseInternalEditor.Value()},
      {ckAssociatedApplication_, d.UseAssociatedEditor.Value()},
      {ckSpecifiedEditor_, d.UseExternalEditor.Value()},
      {ckShowFileSize_, d.ShowFileSize.Value()},
      {ckShowFileCreationDate_, d.ShowFileCreationDate.Value()},
      {ckShowFileModifiedDate_, d.ShowFileModifiedDate.Value()},
      {ckShowFileAccessedDate_, d.ShowFileAccessedDate.Value()},
      {ckIncludeBlankLines_, d.IncludeBlankLines.Value()},
  };
  for (const auto& [box, checked] : boxes) box->setChecked(checked);

  switch (d.DefaultEditor.Value()) {
    case 1: rbExternal_->setChecked(true); break;
    case 2: rbAssociated_->setChecked(true); break;
    default: rbInternal_->setChecked(true); break;
  }
  if (d.UpdateCheckFrequency.Value() == 1) rbUpdateCheckMonthly_->setChecked(true);
  if (d.UpdateCheckFrequency.Value() == 0) rbUpdateCheckNever_->setChecked(true);

  edSpecifiedEditor_->setText(DisplayString(d.Editor.Value()));
  edExternalEditorArguments_->setText(DisplayString(d.ExternalEditorAguments.Value()));
  spBeforeMatch_->setValue(d.NumberOfLinesToShowBeforeMatch.Value());
  spAfterMatch_->setValue(d.NumberOfLinesToShowAfterMatch.Value());

  const std::pair<TColourButton*, TColour> colours[] = {
      {cbMatchedFilesFore_, d.MatchedFilesForeColour.Value()},   {cbMatchedFilesBack_, d.MatchedFilesBackColour.Value()},
      {cbMatchedLinesFore_, d.MatchedLinesForeColour.Value()},   {cbMatchedLinesBack_, d.MatchedLinesBackColour.Value()},
      {cbOtherLinesFore_, d.OtherLinesForeColour.Value()},       {cbOtherLinesBack_, d.OtherLinesBackColour.Value()},
      {cbErrorMessagesFore_, d.ErrorMessagesForeColour.Value()}, {cbErrorMessagesBack_, d.ErrorMessagesBackColour.Value()},
  };
  for (const auto& [button, colour] : colours) button->SetColour(colour);
  for (TColourButton* button : {cbMatchedFilesFore_, cbMatchedFilesBack_, cbMatchedLinesFore_, cbMatchedLinesBack_,
                                cbErrorMessagesFore_, cbErrorMessagesBack_}) {
    button->SetCustomColours(d.CustomColours());
  }

  const bool extensionPresent = QFileInfo::exists(DisplayString(shellIntegration_.ExtensionFilePath()));
  registeredAtOpening_ = shellIntegration_.IsExtensionRegistered();
  ckRegisterShell_->setEnabled(extensionPresent);
  ckRegisterShell_->setChecked(extensionPresent && registeredAtOpening_);

  rbDefaultEditorClick();
  SelectionChanged();

  font_ = StoredFont(d.FontName.Value(), d.FontSize.Value(), d.FontStyle.Value());
  lbFont_->setText(FontDescription(font_));
}

// The option chosen as default is always shown: its box is checked and cannot be cleared.
void TConfigurationForm::rbDefaultEditorClick() {
  const std::pair<QRadioButton*, QCheckBox*> pairs[] = {
      {rbInternal_, ckUseInternalEditor_}, {rbExternal_, ckSpecifiedEditor_}, {rbAssociated_, ckAssociatedApplication_}};
  for (const auto& [radio, box] : pairs) {
    box->setEnabled(!radio->isChecked());
    if (radio->isChecked()) box->setChecked(true);
  }
}

void TConfigurationForm::SelectionChanged() {
  btConfigureEditor_->setEnabled(ckUseInternalEditor_->isChecked());
  const bool specified = ckSpecifiedEditor_->isChecked();
  for (QWidget* widget : std::initializer_list<QWidget*>{edSpecifiedEditor_, btSpecifiedEditor_,
                                                         lbExternalEditorArguments_, edExternalEditorArguments_}) {
    widget->setEnabled(specified);
  }
}

// The six buttons of the Matched Filenames, Matched Lines and Error Messages rows share their
// custom colours; the Other Lines buttons give theirs but never receive.
void TConfigurationForm::ShareCustomColours(const TColourButton* from) {
  for (TColourButton* button : {cbMatchedFilesFore_, cbMatchedFilesBack_, cbMatchedLinesFore_, cbMatchedLinesBack_,
                                cbErrorMessagesFore_, cbErrorMessagesBack_}) {
    if (button != from) button->SetCustomColours(from->CustomColours());
  }
}

void TConfigurationForm::pnColourClick(TColourButton* clicked) {
  ShareCustomColours(clicked);
  clicked->Choose(ChooseColour);
  ShareCustomColours(clicked);
}

void TConfigurationForm::btFontClick() {
  QFont font = font_;
  if (!ChooseFont || !ChooseFont(this, font)) return;
  LimitFontSize(font);
  font_ = font;
  lbFont_->setText(FontDescription(font_));
}

void TConfigurationForm::btConfigureEditorClick() {
  if (ConfigureEditor) ConfigureEditor(this, frameGeometry().topLeft() + QPoint(20, 20));
}

void TConfigurationForm::BrowseEditorClick() {
  if (!BrowseForApplication) return;
  const QString chosen =
      BrowseForApplication(this, t::kSelectApplication, t::kApplicationFilter, Trimmed(edSpecifiedEditor_->text()));
  if (!chosen.isEmpty()) edSpecifiedEditor_->setText(chosen);
}

void TConfigurationForm::btOkClick() {
  TDataMod& d = dataMod_;
  try {
    d.UseToolTray.Set(ckUseToolTray_->isChecked());
    d.ShowButtonCaptions.Set(ckShowButtonCaptions_->isChecked());
    d.UseInternalEditor.Set(ckUseInternalEditor_->isChecked());
    d.UseExternalEditor.Set(ckSpecifiedEditor_->isChecked());
    d.UseAssociatedEditor.Set(ckAssociatedApplication_->isChecked());

    d.MatchedFilesForeColour.Set(cbMatchedFilesFore_->Colour());
    d.MatchedFilesBackColour.Set(cbMatchedFilesBack_->Colour());
    d.ErrorMessagesForeColour.Set(cbErrorMessagesFore_->Colour());
    d.ErrorMessagesBackColour.Set(cbErrorMessagesBack_->Colour());
    d.MatchedLinesForeColour.Set(cbMatchedLinesFore_->Colour());
    d.MatchedLinesBackColour.Set(cbMatchedLinesBack_->Colour());
    d.OtherLinesForeColour.Set(cbOtherLinesFore_->Colour());
    d.OtherLinesBackColour.Set(cbOtherLinesBack_->Colour());
    d.SetCustomColours(cbMatchedFilesBack_->CustomColours());

    d.ShowStatusBar.Set(ckShowStatusBar_->isChecked());
    d.Editor.Set(EngineString(Trimmed(edSpecifiedEditor_->text())));
    d.ExternalEditorAguments.Set(EngineString(Trimmed(edExternalEditorArguments_->text())));

    d.AutoExpand.Set(ckAutoExpand_->isChecked());
    d.ShowFileSize.Set(ckShowFileSize_->isChecked());
    d.ShowFileCreationDate.Set(ckShowFileCreationDate_->isChecked());
    d.ShowFileModifiedDate.Set(ckShowFileModifiedDate_->isChecked());
    d.ShowFileAccessedDate.Set(ckShowFileAccessedDate_->isChecked());
    d.ShowHints.Set(ckShowHints_->isChecked());
    d.ShowRegularExpressions.Set(ckRegularExpressions_->isChecked());
    d.AutoComplete.Set(ckAutoComplete_->isChecked());

    d.FontName.Set(EngineString(font_.family()));
    d.FontSize.Set(font_.pointSize());
    d.FontStyle.Set(StylesOf(font_));

    d.NumberOfLinesToShowAfterMatch.Set(spAfterMatch_->value());
    d.NumberOfLinesToShowBeforeMatch.Set(spBeforeMatch_->value());
    d.IncludeBlankLines.Set(ckIncludeBlankLines_->isChecked());
    d.ShowsResultsAsFound.Set(ckShowResultsAsFound_->isChecked());

    d.DefaultEditor.Set(rbAssociated_->isChecked() ? 2 : rbExternal_->isChecked() ? 1 : 0);
    d.UpdateCheckFrequency.Set(rbUpdateCheckMonthly_->isChecked() ? 1 : 0);

    if (ckRegisterShell_->isChecked() != registeredAtOpening_) {
      ckRegisterShell_->isChecked() ? shellIntegration_.RegisterExtension() : shellIntegration_.UnregisterExtension();
    }
  } catch (const std::exception& error) {
    // What was written stays; the dialog stays open so the user can retry or cancel.
    ShowMessageDialog(DisplayString(error.what()), TMessageKind::Error, {TMessageButton::OK}, 0, this);
    return;
  }
  accept();
}

bool RunConfigurationForm(QWidget* owner, TDataMod& dataMod,
                          const std::function<void(QWidget* owner, const QPoint& topLeft)>& configureEditor) {
  TRegisterDll shellIntegration;
  TConfigurationForm form(dataMod, shellIntegration, owner);
  form.ConfigureEditor = configureEditor;
  return form.exec() == QDialog::Accepted;
}
