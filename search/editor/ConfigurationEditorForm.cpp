#include "search/editor/ConfigurationEditorForm.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <optional>
#include <string>

#include "search/editor/ConfigurationEditorFormTexts.h"
#include "search/editor/EditControl.h"
#include "search/editor/text/TabStops.h"
#include "search/settings/DataModule.h"
#include "search/ui/ByteText.h"
#include "search/ui/ColourValues.h"
#include "search/ui/MessageForm.h"

namespace t = configuration_editor_texts;

namespace {

constexpr int kClientWidth = 295;
constexpr int kClientHeight = 483;
constexpr int kSampleHeight = 147;
constexpr int kTabStopsLength = 80;
constexpr int kRightMarginLength = 3;
constexpr int kColourButtonWidth = 56;
// The preview's rows that are painted as matched lines: "one" and "six".
constexpr int kMatchedSampleLines[] = {2, 7};

// A ruler with the digits 1 to 9 and 0 at columns 10, 20, ... 100, then "1234567890" ten
// times over, then the words.
std::string SampleText() {
  std::string ruler(100, ' ');
  for (int tens = 1; tens <= 10; ++tens) ruler[static_cast<size_t>(tens * 10 - 1)] = static_cast<char>('0' + tens % 10);
  std::string digits;
  for (int i = 0; i < 10; ++i) digits += "1234567890";
  std::string text = ruler + "\n" + digits;
  for (const char* word : t::kSampleWords) text += std::string("\n") + word;
  return text;
}

bool IsVowel(char c) {
  switch (c) {
    case 'a': case 'e': case 'i': case 'o': case 'u':
    case 'A': case 'E': case 'I': case 'O': case 'U':
      return true;
    default:
      return false;
  }
}

QLabel* Caption(const char* text, QWidget* buddy = nullptr) {
  auto* label = new QLabel(QString::fromUtf8(text));
  if (buddy != nullptr) label->setBuddy(buddy);
  return label;
}

// The trimmed text as a decimal number; none when it does not read as one.
std::optional<int> NumberIn(const QString& text) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok, 10);
  return ok ? std::optional<int>(value) : std::nullopt;
}

}  // namespace

TConfigurationEditorForm::TConfigurationEditorForm(TDataMod& dataMod, QWidget* parent)
    : QDialog(parent), dataMod_(dataMod) {
  setObjectName("ConfigurationEditorForm");
  setWindowTitle(t::kCaption);

  pcPages_ = new QTabWidget(this);
  pcPages_->setObjectName("pcPages");
  pcPages_->addTab(CreateOptionsPage(), t::kOptionsPage);
  pcPages_->addTab(CreateColoursPage(), t::kColoursPage);
  pcPages_->addTab(CreateMoreColoursPage(), t::kMoreColoursPage);
  pcPages_->addTab(CreateFontPage(), t::kFontPage);
  CreateSample();
  // The options page row by row, as it reads.
  setTabOrder(ckSmartTab_, edTabStops_);
  setTabOrder(edTabStops_, ckRightMarginVisible_);
  setTabOrder(ckRightMarginVisible_, edRightMarginAt_);
  setTabOrder(edRightMarginAt_, ckHighlightBrackets_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pcPages_, 1);
  layout->addSpacing(2);
  layout->addWidget(Caption(t::kSample));
  layout->addWidget(editorSample_);
  layout->addWidget(CreateButtonStrip());

  FormCreate();
  setFixedSize(sizeHint().expandedTo(QSize(kClientWidth, kClientHeight)));
}

void TConfigurationEditorForm::ShowPage(TPage page) { pcPages_->setCurrentIndex(static_cast<int>(page)); }

// Building the dialog.

QCheckBox* TConfigurationEditorForm::AddCheckBox(QWidget* page, const char* name, const char* caption) {
  auto* box = new QCheckBox(QString::fromUtf8(caption), page);
  box->setObjectName(name);
  connect(box, &QCheckBox::toggled, this, &TConfigurationEditorForm::OptionClick);
  return box;
}

TColourButton* TConfigurationEditorForm::AddColourButton(QWidget* page, const char* name) {
  auto* button = new TColourButton(page);
  button->setObjectName(name);
  button->setMinimumWidth(kColourButtonWidth);
  connect(button, &QPushButton::clicked, this, [this, button] { pnColourClick(button); });
  return button;
}

QWidget* TConfigurationEditorForm::CreateOptionsPage() {
  auto* page = new QWidget;
  page->setObjectName("tsOptions");
  ckAutoIndent_ = AddCheckBox(page, "ckAutoIndent", t::kAutoIndent);
  ckBackspaceUnindents_ = AddCheckBox(page, "ckBackspaceUnindents", t::kBackspaceUnindents);
  ckCursorBeyondEOF_ = AddCheckBox(page, "ckCursorBeyondEOF", t::kCursorBeyondEOF);
  ckDoubleClickLine_ = AddCheckBox(page, "ckDoubleClickLine", t::kDoubleClickLine);
  ckKeepTrailingBlanks_ = AddCheckBox(page, "ckKeepTrailingBlanks", t::kKeepTrailingBlanks);
  ckSmartTab_ = AddCheckBox(page, "ckSmartTab", t::kSmartTab);
  ckRightMarginVisible_ = AddCheckBox(page, "ckRightMarginVisible", t::kRightMarginVisible);
  ckHighlightBrackets_ = AddCheckBox(page, "ckHighlightBrackets", t::kHighlightBrackets);

  edTabStops_ = new QLineEdit(page);
  edTabStops_->setObjectName("edTabStops");
  edTabStops_->setMaxLength(kTabStopsLength);
  connect(edTabStops_, &QLineEdit::textChanged, this, &TConfigurationEditorForm::edTabStopsChange);
  edRightMarginAt_ = new QLineEdit(page);
  edRightMarginAt_->setObjectName("edRightMarginAt");
  edRightMarginAt_->setMaxLength(kRightMarginLength);
  edRightMarginAt_->setFixedWidth(edRightMarginAt_->fontMetrics().horizontalAdvance("0000") + 16);
  connect(edRightMarginAt_, &QLineEdit::textChanged, this, &TConfigurationEditorForm::edRightMarginAtChange);

  auto* tabStops = new QHBoxLayout;
  tabStops->addWidget(Caption(t::kTabStops, edTabStops_));
  tabStops->addWidget(edTabStops_, 1);
  auto* rightMargin = new QHBoxLayout;
  rightMargin->addWidget(ckRightMarginVisible_);
  rightMargin->addWidget(edRightMarginAt_);
  rightMargin->addStretch();

  auto* layout = new QVBoxLayout(page);
  layout->setSpacing(4);
  for (QCheckBox* box : {ckAutoIndent_, ckBackspaceUnindents_, ckCursorBeyondEOF_, ckDoubleClickLine_,
                         ckKeepTrailingBlanks_, ckSmartTab_}) {
    layout->addWidget(box);
  }
  layout->addLayout(tabStops);
  layout->addLayout(rightMargin);
  layout->addWidget(ckHighlightBrackets_);
  layout->addStretch();
  return page;
}

QWidget* TConfigurationEditorForm::CreateColoursPage() {
  auto* page = new QWidget;
  page->setObjectName("tsColours");
  cbForeColour_ = AddColourButton(page, "cbForeColour");
  cbBackColour_ = AddColourButton(page, "cbBackColour");
  cbSelectionForeColour_ = AddColourButton(page, "cbSelectionForeColour");
  cbSelectionBackColour_ = AddColourButton(page, "cbSelectionBackColour");
  cbGutterColour_ = AddColourButton(page, "cbGutterColour");
  cbRightMarginColour_ = AddColourButton(page, "cbRightMarginColour");
  cbBracketForeColour_ = AddColourButton(page, "cbBracketForeColour");
  cbBracketBackColour_ = AddColourButton(page, "cbBracketBackColour");
  lbRightMarginColour_ = Caption(t::kRightMarginColour, cbRightMarginColour_);
  lbRightMarginColour_->setObjectName("lbRightMarginColour");
  lbBracketHighlight_ = Caption(t::kBracketHighlight, cbBracketForeColour_);
  lbBracketHighlight_->setObjectName("lbBracketHighlight");
  btResetColours_ = AddResetButton(page, "btResetColours", &TConfigurationEditorForm::btResetColoursClick);
  // The gutter colour is a background, the right margin's a foreground.
  LayOutColourPage(page,
                   {{Caption(t::kWindowColours, cbForeColour_), cbForeColour_, cbBackColour_},
                    {Caption(t::kSelectionColours, cbSelectionForeColour_), cbSelectionForeColour_, cbSelectionBackColour_},
                    {Caption(t::kGutterColour, cbGutterColour_), nullptr, cbGutterColour_},
                    {lbRightMarginColour_, cbRightMarginColour_, nullptr},
                    {lbBracketHighlight_, cbBracketForeColour_, cbBracketBackColour_}},
                   btResetColours_);
  return page;
}

QWidget* TConfigurationEditorForm::CreateMoreColoursPage() {
  auto* page = new QWidget;
  page->setObjectName("tsMoreColours");
  cbMatchedStringForegroundColour_ = AddColourButton(page, "cbMatchedStringForegroundColour");
  cbMatchedStringBackgroundColour_ = AddColourButton(page, "cbMatchedStringBackgroundColour");
  cbMatchedLineForegroundColour_ = AddColourButton(page, "cbMatchedLineForegroundColour");
  cbMatchedLineBackgroundColour_ = AddColourButton(page, "cbMatchedLineBackgroundColour");
  btResetMoreColours_ = AddResetButton(page, "btResetMoreColours", &TConfigurationEditorForm::btResetMoreColoursClick);
  LayOutColourPage(page,
                   {{Caption(t::kMatchedStrings, cbMatchedStringForegroundColour_), cbMatchedStringForegroundColour_,
                     cbMatchedStringBackgroundColour_},
                    {Caption(t::kMatchedLines, cbMatchedLineForegroundColour_), cbMatchedLineForegroundColour_,
                     cbMatchedLineBackgroundColour_}},
                   btResetMoreColours_);
  return page;
}

QPushButton* TConfigurationEditorForm::AddResetButton(QWidget* page, const char* name, void (TConfigurationEditorForm::*click)()) {
  auto* button = new QPushButton(t::kReset, page);
  button->setObjectName(name);
  connect(button, &QPushButton::clicked, this, click);
  return button;
}

// A colour page: a row of buttons per caption under the headings "Foreground" and
// "Background", the page's Reset below the background column.
void TConfigurationEditorForm::LayOutColourPage(QWidget* page, std::initializer_list<TColourRow> rows,
                                                QPushButton* reset) {
  auto* grid = new QGridLayout;
  grid->setVerticalSpacing(6);
  grid->addWidget(Caption(t::kForeground), 0, 1, Qt::AlignHCenter);
  grid->addWidget(Caption(t::kBackground), 0, 2, Qt::AlignHCenter);
  int line = 1;
  for (const TColourRow& row : rows) {
    grid->addWidget(row.caption, line, 0);
    if (row.fore != nullptr) grid->addWidget(row.fore, line, 1);
    if (row.back != nullptr) grid->addWidget(row.back, line, 2);
    ++line;
  }
  grid->addWidget(reset, line, 2);
  grid->setColumnStretch(0, 1);
  auto* layout = new QVBoxLayout(page);
  layout->addLayout(grid);
  layout->addStretch();
}

QWidget* TConfigurationEditorForm::CreateFontPage() {
  auto* page = new QWidget;
  page->setObjectName("tsFont");
  auto* group = new QGroupBox(t::kFont, page);
  lbFont_ = new QLabel(group);
  lbFont_->setObjectName("lbFont");
  lbFont_->setAlignment(Qt::AlignCenter);
  lbFont_->setWordWrap(true);
  lbFont_->setFrameShape(QFrame::StyledPanel);
  lbFont_->setMinimumHeight(2 * lbFont_->fontMetrics().height() + 12);
  btFont_ = new QToolButton(group);
  btFont_->setObjectName("btFont");
  btFont_->setText(t::kFontButton);
  connect(btFont_, &QToolButton::clicked, this, &TConfigurationEditorForm::btFontClick);

  auto* font = new QHBoxLayout(group);
  font->addWidget(lbFont_, 1);
  font->addWidget(btFont_);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(group);
  layout->addStretch();
  return page;
}

void TConfigurationEditorForm::CreateSample() {
  editorSample_ = new TEditControl(this);
  editorSample_->setObjectName("EditorSample");
  editorSample_->setFixedHeight(kSampleHeight);
  editorSample_->SetTabStops("2");
  editorSample_->SetBytes(SampleText());
  editorSample_->SetModified(false);
  editorSample_->SetGutterWidth(fontMetrics().horizontalAdvance("1234"));
  editorSample_->OnGetLineAttr = [this](TEditControl& sample, std::string_view line, int index, TLineAttrs& attrs) {
    EditorSampleGetLineAttr(sample, line, index, attrs);
  };
  editorSample_->OnPaintGutter = [this](TEditControl& sample, QPainter& painter, const QRect& gutter) {
    EditorSamplePaintGutter(sample, painter, gutter);
  };
  // Escape closes the dialog from the preview too.
  editorSample_->OnKeyDown = [this](TEditControl&, int& key, Qt::KeyboardModifiers) {
    if (key != Qt::Key_Escape) return;
    key = 0;
    reject();
  };
}

QWidget* TConfigurationEditorForm::CreateButtonStrip() {
  auto* buttons = new QDialogButtonBox(this);
  btOk_ = buttons->addButton(t::kOk, QDialogButtonBox::AcceptRole);
  btOk_->setObjectName("btOk");
  btOk_->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
  btOk_->setDefault(true);
  btCancel_ = buttons->addButton(t::kCancel, QDialogButtonBox::RejectRole);
  btCancel_->setObjectName("btCancel");
  btCancel_->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
  // OK stores first; the dialog closes only when storing worked.
  connect(btOk_, &QPushButton::clicked, this, &TConfigurationEditorForm::btOkClick);
  connect(btCancel_, &QPushButton::clicked, this, &QDialog::reject);
  return buttons;
}

// Opening: every control from its setting, the dependent controls enabled, the preview from
// the controls.

void TConfigurationEditorForm::FormCreate() {
  ShowPage(TPage::Options);
  const TDataMod& d = dataMod_;
  const std::pair<QCheckBox*, bool> boxes[] = {
      {ckAutoIndent_, d.EditorAutoIndent.Value()},
      {ckBackspaceUnindents_, d.EditorBackSpaceUnindents.Value()},
      {ckCursorBeyondEOF_, d.EditorCursorBeyondEOF.Value()},
      {ckDoubleClickLine_, d.EditorDoubleClickLine.Value()},
      {ckKeepTrailingBlanks_, d.EditorKeepTrailingBlanks.Value()},
      {ckSmartTab_, d.EditorSmartTab.Value()},
      {ckRightMarginVisible_, d.EditorRightMarginVisible.Value()},
      {ckHighlightBrackets_, d.EditorBracketHighlighting.Value()},
  };
  for (const auto& [box, checked] : boxes) {
    const QSignalBlocker quiet(box);
    box->setChecked(checked);
  }
  edTabStops_->setText(DisplayString(d.EditorTabStops.Value()));
  edTabStops_->setCursorPosition(0);  // a long list shows from its first stop
  edRightMarginAt_->setText(QString::number(d.EditorRightMarginPos.Value()));

  const std::pair<TColourButton*, TColour> colours[] = {
      {cbForeColour_, d.EditorForeColour.Value()},
      {cbBackColour_, d.EditorBackColour.Value()},
      {cbSelectionForeColour_, d.EditorSelForeColour.Value()},
      {cbSelectionBackColour_, d.EditorSelBackColour.Value()},
      {cbGutterColour_, d.EditorGutterColour.Value()},
      {cbRightMarginColour_, d.EditorRightMarginColour.Value()},
      {cbBracketForeColour_, d.EditorBracketForeColour.Value()},
      {cbBracketBackColour_, d.EditorBracketBackColour.Value()},
      {cbMatchedStringForegroundColour_, d.EditorMatchedStringForegroundColour.Value()},
      {cbMatchedStringBackgroundColour_, d.EditorMatchedStringBackgroundColour.Value()},
      {cbMatchedLineForegroundColour_, d.EditorMatchedLineForegroundColour.Value()},
      {cbMatchedLineBackgroundColour_, d.EditorMatchedLineBackgroundColour.Value()},
  };
  for (const auto& [button, colour] : colours) button->SetColour(colour);
  font_ = StoredFont(d.EditorFontName.Value(), d.EditorFontSize.Value(), d.EditorFontStyle.Value());

  OptionClick();
  edTabStopsChange();
  edRightMarginAtChange();
  RefreshSampleColours();
  ShowFont();
}

// Tab stops are typed only without Smart tab; the right-margin and bracket colours only count
// while the margin or the bracket highlighting is shown.
void TConfigurationEditorForm::EnableDependentControls() {
  edTabStops_->setEnabled(!ckSmartTab_->isChecked());
  const bool margin = ckRightMarginVisible_->isChecked();
  for (QWidget* widget : std::initializer_list<QWidget*>{lbRightMarginColour_, cbRightMarginColour_, edRightMarginAt_}) {
    widget->setEnabled(margin);
  }
  const bool brackets = ckHighlightBrackets_->isChecked();
  for (QWidget* widget : std::initializer_list<QWidget*>{lbBracketHighlight_, cbBracketForeColour_, cbBracketBackColour_}) {
    widget->setEnabled(brackets);
  }
}

// The live preview.

void TConfigurationEditorForm::OptionClick() {
  EnableDependentControls();
  TEditControl& sample = *editorSample_;
  sample.SetAutoIndent(ckAutoIndent_->isChecked());
  sample.SetBackSpaceUnindents(ckBackspaceUnindents_->isChecked());
  sample.SetCursorBeyondEOF(ckCursorBeyondEOF_->isChecked());
  sample.SetDoubleClickLine(ckDoubleClickLine_->isChecked());
  sample.SetKeepTrailingBlanks(ckKeepTrailingBlanks_->isChecked());
  sample.SetSmartTab(ckSmartTab_->isChecked());
  sample.SetRightMargin(sample.RightMargin(), ckRightMarginVisible_->isChecked(), sample.RightMarginColour());
  sample.SetBracketHighlighting(ckHighlightBrackets_->isChecked(), sample.BracketBackColour(),
                                sample.BracketForeColour(), sample.BracketBackColour());
  ValidateOk();
}

void TConfigurationEditorForm::edTabStopsChange() {
  const QString stops = edTabStops_->text().trimmed();
  if (editor::ParseTabStops(EngineString(stops))) editorSample_->SetTabStops(EngineString(stops));
  ValidateOk();
}

// An empty box keeps the stored position; any other text must be a number to be stored.
void TConfigurationEditorForm::edRightMarginAtChange() {
  if (edRightMarginAt_->text().trimmed().isEmpty()) {
    ValidateOk();
    return;
  }
  const std::optional<int> column = NumberIn(edRightMarginAt_->text());
  if (!column) {
    btOk_->setEnabled(false);
    return;
  }
  TEditControl& sample = *editorSample_;
  sample.SetRightMargin(*column, sample.RightMarginVisible(), sample.RightMarginColour());
  ValidateOk();
}

void TConfigurationEditorForm::ValidateOk() {
  const QString margin = edRightMarginAt_->text().trimmed();
  const std::optional<int> column = NumberIn(margin);
  const bool marginValid = margin.isEmpty() || (column && *column > 0);
  const bool tabStopsValid =
      ckSmartTab_->isChecked() || editor::ParseTabStops(EngineString(edTabStops_->text().trimmed())).has_value();
  btOk_->setEnabled(marginValid && tabStopsValid);
}

// The custom colours of the clicked button's colour dialog are offered by the next dialog of
// every button of the "Colours" page but the bracket ones.
void TConfigurationEditorForm::pnColourClick(TColourButton* clicked) {
  clicked->Choose(ChooseColour);
  for (TColourButton* button : {cbForeColour_, cbBackColour_, cbSelectionForeColour_, cbSelectionBackColour_,
                                cbGutterColour_, cbRightMarginColour_}) {
    button->SetCustomColours(clicked->CustomColours());
  }
  RefreshSampleColours();
}

QColor TConfigurationEditorForm::ColourOf(const TColourButton* button) const {
  return ResolveColour(button->Colour(), palette());
}

void TConfigurationEditorForm::RefreshSampleColours() {
  TEditControl& sample = *editorSample_;
  sample.SetRightMargin(sample.RightMargin(), sample.RightMarginVisible(), ColourOf(cbRightMarginColour_));
  sample.SetGutterColour(ColourOf(cbGutterColour_));
  sample.SetColours(ColourOf(cbForeColour_), ColourOf(cbBackColour_));
  sample.SetSelectionColours(ColourOf(cbSelectionForeColour_), ColourOf(cbSelectionBackColour_));
  sample.SetBracketHighlighting(sample.BracketHighlighting(), ColourOf(cbBracketBackColour_),
                                ColourOf(cbBracketForeColour_), ColourOf(cbBracketBackColour_));
  sample.SetTextFont(font_);
  sample.Invalidate();
}

void TConfigurationEditorForm::btResetColoursClick() {
  cbForeColour_->SetColour(SystemColour(8));            // window text
  cbBackColour_->SetColour(SystemColour(5));            // window
  cbSelectionForeColour_->SetColour(SystemColour(14));  // highlighted text
  cbSelectionBackColour_->SetColour(SystemColour(13));  // highlight
  cbRightMarginColour_->SetColour(SystemColour(15));    // button face
  cbGutterColour_->SetColour(SystemColour(15));
  cbBracketForeColour_->SetColour(SystemColour(5));
  cbBracketBackColour_->SetColour(SystemColour(8));
  RefreshSampleColours();
}

void TConfigurationEditorForm::btResetMoreColoursClick() {
  cbMatchedStringForegroundColour_->SetColour(0x0000FFFF);  // yellow
  cbMatchedStringBackgroundColour_->SetColour(0x000000FF);  // red
  cbMatchedLineForegroundColour_->SetColour(SystemColour(8));
  cbMatchedLineBackgroundColour_->SetColour(SystemColour(24));  // tooltip background
  RefreshSampleColours();
}

void TConfigurationEditorForm::btFontClick() {
  QFont font = font_;
  if (!ChooseFont || !ChooseFont(this, font)) return;
  LimitFontSize(font);
  font_ = font;
  ShowFont();
}

void TConfigurationEditorForm::ShowFont() {
  lbFont_->setText(FontDescription(font_));
  editorSample_->SetTextFont(font_);
}

// Painting the preview: "one" and "six" as matched lines, every vowel as a matched string.
void TConfigurationEditorForm::EditorSampleGetLineAttr(TEditControl& sample, std::string_view line, int lineIndex,
                                                       TLineAttrs& attrs) {
  if (std::find(std::begin(kMatchedSampleLines), std::end(kMatchedSampleLines), lineIndex) !=
      std::end(kMatchedSampleLines)) {
    const QColor fore = ColourOf(cbMatchedLineForegroundColour_);
    const QColor back = ColourOf(cbMatchedLineBackgroundColour_);
    for (size_t p = 1; p < attrs.size(); ++p) {
      if (attrs[p].Back == sample.BackColour()) attrs[p].Back = back;
      if (attrs[p].Fore == sample.ForeColour()) attrs[p].Fore = fore;
    }
  }
  const QColor fore = ColourOf(cbMatchedStringForegroundColour_);
  const QColor back = ColourOf(cbMatchedStringBackgroundColour_);
  for (size_t p = 1; p <= line.size() && p < attrs.size(); ++p) {
    if (!IsVowel(line[p - 1])) continue;
    attrs[p].Fore = fore;
    attrs[p].Back = back;
  }
}

// The gutter: the line numbers of the visible rows, right-aligned 2 pixels from its edge.
void TConfigurationEditorForm::EditorSamplePaintGutter(TEditControl& sample, QPainter& painter, const QRect& gutter) {
  painter.fillRect(gutter, sample.GutterColour());
  painter.setFont(font());
  painter.setPen(sample.ForeColour());
  const int height = painter.fontMetrics().boundingRect("1234567890").height();
  const int top = sample.TopRow();
  for (int row = 0; row <= sample.VisibleRows(); ++row) {
    const int number = top + row + 1;
    if (number > sample.LineCount()) break;
    const QRect cell = sample.CellRect(0, row);
    const QRect text(gutter.left(), cell.top() + (cell.height() - height) / 2, gutter.width() - 2, height);
    painter.drawText(text, Qt::AlignRight | Qt::AlignVCenter, QString::number(number));
  }
}

// OK stores every value in a fixed order; what was written before a failing write stays.
void TConfigurationEditorForm::btOkClick() {
  TDataMod& d = dataMod_;
  try {
    d.EditorBackSpaceUnindents.Set(ckBackspaceUnindents_->isChecked());
    d.EditorCursorBeyondEOF.Set(ckCursorBeyondEOF_->isChecked());
    d.EditorDoubleClickLine.Set(ckDoubleClickLine_->isChecked());
    d.EditorKeepTrailingBlanks.Set(ckKeepTrailingBlanks_->isChecked());
    d.EditorSmartTab.Set(ckSmartTab_->isChecked());
    d.EditorTabStops.Set(EngineString(edTabStops_->text().trimmed()));
    if (const std::optional<int> column = NumberIn(edRightMarginAt_->text())) d.EditorRightMarginPos.Set(*column);
    d.EditorRightMarginVisible.Set(ckRightMarginVisible_->isChecked());
    d.EditorForeColour.Set(cbForeColour_->Colour());
    d.EditorBackColour.Set(cbBackColour_->Colour());
    d.EditorGutterColour.Set(cbGutterColour_->Colour());
    d.EditorRightMarginColour.Set(cbRightMarginColour_->Colour());
    d.EditorSelBackColour.Set(cbSelectionBackColour_->Colour());
    d.EditorSelForeColour.Set(cbSelectionForeColour_->Colour());
    d.EditorBracketHighlighting.Set(ckHighlightBrackets_->isChecked());
    d.EditorBracketForeColour.Set(cbBracketForeColour_->Colour());
    d.EditorBracketBackColour.Set(cbBracketBackColour_->Colour());
    d.EditorMatchedStringForegroundColour.Set(cbMatchedStringForegroundColour_->Colour());
    d.EditorMatchedStringBackgroundColour.Set(cbMatchedStringBackgroundColour_->Colour());
    d.EditorMatchedLineForegroundColour.Set(cbMatchedLineForegroundColour_->Colour());
    d.EditorMatchedLineBackgroundColour.Set(cbMatchedLineBackgroundColour_->Colour());
    d.EditorFontName.Set(EngineString(font_.family()));
    d.EditorFontSize.Set(font_.pointSize());
    d.EditorFontStyle.Set(StylesOf(font_));
    d.EditorAutoIndent.Set(ckAutoIndent_->isChecked());
  } catch (const std::exception& error) {
    // The dialog stays open so the user can retry or cancel.
    ShowMessageDialog(DisplayString(error.what()), TMessageKind::Error, {TMessageButton::OK}, 0, this);
    return;
  }
  accept();
}

void ShowEditorPreferences(TDataMod& dataMod, QWidget* owner, const QPoint& topLeft) {
  TConfigurationEditorForm dialog(dataMod, owner);
  dialog.ShowPage(TConfigurationEditorForm::TPage::MoreColours);
  dialog.move(topLeft);
  dialog.exec();
}
