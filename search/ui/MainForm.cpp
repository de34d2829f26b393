#include "search/ui/MainForm.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QSplitter>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "search/engine/filter/FilterDescription.h"
#include "search/engine/run/RecentValues.h"
#include "search/settings/DataModule.h"
#include "search/ui/BusyForm.h"
#include "search/ui/ByteText.h"
#include "search/ui/CriteriaComboBox.h"
#include "search/ui/ElidedLabel.h"
#include "search/ui/FilterForm.h"
#include "search/ui/MainFormTexts.h"
#include "search/ui/MessageForm.h"
#include "search/ui/ResultsModel.h"
#include "search/ui/ResultsView.h"
#include "search/ui/StatusPanels.h"
#include "search/ui/ToolbarImages.h"

namespace {

constexpr int kLabelColumnWidth = 64;
constexpr int kMinimumWidth = 550;
constexpr int kBrowseGap = 6;  // between the Path label and the Browse button

QLabel* MakeLabel(const char* name, const char* caption, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  if (buddy != nullptr) label->setBuddy(buddy);
  return label;
}

// A hint shows as the control's tooltip and, while hints are on, in the status bar.
void SetHint(QWidget* widget, const char* hint) {
  widget->setToolTip(hint);
  widget->setStatusTip(hint);
}

QToolButton* MakeToolButton(const char* name, const char* caption, const char* hint, const QString& image,
                            QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setText(caption);
  button->setStatusTip(hint);
  button->setIcon(ToolbarImage(image));
  button->setIconSize(QSize(32, 32));
  button->setAutoRaise(true);
  return button;
}

QAction* MakeAction(const char* name, const char* caption, const char* hint, const QString& image, QObject* parent) {
  auto* action = new QAction(ToolbarImage(image), caption, parent);
  action->setObjectName(name);
  action->setStatusTip(hint);
  return action;
}

QFrame* MakePanel(const char* name) {
  auto* panel = new QFrame;
  panel->setObjectName(name);
  panel->setFrameShape(QFrame::StyledPanel);
  return panel;
}

// Labels in the first column, the boxes stretching in the second.
QGridLayout* MakeRowsLayout(QWidget* panel) {
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(6, 6, 6, 6);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(5);
  grid->setColumnMinimumWidth(0, kLabelColumnWidth);
  grid->setColumnStretch(1, 1);
  return grid;
}

std::vector<std::string> ItemsOf(const TSettingsList& list) { return list.Items(); }

// The desktop's own folder picker where it offers one; Qt's, sized so that names and dates
// show whole, where it does not (a native picker keeps its own size).
QString PickFolder(QWidget* owner, const QString& title, const QString& initial) {
  QFileDialog picker(owner, title, initial);
  picker.setFileMode(QFileDialog::Directory);
  picker.setOption(QFileDialog::ShowDirsOnly);
  const QFontMetrics metrics = picker.fontMetrics();
  picker.resize(metrics.averageCharWidth() * 110, metrics.height() * 30);
  if (picker.exec() != QDialog::Accepted || picker.selectedFiles().isEmpty()) return {};
  return picker.selectedFiles().constFirst();
}

// The first column of a rows panel is at least this wide.
void SetLabelColumnWidth(QWidget* panel, int width) {
  if (auto* grid = qobject_cast<QGridLayout*>(panel->layout())) grid->setColumnMinimumWidth(0, width);
}

}  // namespace

QString BrowseInitialFolder(const QString& boxText) {
  const QString trimmed = boxText.trimmed();
  const qsizetype separator = trimmed.indexOf(';');
  return separator >= 0 ? trimmed.left(separator) : trimmed;
}

QString BrowseResultText(const QString& boxText, const QString& folder) {
  const QString trimmed = boxText.trimmed();
  if (trimmed.endsWith(';')) return trimmed + ' ' + folder;
  return folder;
}

TMainForm::TMainForm(TDataMod& dataMod, QWidget* parent) : QMainWindow(parent), dataMod_(dataMod) {
  setObjectName("MainForm");
  QFont font("Arial", 10, QFont::Bold);
  font.setStyleHint(QFont::SansSerif);
  setFont(font);

  BrowseForFolder = PickFolder;

  model_ = new TResultsModel(state_.Results, dataMod_, this);
  splitter_ = new QSplitter(Qt::Horizontal, this);
  splitter_->setObjectName("Splitter");
  splitter_->setHandleWidth(4);
  splitter_->setOpaqueResize(true);
  splitter_->setChildrenCollapsible(false);
  leftPanel_ = CreateLeftPanel();
  vstResults_ = new TResultsView(splitter_);
  vstResults_->SetResultsModel(model_);
  splitter_->addWidget(leftPanel_);
  splitter_->addWidget(vstResults_);
  splitter_->setStretchFactor(0, 0);
  splitter_->setStretchFactor(1, 1);
  setCentralWidget(splitter_);

  statusBar_ = new TStatusPanels(this);
  setStatusBar(statusBar_);
  CreateResultsMenu();
  SetTabOrder();

  resize(592, 472);
  setMinimumWidth(kMinimumWidth);
  // The stored width of the left panel, as far as the window leaves the results 100 pixels.
  const int left = std::clamp(dataMod_.SplitterPosition.Value(), 0, std::max(width() - 100, 0));
  splitter_->setSizes({left, width() - left});
  connect(splitter_, &QSplitter::splitterMoved, this, &TMainForm::SplitterMoved);

  state_.Recent = {ItemsOf(dataMod_.Path),           ItemsOf(dataMod_.Files),   ItemsOf(dataMod_.ExcludeFolders),
                   ItemsOf(dataMod_.ExcludeFiles), ItemsOf(dataMod_.StringA), ItemsOf(dataMod_.StringB)};
  SetControlsFromSettings();
  ConnectOptions();
  UpdateFilterDescription();
  UpdateMainCaption();
  CreateUpdateCheck();
  ShowStatusTexts(state_.StatusTexts(""));
  UpdateSearchResultsBox();
  UpdateControlStates();
  vstResultsChange();
  // The window opens with the caret in the Path box, its text selected.
  cbPath_->setFocus();
  cbPath_->lineEdit()->selectAll();
}

TMainForm::~TMainForm() { FormDestroy(); }

QWidget* TMainForm::CreateLeftPanel() {
  auto* panel = new QWidget(splitter_);
  panel->setObjectName("LeftPanel");
  toolBar_ = CreateToolBar();
  criteriaPanel_ = CreateCriteriaPanel();
  stringsPanel_ = CreateStringsPanel();
  optionsPanel_ = CreateOptionsPanel();
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(4, 2, 2, 4);
  layout->setSpacing(6);
  layout->addWidget(toolBar_);
  layout->addWidget(criteriaPanel_);
  layout->addWidget(stringsPanel_);
  layout->addWidget(optionsPanel_);
  layout->addStretch(1);
  return panel;
}

QToolBar* TMainForm::CreateToolBar() {
  auto* bar = new QToolBar(this);
  bar->setObjectName("ToolBar");
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->setIconSize(QSize(32, 32));

  btSearch_ = MakeToolButton("btSearch", texts::kSearchCaption, texts::kSearchHint, "SEARCH", bar);
  connect(btSearch_, &QToolButton::clicked, this, &TMainForm::SearchClick);
  tbHistory_ = MakeToolButton("tbHistory", texts::kHistoryCaption, texts::kHistoryHint, "HISTORY", bar);
  pumHistoryButton_ = new QMenu(tbHistory_);
  pumHistoryButton_->setObjectName("pumHistoryButton");
  tbHistory_->setMenu(pumHistoryButton_);
  tbHistory_->setPopupMode(QToolButton::InstantPopup);
  tbHistory_->setEnabled(false);  // the history comes with its own commands

  acOpenWith_ = MakeAction("acOpenWith", texts::kOpenCaption, texts::kOpenHint, "OPEN", this);
  connect(acOpenWith_, &QAction::triggered, this, &TMainForm::OpenRequested);
  connect(acOpenWith_, &QAction::triggered, this, &TMainForm::OpenInInternalEditor);
  btEditWith_ = MakeToolButton("btEditWith", texts::kOpenCaption, texts::kOpenHint, "OPEN", bar);
  pumEditDropDown_ = new QMenu(btEditWith_);
  pumEditDropDown_->setObjectName("pumEditDropDown");
  btEditWith_->setMenu(pumEditDropDown_);
  btEditWith_->setPopupMode(QToolButton::MenuButtonPopup);
  connect(btEditWith_, &QToolButton::clicked, acOpenWith_, &QAction::trigger);

  acHideForm_ = MakeAction("acHideForm", texts::kHideCaption, texts::kHideHint, "HIDE", this);
  // Without a notification area to hide in, the window is minimised instead.
  connect(acHideForm_, &QAction::triggered, this, &QWidget::showMinimized);
  btHide_ = MakeToolButton("btHide", texts::kHideCaption, texts::kHideHint, "HIDE", bar);
  connect(btHide_, &QToolButton::clicked, acHideForm_, &QAction::trigger);
  acExit_ = MakeAction("acExit", texts::kExitCaption, texts::kExitHint, "EXIT", this);
  connect(acExit_, &QAction::triggered, this, &QWidget::close);
  btExit_ = MakeToolButton("btExit", texts::kExitCaption, texts::kExitHint, "EXIT", bar);
  connect(btExit_, &QToolButton::clicked, acExit_, &QAction::trigger);

  bar->addWidget(btSearch_);
  bar->addSeparator();
  bar->addWidget(tbHistory_);
  bar->addSeparator();
  bar->addWidget(btEditWith_);
  bar->addSeparator();
  hideItem_ = bar->addWidget(btHide_);
  exitItem_ = bar->addWidget(btExit_);
  return bar;
}

QWidget* TMainForm::CreateCriteriaPanel() {
  QFrame* panel = MakePanel("CriteriaPanel");
  cbPath_ = new TCriteriaComboBox("cbPath", panel);
  cbFiles_ = new TCriteriaComboBox("cbFiles", panel);
  cbExcludeFolders_ = new TCriteriaComboBox("cbExcludeFolders", panel);
  cbExcludeFiles_ = new TCriteriaComboBox("cbExcludeFiles", panel);
  SetHint(cbPath_, texts::kPathHint);
  SetHint(cbFiles_, texts::kFilesHint);
  SetHint(cbExcludeFolders_, texts::kExcludeFoldersHint);
  SetHint(cbExcludeFiles_, texts::kExcludeFilesHint);
  lbPath_ = MakeLabel("lbPath", texts::kPathCaption, cbPath_, panel);
  lbFiles_ = MakeLabel("lbFiles", texts::kFilesCaption, cbFiles_, panel);
  lbExcludeFolders_ = MakeLabel("lbExcludeFolders", texts::kExcludeFoldersCaption, cbExcludeFolders_, panel);
  lbExcludeFiles_ = MakeLabel("lbExcludeFiles", texts::kExcludeFilesCaption, cbExcludeFiles_, panel);

  btBrowse_ = new QToolButton(panel);
  btBrowse_->setObjectName("btBrowse");
  btBrowse_->setIcon(ToolbarImage("BROWSE"));
  btBrowse_->setIconSize(QSize(16, 16));
  btBrowse_->setFixedSize(24, 24);
  btBrowse_->setFocusPolicy(Qt::NoFocus);
  SetHint(btBrowse_, texts::kBrowseHint);
  connect(btBrowse_, &QToolButton::clicked, this, &TMainForm::BrowseClick);

  lbFilterCaption_ = MakeLabel("lbFilterCaption", texts::kFilterCaption, nullptr, panel);
  lbFilter_ = new TElidedLabel(panel);
  lbFilter_->setObjectName("lbFilter");
  btFilter_ = new QToolButton(panel);
  btFilter_->setObjectName("btFilter");
  btFilter_->setText("...");
  btFilter_->setFixedSize(27, 25);
  SetHint(btFilter_, texts::kFilterHint);
  connect(btFilter_, &QToolButton::clicked, this, &TMainForm::btFilterClick);
  btClearFilter_ = new QToolButton(panel);
  btClearFilter_->setObjectName("btClearFilter");
  btClearFilter_->setText("X");
  btClearFilter_->setFixedSize(27, 25);
  SetHint(btClearFilter_, texts::kClearFilterHint);
  connect(btClearFilter_, &QToolButton::clicked, this, &TMainForm::btClearFilterClick);

  auto* pathLabel = new QHBoxLayout;
  pathLabel->setSpacing(kBrowseGap);
  pathLabel->addWidget(lbPath_);
  pathLabel->addStretch(1);
  pathLabel->addWidget(btBrowse_);
  auto* filterRow = new QHBoxLayout;
  filterRow->setSpacing(4);
  filterRow->addWidget(lbFilter_, 1);
  filterRow->addWidget(btFilter_);
  filterRow->addWidget(btClearFilter_);

  QGridLayout* grid = MakeRowsLayout(panel);
  grid->addLayout(pathLabel, 0, 0);
  grid->addWidget(cbPath_, 0, 1);
  grid->addWidget(lbFiles_, 1, 0);
  grid->addWidget(cbFiles_, 1, 1);
  grid->addWidget(lbExcludeFolders_, 2, 0);
  grid->addWidget(cbExcludeFolders_, 2, 1);
  grid->addWidget(lbExcludeFiles_, 3, 0);
  grid->addWidget(cbExcludeFiles_, 3, 1);
  grid->addWidget(lbFilterCaption_, 4, 0);
  grid->addLayout(filterRow, 4, 1);
  return panel;
}

QWidget* TMainForm::CreateStringsPanel() {
  QFrame* panel = MakePanel("StringsPanel");
  cbStringA_ = new TCriteriaComboBox("cbStringA", panel);
  cbStringB_ = new TCriteriaComboBox("cbStringB", panel);
  SetHint(cbStringA_, texts::kStringAHint);
  SetHint(cbStringB_, texts::kStringBHint);
  ckRegularExpressions_ = new QCheckBox(texts::kRegExCaption, panel);
  ckRegularExpressions_->setObjectName("ckRegularExpressions");
  SetHint(ckRegularExpressions_, texts::kRegExHint);
  rbOr_ = new QRadioButton(texts::kOrCaption, panel);
  rbOr_->setObjectName("rbOr");
  SetHint(rbOr_, texts::kOrHint);
  rbAnd_ = new QRadioButton(texts::kAndCaption, panel);
  rbAnd_->setObjectName("rbAnd");
  SetHint(rbAnd_, texts::kAndHint);
  rbAndNot_ = new QRadioButton(texts::kAndNotCaption, panel);
  rbAndNot_->setObjectName("rbAndNot");
  SetHint(rbAndNot_, texts::kAndNotHint);

  auto* radios = new QHBoxLayout;
  radios->setSpacing(10);
  radios->addWidget(rbOr_);
  radios->addWidget(rbAnd_);
  radios->addWidget(rbAndNot_);
  radios->addStretch(1);

  QGridLayout* grid = MakeRowsLayout(panel);
  grid->addWidget(MakeLabel("Label3", texts::kStringACaption, cbStringA_, panel), 0, 0);
  grid->addWidget(cbStringA_, 0, 1);
  grid->addWidget(ckRegularExpressions_, 1, 0);
  grid->addLayout(radios, 1, 1);
  grid->addWidget(MakeLabel("Label4", texts::kStringBCaption, cbStringB_, panel), 2, 0);
  grid->addWidget(cbStringB_, 2, 1);
  return panel;
}

QCheckBox* TMainForm::AddOption(QWidget* panel, const char* name, const char* caption, const char* hint) {
  auto* box = new QCheckBox(caption, panel);
  box->setObjectName(name);
  SetHint(box, hint);
  panel->layout()->addWidget(box);
  return box;
}

QWidget* TMainForm::CreateOptionsPanel() {
  QFrame* panel = MakePanel("OptionsPanel");
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(8, 6, 6, 6);
  layout->setSpacing(3);
  ckCaseSensitive_ = AddOption(panel, "ckCaseSensitive", texts::kCaseSensitiveCaption, texts::kCaseSensitiveHint);
  ckIncludeSubDirectories_ =
      AddOption(panel, "ckIncludeSubDirectories", texts::kSubdirectoriesCaption, texts::kSubdirectoriesHint);
  ckShowMatches_ = AddOption(panel, "ckShowMatches", texts::kShowMatchesCaption, texts::kShowMatchesHint);
  ckMinimiseWhitespace_ = AddOption(panel, "ckMinimiseWhitespace", texts::kMinimiseCaption, texts::kMinimiseHint);
  ckWholeWord_ = AddOption(panel, "ckWholeWord", texts::kWholeWordCaption, texts::kWholeWordHint);
  ckSearchResults_ = AddOption(panel, "ckSearchResults", texts::kSearchResultsCaption, texts::kSearchResultsHint);
  ckFileMatchProximity_ =
      AddOption(panel, "ckFileMatchProximity", texts::kProximityCaption, texts::kProximityHint);
  return panel;
}

void TMainForm::CreateResultsMenu() {
  acExpandAll_ = new QAction(texts::kExpandAllCaption, this);
  acExpandAll_->setObjectName("acExpandAll");
  connect(acExpandAll_, &QAction::triggered, vstResults_, &TResultsView::ExpandAll);
  acCollapseAll_ = new QAction(texts::kCollapseAllCaption, this);
  acCollapseAll_->setObjectName("acCollapseAll");
  connect(acCollapseAll_, &QAction::triggered, vstResults_, &TResultsView::CollapseAll);
  pumResults_ = new QMenu(this);
  pumResults_->setObjectName("pumResults");
  pumResults_->addAction(acOpenWith_);
  pumResults_->addSeparator();
  pumResults_->addAction(acExpandAll_);
  pumResults_->addAction(acCollapseAll_);

  connect(vstResults_, &TResultsView::ContextMenuRequested, this, [this](const QPoint& at) {
    acExpandAll_->setEnabled(model_->rowCount() > 0);
    acCollapseAll_->setEnabled(model_->rowCount() > 0);
    pumResults_->popup(at);
  });
  connect(vstResults_, &TResultsView::OpenRequested, this, [this] {
    if (acOpenWith_->isEnabled()) acOpenWith_->trigger();
  });
  connect(vstResults_, &TResultsView::DragRequested, this, &TMainForm::DragRequested);
  connect(vstResults_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TMainForm::vstResultsChange);
  connect(model_, &QAbstractItemModel::modelReset, this, &TMainForm::vstResultsChange);
}

void TMainForm::SetTabOrder() {
  const QList<QWidget*> order = {cbPath_,        cbFiles_,        cbExcludeFolders_, cbExcludeFiles_,
                                 btFilter_,      btClearFilter_,  cbStringA_,        ckRegularExpressions_,
                                 rbOr_,          rbAnd_,          rbAndNot_,         cbStringB_,
                                 ckCaseSensitive_, ckIncludeSubDirectories_, ckShowMatches_, ckMinimiseWhitespace_,
                                 ckWholeWord_,   ckSearchResults_, ckFileMatchProximity_, vstResults_};
  for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

// Creation: the boxes take the stored options, then the recent values.
void TMainForm::SetControlsFromSettings() {
  ckRegularExpressions_->setChecked(dataMod_.RegularExpressions.Value());
  switch (dataMod_.MatchType.Value()) {
    case search::kMatchAnd: rbAnd_->setChecked(true); break;
    case search::kMatchAndNot: rbAndNot_->setChecked(true); break;
    default: rbOr_->setChecked(true); break;
  }
  ckCaseSensitive_->setChecked(dataMod_.CaseSensitive.Value());
  ckWholeWord_->setChecked(dataMod_.WholeWordOnly.Value());
  ckShowMatches_->setChecked(dataMod_.ShowMatches.Value());
  ckMinimiseWhitespace_->setEnabled(ckShowMatches_->isChecked());
  ckMinimiseWhitespace_->setChecked(dataMod_.MinimiseWhitespace.Value());
  ckIncludeSubDirectories_->setChecked(dataMod_.RecurseSubdirectories.Value());

  cbPath_->FillRecentBox(state_.Recent.Path);
  cbFiles_->FillRecentBox(state_.Recent.Files);
  cbExcludeFiles_->FillRecentBox(state_.Recent.ExcludeFiles);
  cbExcludeFolders_->FillRecentBox(state_.Recent.ExcludeFolders);
  cbStringA_->FillRecentBox(state_.Recent.StringA);
  cbStringB_->FillRecentBox(state_.Recent.StringB);
}

// Each option box writes its setting as soon as it changes.
void TMainForm::ConnectOptions() {
  const auto writes = [this](QCheckBox* box, auto& setting, std::function<void(bool)> also = {}) {
    connect(box, &QCheckBox::toggled, this, [this, &setting, also](bool checked) {
      Persist([&setting, checked] { setting.Set(checked); });
      if (also) also(checked);
      UpdateControlStates();
    });
  };
  writes(ckRegularExpressions_, dataMod_.RegularExpressions);
  writes(ckCaseSensitive_, dataMod_.CaseSensitive);
  writes(ckIncludeSubDirectories_, dataMod_.RecurseSubdirectories);
  writes(ckShowMatches_, dataMod_.ShowMatches);
  writes(ckMinimiseWhitespace_, dataMod_.MinimiseWhitespace);
  writes(ckWholeWord_, dataMod_.WholeWordOnly);
  connect(ckFileMatchProximity_, &QCheckBox::toggled, this, [this](bool checked) {
    Persist([this, checked] { dataMod_.MatchProximity.Set(checked ? 1 : 0); });
    UpdateControlStates();
  });
  connect(ckSearchResults_, &QCheckBox::toggled, this, &TMainForm::SearchResultsClick);

  for (QRadioButton* radio : {rbOr_, rbAnd_, rbAndNot_}) {
    connect(radio, &QRadioButton::toggled, this, &TMainForm::RefreshMatchType);
  }
  for (TCriteriaComboBox* box : {cbStringA_, cbStringB_}) {
    connect(box, &QComboBox::editTextChanged, this, &TMainForm::RefreshMatchType);
    connect(box, &TCriteriaComboBox::Clicked, this, &TMainForm::RefreshMatchType);
  }
  for (TCriteriaComboBox* box : {cbPath_, cbFiles_, cbExcludeFolders_, cbExcludeFiles_, cbStringA_, cbStringB_}) {
    connect(box, &TCriteriaComboBox::EnterPressed, this, [this, box] {
      if (!btSearch_->isEnabled()) return;
      searchedFrom_ = box;
      SearchClick();
    });
  }
  connect(cbPath_, &QComboBox::editTextChanged, this, &TMainForm::UpdateControlStates);
}

int TMainForm::GetMatchType() const {
  const search::TMatchButton button = rbAndNot_->isChecked() ? search::TMatchButton::AndNot
                                      : rbAnd_->isChecked()  ? search::TMatchButton::And
                                                             : search::TMatchButton::Or;
  return search::GetMatchType(button, EngineString(cbStringA_->currentText()), EngineString(cbStringB_->currentText()));
}

void TMainForm::RefreshMatchType() {
  state_.MatchType = GetMatchType();
  UpdateControlStates();
}

// Searching within the matched files greys everything that chooses the files.
void TMainForm::SearchResultsClick(bool checked) {
  const bool enabled = !checked;
  for (QWidget* control : std::initializer_list<QWidget*>{
           lbPath_, btBrowse_, cbPath_, lbFiles_, cbFiles_, lbExcludeFolders_, cbExcludeFolders_, lbExcludeFiles_,
           cbExcludeFiles_, lbFilterCaption_, lbFilter_, btFilter_, ckIncludeSubDirectories_}) {
    control->setEnabled(enabled);
  }
  UpdateFilterButtons();
}

// The dialog is made for this one use; OK has written the settings.
void TMainForm::btFilterClick() {
  TFilterForm dialog(dataMod_, this);
  if (dialog.exec() == QDialog::Accepted) UpdateFilterDescription();
}

void TMainForm::btClearFilterClick() {
  Persist([this] {
    dataMod_.FilterUseSize.Set(false);
    dataMod_.FilterUseCreatedDT.Set(false);
    dataMod_.FilterUseModifiedDT.Set(false);
    dataMod_.FilterUseAccessedDT.Set(false);
    dataMod_.FilterUseAttribute.Set(false);
  });
  UpdateFilterDescription();
}

// The label lists the active parts, its hint one clause a line; the status bar, a single
// line, gets the clauses side by side.
void TMainForm::UpdateFilterDescription() {
  const search::TFilterDescription description = search::DescribeFilter(dataMod_.FileFilter());
  const QString hint = DisplayString(description.Hint);
  lbFilter_->setText(DisplayString(description.Label));
  lbFilter_->setToolTip(hint);
  lbFilter_->setStatusTip(QString(hint).replace('\n', "  "));
  UpdateFilterButtons();
}

// Clearing is offered while some part of the filter is on and the filter applies.
void TMainForm::UpdateFilterButtons() {
  const bool applies = !ckSearchResults_->isChecked();
  btFilter_->setEnabled(applies);
  btClearFilter_->setEnabled(applies && dataMod_.FileFilter().Active());
}

// The enabling rules that follow from other controls.
void TMainForm::UpdateControlStates() {
  btSearch_->setEnabled(!cbPath_->currentText().isEmpty());
  const bool showMatchesEnabled = !(dataMod_.MatchProximity.Value() != 0 && GetMatchType() != search::kMatchOr);
  ckShowMatches_->setEnabled(showMatchesEnabled);
  ckMinimiseWhitespace_->setEnabled(showMatchesEnabled && ckShowMatches_->isChecked());
  UpdateFilterButtons();
}

// Searching within the matched files is offered only while there are some; the box is cleared
// whenever it is disabled.
void TMainForm::UpdateSearchResultsBox() {
  const bool offered = state_.CanSearchWithinMatchedFiles();
  if (!offered) ckSearchResults_->setChecked(false);
  ckSearchResults_->setEnabled(offered);
}

void TMainForm::vstResultsChange() {
  acOpenWith_->setEnabled(vstResults_->CanOpen());
  btEditWith_->setEnabled(acOpenWith_->isEnabled());
}

void TMainForm::SplitterMoved() {
  const int width = splitter_->sizes().value(0);
  Persist([this, width] { dataMod_.SplitterPosition.Set(width); });
}

void TMainForm::UpdateMainCaption() {
  const TVersionInfo& info = dataMod_.VersionData.VersionInfo();
  setWindowTitle(QString("%1 %2").arg(DisplayString(info.CompanyName), DisplayString(info.ProductName)));
}

void TMainForm::ApplyDisplaySettings() {
  setUpdatesEnabled(false);
  statusBar_->setVisible(dataMod_.ShowStatusBar.Value());

  const bool captions = dataMod_.ShowButtonCaptions.Value();
  const int side = captions ? 65 : 45;
  for (QToolButton* button : {btSearch_, tbHistory_, btEditWith_, btHide_, btExit_}) {
    button->setToolButtonStyle(captions ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    button->setToolTip(captions ? QString() : button->statusTip());
    button->setMinimumSize(side, side);
  }
  hideItem_->setVisible(dataMod_.UseToolTray.Value());
  exitItem_->setVisible(!dataMod_.UseToolTray.Value());

  ckRegularExpressions_->setVisible(dataMod_.ShowRegularExpressions.Value());
  if (!dataMod_.ShowRegularExpressions.Value()) ckRegularExpressions_->setChecked(false);

  for (TCriteriaComboBox* box : {cbPath_, cbFiles_, cbExcludeFolders_, cbExcludeFiles_, cbStringA_, cbStringB_}) {
    box->SetAutoComplete(dataMod_.AutoComplete.Value());
  }

  QFont results(DisplayString(dataMod_.FontName.Value()), std::max(dataMod_.FontSize.Value(), 1));
  results.setStyleHint(QFont::TypeWriter);
  const TFontStyles& styles = dataMod_.FontStyle.Value();
  results.setBold(styles.Bold);
  results.setItalic(styles.Italic);
  results.setUnderline(styles.Underline);
  results.setStrikeOut(styles.StrikeOut);
  vstResults_->setFont(results);
  setUpdatesEnabled(true);
}

// Layouts keep every control its room; the window cannot become smaller than the left panel.
void TMainForm::ApplyLayoutConstraints() {
  AlignLabelColumns();
  // The toolbar keeps room for its last button rather than folding buttons away.
  toolBar_->setMinimumWidth(toolBar_->sizeHint().width() + 10);
  leftPanel_->setMinimumWidth(leftPanel_->minimumSizeHint().width());
  const int statusHeight = statusBar_->isVisible() ? statusBar_->sizeHint().height() : 0;
  setMinimumHeight(leftPanel_->minimumSizeHint().height() + statusHeight);
  KeepStatusTextsRoom();
}

// The window is never so narrow that the status panels cut their texts.
void TMainForm::KeepStatusTextsRoom() {
  const int statusWidth = statusBar_->isVisible() ? statusBar_->minimumSizeHint().width() : 0;
  setMinimumWidth(std::max({kMinimumWidth, statusWidth, leftPanel_->minimumWidth() + splitter_->handleWidth()}));
}

// The boxes of the criteria and strings panels start on one column, whether RegEx is shown or not.
void TMainForm::AlignLabelColumns() {
  int width = kLabelColumnWidth;
  for (const QWidget* label : std::initializer_list<const QWidget*>{
           lbFiles_, lbExcludeFolders_, lbExcludeFiles_, lbFilterCaption_, ckRegularExpressions_,
           stringsPanel_->findChild<QLabel*>("Label3"), stringsPanel_->findChild<QLabel*>("Label4")}) {
    width = std::max(width, label->sizeHint().width());
  }
  width = std::max(width, lbPath_->sizeHint().width() + kBrowseGap + btBrowse_->width());
  SetLabelColumnWidth(criteriaPanel_, width);
  SetLabelColumnWidth(stringsPanel_, width);
}

// No hourglass here: an application-wide wait cursor would also cover the picker itself.
void TMainForm::BrowseClick() {
  const QString initial = BrowseInitialFolder(cbPath_->currentText());
  const QString folder = BrowseForFolder(this, texts::kBrowseTitle, initial).trimmed();
  if (folder.isEmpty()) return;
  cbPath_->SetText(BrowseResultText(cbPath_->currentText(), folder));
}

void TMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  RefreshMatchType();
  ckFileMatchProximity_->setChecked(dataMod_.MatchProximity.Value() == 1);
  ApplyDisplaySettings();
  ApplyLayoutConstraints();
  if (!shownOnce_) {
    shownOnce_ = true;
    UpdateCheckShowSteps();
  }
}

bool TMainForm::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    if (dataMod_.ShowHints.Value()) statusBar_->ShowHint(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  return QMainWindow::event(event);
}

// Closing while a search runs cancels it; the window closes when the search has ended.
void TMainForm::closeEvent(QCloseEvent* event) {
  if (searching_) {
    closeRequested_ = true;
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

// The match type and the six boxes' texts are kept for the next start.
void TMainForm::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  busy_.reset();
  try {
    search::TRecentValues& recent = state_.Recent;
    search::RememberRecentValue(recent.Path, search::NormalisePathText(EngineString(cbPath_->currentText())));
    search::RememberRecentValue(recent.Files, EngineString(cbFiles_->currentText()));
    search::RememberRecentValue(recent.ExcludeFolders, EngineString(cbExcludeFolders_->currentText()));
    search::RememberRecentValue(recent.ExcludeFiles, EngineString(cbExcludeFiles_->currentText()));
    search::RememberRecentValue(recent.StringA, EngineString(cbStringA_->currentText()));
    search::RememberRecentValue(recent.StringB, EngineString(cbStringB_->currentText()));
    StoreCriteria(GetMatchType(), recent);
  } catch (const std::exception& error) {
    // The window is going away: the message goes where a closing program can still show it.
    qWarning("search: %s", error.what());
  }
}

void TMainForm::StoreCriteria(int matchType, const search::TRecentValues& recent) {
  dataMod_.MatchType.Set(static_cast<uint8_t>(matchType));
  dataMod_.Path.Assign(recent.Path);
  dataMod_.Files.Assign(recent.Files);
  dataMod_.ExcludeFolders.Assign(recent.ExcludeFolders);
  dataMod_.ExcludeFiles.Assign(recent.ExcludeFiles);
  dataMod_.StringA.Assign(recent.StringA);
  dataMod_.StringB.Assign(recent.StringB);
}

void TMainForm::Persist(const std::function<void()>& change) {
  try {
    change();
  } catch (const std::exception& error) {
    const QString message = QString::fromStdString(error.what());
    QTimer::singleShot(0, this, [this, message] {
      ShowMessageDialog(message, TMessageKind::Error, {TMessageButton::OK}, 0, this);
    });
  }
}
