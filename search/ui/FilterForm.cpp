#include "search/ui/FilterForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QStackedWidget>
#include <QTimeEdit>
#include <QVBoxLayout>
#include <cmath>

#include "search/engine/filter/FormatSize.h"
#include "search/settings/DataModule.h"
#include "search/ui/ByteText.h"
#include "search/ui/FilterFormTexts.h"
#include "search/ui/MessageForm.h"

namespace {

namespace texts = filtertexts;

constexpr int kSizeDigits = 8;
constexpr int kAmountDigits = 5;
constexpr int kSecondsPerDay = 86400;

const QDate kDayZero(1899, 12, 30);
// Stored bounds reach back to 1 January 100; the pickers must be able to hold them.
const QDate kFirstDay(100, 1, 1);
const QDate kLastDay(9999, 12, 31);

QLabel* MakeLabel(const char* caption, QWidget* parent, const char* name = nullptr) {
  auto* label = new QLabel(caption, parent);
  if (name != nullptr) label->setObjectName(name);
  return label;
}

// Digits only; Delete, the arrows, Tab and pasting keep working.
QLineEdit* MakeNumberEdit(const char* name, int digits, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setMaxLength(digits);
  edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
  edit->setAlignment(Qt::AlignRight);
  const int width = edit->fontMetrics().horizontalAdvance(QString(digits + 2, '0'));
  edit->setFixedWidth(width + 12);
  return edit;
}

template <size_t N>
QComboBox* MakeList(const char* name, const char* const (&items)[N], QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setObjectName(name);
  for (const char* item : items) list->addItem(item);
  return list;
}

// The row of a date group's relative or absolute set, indented under the title.
QHBoxLayout* IndentedRow(QWidget* set, int spacing) {
  auto* row = new QHBoxLayout(set);
  row->setContentsMargins(22, 0, 0, 0);
  row->setSpacing(spacing);
  return row;
}

// Years with four digits, so 1 January 100 cannot be mistaken for 2000.
QString DateFormat() {
  QString format = QLocale().dateFormat(QLocale::ShortFormat);
  if (!format.contains("yyyy")) format.replace("yy", "yyyy");
  return format;
}

// The locale's long time without the time zone, which a local date-time does not have.
QString TimeFormat() {
  QString format = QLocale().timeFormat(QLocale::LongFormat);
  format.remove('t');
  return format.trimmed();
}

QDateEdit* MakeDatePicker(const QString& name, QWidget* parent) {
  auto* picker = new QDateEdit(parent);
  picker->setObjectName(name);
  picker->setCalendarPopup(true);
  picker->setDateRange(kFirstDay, kLastDay);
  picker->setDisplayFormat(DateFormat());
  return picker;
}

QTimeEdit* MakeTimePicker(const QString& name, QWidget* parent) {
  auto* picker = new QTimeEdit(parent);
  picker->setObjectName(name);
  picker->setDisplayFormat(TimeFormat());
  return picker;
}

QCheckBox* MakeTitle(const char* name, const char* caption, const char* hint, QWidget* parent) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  box->setToolTip(hint);
  QFont font = box->font();
  font.setBold(true);
  box->setFont(font);
  return box;
}

QGroupBox* MakeGroup(QWidget* parent) { return new QGroupBox(parent); }

// A group's title row above its controls.
QVBoxLayout* GroupLayout(QGroupBox* group) {
  auto* layout = new QVBoxLayout(group);
  layout->setContentsMargins(8, 6, 8, 8);
  layout->setSpacing(6);
  return layout;
}

// The whole number of a trimmed text of digits, if it is one and fits.
template <typename Number>
std::optional<Number> WholeNumber(const QString& text) {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) return std::nullopt;
  for (QChar c : trimmed) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  bool ok = false;
  const qlonglong value = trimmed.toLongLong(&ok);
  if (!ok || value > std::numeric_limits<Number>::max()) return std::nullopt;
  return static_cast<Number>(value);
}

// Shows a number that may be longer than the box normally takes, without cutting it.
void ShowNumber(QLineEdit* edit, const QString& text) {
  if (text.size() > edit->maxLength()) edit->setMaxLength(static_cast<int>(text.size()));
  edit->setText(text);
}

}  // namespace

QDate DateOfDay(double dayNumber) { return kDayZero.addDays(static_cast<qint64>(std::floor(dayNumber))); }

QTime TimeOfDay(double dayNumber) {
  const double fraction = dayNumber - std::floor(dayNumber);
  const int seconds = std::min(static_cast<int>(std::lround(fraction * kSecondsPerDay)), kSecondsPerDay - 1);
  return QTime(0, 0).addSecs(seconds);
}

double DayNumberOf(const QDate& date, const QTime& time) {
  return static_cast<double>(kDayZero.daysTo(date)) + QTime(0, 0).secsTo(time) / double(kSecondsPerDay);
}

TFilterForm::TFilterForm(TDataMod& dataMod, QWidget* parent) : QDialog(parent), dataMod_(dataMod) {
  setObjectName("FilterForm");
  setWindowTitle(texts::kCaption);
  setModal(true);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(10, 10, 10, 10);
  layout->setSpacing(8);
  layout->addWidget(CreateSizeGroup());
  layout->addWidget(CreateDateGroup(kCreated, "Created", "CreateDT", texts::kCreated, texts::kCreatedHint,
                                    texts::kCreatedName));
  layout->addWidget(CreateDateGroup(kModified, "Modified", "ModifiedDT", texts::kModified, texts::kModifiedHint,
                                    texts::kModifiedName));
  layout->addWidget(CreateDateGroup(kAccessed, "Accessed", "AccessedDT", texts::kAccessed, texts::kAccessedHint,
                                    texts::kAccessedName));
  layout->addWidget(CreateAttributesGroup());
  layout->addStretch(1);
  layout->addWidget(CreateButtons());
  SetTabOrder();

  FormCreate();
  setFixedSize(sizeHint().expandedTo(QSize(483, 505)));
}

QWidget* TFilterForm::CreateSizeGroup() {
  QGroupBox* group = MakeGroup(this);
  group->setObjectName("gbSize");
  ckSize_ = MakeTitle("ckSize", texts::kSize, texts::kSizeHint, group);
  edFromSize_ = MakeNumberEdit("edFromSize", kSizeDigits, group);
  ddFromSizeUnits_ = MakeList("ddFromSizeUnits", texts::kSizeUnits, group);
  edToSize_ = MakeNumberEdit("edToSize", kSizeDigits, group);
  ddToSizeUnits_ = MakeList("ddToSizeUnits", texts::kSizeUnits, group);

  auto* row = new QHBoxLayout;
  row->setSpacing(6);
  row->addSpacing(22);
  row->addWidget(MakeLabel(texts::kFrom, group));
  row->addWidget(edFromSize_);
  row->addWidget(ddFromSizeUnits_);
  row->addSpacing(12);
  row->addWidget(MakeLabel(texts::kTo, group));
  row->addWidget(edToSize_);
  row->addWidget(ddToSizeUnits_);
  row->addStretch(1);
  QVBoxLayout* layout = GroupLayout(group);
  layout->addWidget(ckSize_);
  layout->addLayout(row);

  connect(ckSize_, &QCheckBox::clicked, this, &TFilterForm::Changed);
  connect(edFromSize_, &QLineEdit::textChanged, this, &TFilterForm::SizeChanged);
  connect(edToSize_, &QLineEdit::textChanged, this, &TFilterForm::SizeChanged);
  connect(ddFromSizeUnits_, &QComboBox::currentIndexChanged, this, &TFilterForm::SizeChanged);
  connect(ddToSizeUnits_, &QComboBox::currentIndexChanged, this, &TFilterForm::SizeChanged);
  return group;
}

QWidget* TFilterForm::CreateDateGroup(TDateKind kind, const char* word, const char* stem, const char* caption,
                                      const char* hint, const char* name) {
  TDateGroup& date = dates_[kind];
  date.name = name;
  const QString w(word);
  const QString s(stem);
  QGroupBox* group = MakeGroup(this);
  group->setObjectName("gb" + s);
  date.check = MakeTitle(qPrintable("ck" + s), caption, hint, group);
  date.relative = new QRadioButton(texts::kRelative, group);
  date.relative->setObjectName("rb" + w + "Relative");
  date.absolute = new QRadioButton(texts::kAbsolute, group);
  date.absolute->setObjectName("rb" + w + "Absolute");
  date.relative->installEventFilter(this);
  date.absolute->installEventFilter(this);

  date.sets = new QStackedWidget(group);
  auto* relativeSet = new QWidget(date.sets);
  date.within = MakeNumberEdit(qPrintable("ed" + w + "Within"), kAmountDigits, relativeSet);
  date.units = MakeList(qPrintable("dd" + w + "WithinUnits"), texts::kDateUnits, relativeSet);
  QHBoxLayout* relativeRow = IndentedRow(relativeSet, 6);
  relativeRow->addWidget(MakeLabel(texts::kWithin, relativeSet, qPrintable("lb" + w + "Within")));
  relativeRow->addWidget(date.within);
  relativeRow->addWidget(date.units);
  relativeRow->addStretch(1);

  auto* absoluteSet = new QWidget(date.sets);
  date.fromDate = MakeDatePicker("dt" + s + "FromD", absoluteSet);
  date.fromTime = MakeTimePicker("dt" + s + "FromT", absoluteSet);
  date.toDate = MakeDatePicker("dt" + s + "ToD", absoluteSet);
  date.toTime = MakeTimePicker("dt" + s + "ToT", absoluteSet);
  QHBoxLayout* absoluteRow = IndentedRow(absoluteSet, 4);
  absoluteRow->addWidget(MakeLabel(texts::kFrom, absoluteSet, qPrintable("lb" + w + "From")));
  absoluteRow->addWidget(date.fromDate);
  absoluteRow->addWidget(date.fromTime);
  absoluteRow->addSpacing(8);
  absoluteRow->addWidget(MakeLabel(texts::kTo, absoluteSet, qPrintable("lb" + w + "To")));
  absoluteRow->addWidget(date.toDate);
  absoluteRow->addWidget(date.toTime);
  absoluteRow->addStretch(1);
  date.sets->addWidget(relativeSet);
  date.sets->addWidget(absoluteSet);

  auto* titleRow = new QHBoxLayout;
  titleRow->setSpacing(14);
  titleRow->addWidget(date.check);
  titleRow->addStretch(1);
  titleRow->addWidget(date.relative);
  titleRow->addWidget(date.absolute);
  QVBoxLayout* layout = GroupLayout(group);
  layout->addLayout(titleRow);
  layout->addWidget(date.sets);

  connect(date.check, &QCheckBox::clicked, this, &TFilterForm::Changed);
  const auto changed = [this, kind] { DateChanged(kind); };
  connect(date.within, &QLineEdit::textChanged, this, changed);
  connect(date.units, &QComboBox::currentIndexChanged, this, changed);
  for (QDateEdit* picker : {date.fromDate, date.toDate}) connect(picker, &QDateEdit::dateChanged, this, changed);
  for (QTimeEdit* picker : {date.fromTime, date.toTime}) connect(picker, &QTimeEdit::timeChanged, this, changed);
  const auto switched = [this, kind](bool checked) {
    if (checked) RelativeAbsoluteClick(kind);
  };
  connect(date.relative, &QRadioButton::toggled, this, switched);
  connect(date.absolute, &QRadioButton::toggled, this, switched);
  return group;
}

QWidget* TFilterForm::CreateAttribute(TAttributeGroup& attribute, const char* word, const char* caption,
                                      const char* hint) {
  auto* group = new QGroupBox(caption, this);
  group->setObjectName(QString("gb") + word);
  group->setToolTip(hint);
  attribute.set = new QRadioButton(texts::kSet, group);
  attribute.notSet = new QRadioButton(texts::kNotSet, group);
  attribute.either = new QRadioButton(texts::kEither, group);
  attribute.set->setObjectName(QString("rb") + word + "Set");
  attribute.notSet->setObjectName(QString("rb") + word + "NotSet");
  attribute.either->setObjectName(QString("rb") + word + "Either");
  auto* layout = new QVBoxLayout(group);
  layout->setContentsMargins(8, 4, 6, 6);
  layout->setSpacing(2);
  for (QRadioButton* button : {attribute.set, attribute.notSet, attribute.either}) {
    layout->addWidget(button);
    button->installEventFilter(this);
    connect(button, &QRadioButton::toggled, this, [this](bool checked) {
      if (checked) AttributeChange();
    });
  }
  return group;
}

QWidget* TFilterForm::CreateAttributesGroup() {
  QGroupBox* group = MakeGroup(this);
  group->setObjectName("gbAttributes");
  ckAttributes_ = MakeTitle("ckAttributes", texts::kAttributes, texts::kAttributesHint, group);
  auto* row = new QHBoxLayout;
  row->setSpacing(6);
  row->addSpacing(14);
  row->addWidget(CreateAttribute(archive_, "Archive", texts::kArchive, texts::kArchiveHint));
  row->addWidget(CreateAttribute(readOnly_, "ReadOnly", texts::kReadOnly, texts::kReadOnlyHint));
  row->addWidget(CreateAttribute(system_, "System", texts::kSystem, texts::kSystemHint));
  row->addWidget(CreateAttribute(hidden_, "Hidden", texts::kHidden, texts::kHiddenHint));
  row->addWidget(CreateAttribute(compressed_, "Compressed", texts::kCompressed, texts::kCompressedHint));
  QVBoxLayout* layout = GroupLayout(group);
  layout->addWidget(ckAttributes_);
  layout->addLayout(row);
  connect(ckAttributes_, &QCheckBox::clicked, this, &TFilterForm::Changed);
  return group;
}

QWidget* TFilterForm::CreateButtons() {
  auto* panel = new QWidget(this);
  lbProblem_ = new QLabel(panel);
  lbProblem_->setObjectName("lbProblem");
  lbProblem_->setWordWrap(true);
  QPalette palette = lbProblem_->palette();
  palette.setColor(QPalette::WindowText, QColor(170, 0, 0));
  lbProblem_->setPalette(palette);
  btOk_ = new QPushButton(texts::kOk, panel);
  btOk_->setObjectName("btOk");
  btOk_->setDefault(true);
  btCancel_ = new QPushButton(texts::kCancel, panel);
  btCancel_->setObjectName("BitBtn1");
  btReset_ = new QPushButton(texts::kReset, panel);
  btReset_->setObjectName("btReset");
  btReset_->setToolTip(texts::kResetHint);
  btReset_->setAutoDefault(false);
  btCancel_->setAutoDefault(false);
  auto* row = new QHBoxLayout(panel);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(6);
  row->addWidget(lbProblem_, 1);
  row->addWidget(btOk_);
  row->addWidget(btCancel_);
  row->addWidget(btReset_);
  connect(btOk_, &QPushButton::clicked, this, &TFilterForm::btOkClick);
  connect(btCancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(btReset_, &QPushButton::clicked, this, &TFilterForm::btResetClick);
  return panel;
}

// Top to bottom, left to right, then the buttons.
void TFilterForm::SetTabOrder() {
  QList<QWidget*> order = {ckSize_, edFromSize_, ddFromSizeUnits_, edToSize_, ddToSizeUnits_};
  for (const TDateGroup& date : dates_) {
    order += {date.check, date.relative, date.absolute, date.within, date.units,
              date.fromDate, date.fromTime, date.toDate, date.toTime};
  }
  order += ckAttributes_;
  for (const TAttributeGroup* attribute : {&archive_, &readOnly_, &system_, &hidden_, &compressed_}) {
    order += {attribute->set, attribute->notSet, attribute->either};
  }
  order += {btOk_, btCancel_, btReset_};
  for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

bool TFilterForm::eventFilter(QObject* watched, QEvent* event) {
  auto* button = qobject_cast<QRadioButton*>(watched);
  if (button == nullptr || event->type() != QEvent::FocusIn || button->isChecked()) return false;
  const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
  if (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason) return false;
  for (QRadioButton* sibling : button->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)) {
    if (sibling->isChecked()) {
      sibling->setFocus(reason);
      return true;
    }
  }
  return false;
}

void TFilterForm::btResetClick() {
  ddFromSizeUnits_->setCurrentIndex(0);
  ddToSizeUnits_->setCurrentIndex(0);
  edFromSize_->clear();
  edToSize_->clear();
  edFromSize_->setMaxLength(kSizeDigits);
  edToSize_->setMaxLength(kSizeDigits);
  const QDate today = QDate::currentDate();
  for (TDateGroup& date : dates_) {
    date.fromDate->setDate(today);
    date.fromTime->setTime(QTime(0, 0, 0));
    date.toDate->setDate(today);
    date.toTime->setTime(QTime(23, 59, 59));
    date.relative->setChecked(true);
    date.within->setMaxLength(kAmountDigits);
    date.within->setText("1");
    date.units->setCurrentIndex(date.units->findText("years"));
  }
  for (TAttributeGroup* attribute : {&archive_, &readOnly_, &system_, &hidden_, &compressed_}) {
    attribute->either->setChecked(true);
  }
  ckSize_->setChecked(false);
  for (TDateGroup& date : dates_) date.check->setChecked(false);
  ckAttributes_->setChecked(false);
  Changed();
}

void TFilterForm::FormCreate() {
  btResetClick();
  const search::TFileFilter filter = dataMod_.FileFilter();
  if (filter.FilterMinSize != 0) {
    const search::TReducedSize from = search::ReduceSize(filter.FilterMinSize);
    ShowNumber(edFromSize_, QString::number(from.Number));
    ddFromSizeUnits_->setCurrentIndex(from.Unit);
  }
  if (filter.FilterMaxSize != INT64_MAX) {
    const search::TReducedSize to = search::ReduceSize(filter.FilterMaxSize);
    ShowNumber(edToSize_, QString::number(to.Number));
    ddToSizeUnits_->setCurrentIndex(to.Unit);
  }
  const auto parts = filter.DateParts();
  for (int kind = kCreated; kind <= kAccessed; ++kind) LoadDateGroup(dates_[kind], parts[kind]);
  SetState(archive_, filter.FilterAttributeArchive);
  SetState(readOnly_, filter.FilterAttributeReadOnly);
  SetState(system_, filter.FilterAttributeSystem);
  SetState(hidden_, filter.FilterAttributeHidden);
  SetState(compressed_, filter.FilterAttributeCompressed);

  ckSize_->setChecked(filter.FilterUseSize);
  for (int kind = kCreated; kind <= kAccessed; ++kind) dates_[kind].check->setChecked(parts[kind].Use);
  ckAttributes_->setChecked(filter.FilterUseAttribute);
  Changed();
}

void TFilterForm::LoadDateGroup(TDateGroup& date, const search::TFileFilter::TDatePart& part) {
  (part.Relative ? date.relative : date.absolute)->setChecked(true);
  ShowNumber(date.within, QString::number(part.RelativeAmount));
  for (int i = 0; i < date.units->count(); ++i) {
    if (date.units->itemText(i).compare(DisplayString(part.RelativeUnits), Qt::CaseInsensitive) == 0) {
      date.units->setCurrentIndex(i);
    }
  }
  if (part.Min != search::kMinDateTime) {
    date.fromDate->setDate(DateOfDay(part.Min));
    date.fromTime->setTime(TimeOfDay(part.Min));
  }
  if (part.Max != search::kMaxDateTime) {
    date.toDate->setDate(DateOfDay(part.Max));
    date.toTime->setTime(TimeOfDay(part.Max));
  }
}

void TFilterForm::SizeChanged() {
  ckSize_->setChecked(true);
  Changed();
}

void TFilterForm::DateChanged(TDateKind kind) {
  dates_[kind].check->setChecked(true);
  Changed();
}

void TFilterForm::AttributeChange() { ckAttributes_->setChecked(true); }

void TFilterForm::RelativeAbsoluteClick(TDateKind kind) {
  TDateGroup& date = dates_[kind];
  date.sets->setCurrentIndex(date.absolute->isChecked() ? 1 : 0);
  DateChanged(kind);
}

QString TFilterForm::Problem() const {
  const std::optional<int64_t> from = SizeOf(edFromSize_, ddFromSizeUnits_, 0);
  const std::optional<int64_t> to = SizeOf(edToSize_, ddToSizeUnits_, INT64_MAX);
  // Every entry is written on OK, so one that is no number is refused even in an unused group.
  if (!from || !to) return texts::kSizeNotANumber;
  if (ckSize_->isChecked() && *from > *to) return texts::kSizeReversed;
  if (ckSize_->isChecked() && *to <= 0) return texts::kSizeNoRoom;
  for (const TDateGroup& date : dates_) {
    if (!AmountOf(date.within)) return QString(texts::kAmountNotANumber).arg(date.name);
    if (date.check->isChecked() && ToOf(date) < FromOf(date)) return QString(texts::kDatesReversed).arg(date.name);
  }
  return {};
}

void TFilterForm::Changed() {
  const QString problem = Problem();
  lbProblem_->setText(problem);
  btOk_->setEnabled(problem.isEmpty());
}

search::TFileFilter TFilterForm::FilterFromControls() const {
  search::TFileFilter filter;
  filter.FilterUseSize = ckSize_->isChecked();
  filter.FilterMinSize = SizeOf(edFromSize_, ddFromSizeUnits_, 0).value_or(0);
  filter.FilterMaxSize = SizeOf(edToSize_, ddToSizeUnits_, INT64_MAX).value_or(INT64_MAX);
  const auto fields = filter.DatePartFields();
  for (int kind = kCreated; kind <= kAccessed; ++kind) {
    const TDateGroup& date = dates_[kind];
    const search::TFileFilter::TDatePartFields& field = fields[kind];
    field.Use = date.check->isChecked();
    field.Relative = date.relative->isChecked();
    field.RelativeAmount = AmountOf(date.within).value_or(0);
    field.RelativeUnits = EngineString(date.units->currentText());
    field.Min = FromOf(date);
    field.Max = ToOf(date);
  }
  filter.FilterUseAttribute = ckAttributes_->isChecked();
  filter.FilterAttributeArchive = StateOf(archive_);
  filter.FilterAttributeReadOnly = StateOf(readOnly_);
  filter.FilterAttributeSystem = StateOf(system_);
  filter.FilterAttributeHidden = StateOf(hidden_);
  filter.FilterAttributeCompressed = StateOf(compressed_);
  return filter;
}

// A failing write is reported; what was written stays, and the dialog still closes with OK so
// that the main window shows the filter as it now is.
void TFilterForm::btOkClick() {
  if (!Problem().isEmpty()) return;
  try {
    dataMod_.SetFileFilter(FilterFromControls());
  } catch (const std::exception& error) {
    ShowMessageDialog(DisplayString(error.what()), TMessageKind::Error, {TMessageButton::OK}, 0, this);
  }
  accept();
}

std::optional<int64_t> TFilterForm::SizeOf(const QLineEdit* edit, const QComboBox* units, int64_t whenEmpty) const {
  if (edit->text().trimmed().isEmpty()) return whenEmpty;
  const std::optional<int64_t> number = WholeNumber<int64_t>(edit->text());
  if (!number) return std::nullopt;
  int64_t size = *number;
  for (int i = 0; i < units->currentIndex(); ++i) {
    if (__builtin_mul_overflow(size, int64_t{1024}, &size)) return std::nullopt;
  }
  return size;
}

std::optional<int32_t> TFilterForm::AmountOf(const QLineEdit* edit) { return WholeNumber<int32_t>(edit->text()); }

double TFilterForm::FromOf(const TDateGroup& date) { return DayNumberOf(date.fromDate->date(), date.fromTime->time()); }

double TFilterForm::ToOf(const TDateGroup& date) { return DayNumberOf(date.toDate->date(), date.toTime->time()); }

uint8_t TFilterForm::StateOf(const TAttributeGroup& attribute) {
  if (attribute.set->isChecked()) return search::kAttributeSet;
  if (attribute.notSet->isChecked()) return search::kAttributeNotSet;
  return search::kAttributeEither;
}

void TFilterForm::SetState(TAttributeGroup& attribute, uint8_t state) {
  QRadioButton* button = state == search::kAttributeSet      ? attribute.set
                         : state == search::kAttributeNotSet ? attribute.notSet
                                                             : attribute.either;
  button->setChecked(true);
}
