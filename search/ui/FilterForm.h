#pragma once
// TFilterForm: the dialog that edits the advanced file filter. It starts from the settings and
// writes them only when OK is pressed.

#include <QDialog>
#include <array>
#include <optional>

#include "search/engine/filter/FileFilter.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTimeEdit;
class QWidget;
class TDataMod;

// A local day number as the date and time pickers hold it, and back.
QDate DateOfDay(double dayNumber);
QTime TimeOfDay(double dayNumber);
double DayNumberOf(const QDate& date, const QTime& time);

class TFilterForm final : public QDialog {
  Q_OBJECT

 public:
  explicit TFilterForm(TDataMod& dataMod, QWidget* parent = nullptr);

  // The filter as the controls now describe it.
  search::TFileFilter FilterFromControls() const;
  // Why OK is disabled; empty while the entries make sense.
  QString Problem() const;

  void btResetClick();
  void btOkClick();
  void Changed();

 protected:
  // Tab into a group of radio buttons stops at its checked button.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum TDateKind { kCreated = 0, kModified = 1, kAccessed = 2 };

  // One date group: its title box, the relative set and the absolute set.
  struct TDateGroup {
    QCheckBox* check = nullptr;
    QRadioButton* relative = nullptr;
    QRadioButton* absolute = nullptr;
    QLineEdit* within = nullptr;
    QComboBox* units = nullptr;
    QDateEdit* fromDate = nullptr;
    QTimeEdit* fromTime = nullptr;
    QDateEdit* toDate = nullptr;
    QTimeEdit* toTime = nullptr;
    QStackedWidget* sets = nullptr;
    const char* name = nullptr;  // for the messages
  };

  // One attribute's three buttons.
  struct TAttributeGroup {
    QRadioButton* set = nullptr;
    QRadioButton* notSet = nullptr;
    QRadioButton* either = nullptr;
  };

  QWidget* CreateSizeGroup();
  QWidget* CreateDateGroup(TDateKind kind, const char* word, const char* stem, const char* caption, const char* hint,
                           const char* name);
  QWidget* CreateAttributesGroup();
  QWidget* CreateAttribute(TAttributeGroup& group, const char* word, const char* caption, const char* hint);
  QWidget* CreateButtons();
  void SetTabOrder();
  void FormCreate();
  void LoadDateGroup(TDateGroup& group, const search::TFileFilter::TDatePart& part);

  void SizeChanged();
  void CreateDTChanged() { DateChanged(kCreated); }
  void ModifiedDTChanged() { DateChanged(kModified); }
  void AccessedDTChanged() { DateChanged(kAccessed); }
  void DateChanged(TDateKind kind);
  void AttributeChange();
  void rbCreatedRelativeAbsoluteClick() { RelativeAbsoluteClick(kCreated); }
  void rbModifiedRelativeAbsoluteClick() { RelativeAbsoluteClick(kModified); }
  void rbAccessedRelativeAbsoluteClick() { RelativeAbsoluteClick(kAccessed); }
  void RelativeAbsoluteClick(TDateKind kind);

  std::optional<int64_t> SizeOf(const QLineEdit* edit, const QComboBox* units, int64_t whenEmpty) const;
  static std::optional<int32_t> AmountOf(const QLineEdit* edit);
  static double FromOf(const TDateGroup& group);
  static double ToOf(const TDateGroup& group);
  static uint8_t StateOf(const TAttributeGroup& group);
  static void SetState(TAttributeGroup& group, uint8_t state);

  TDataMod& dataMod_;
  QCheckBox* ckSize_ = nullptr;
  QLineEdit* edFromSize_ = nullptr;
  QComboBox* ddFromSizeUnits_ = nullptr;
  QLineEdit* edToSize_ = nullptr;
  QComboBox* ddToSizeUnits_ = nullptr;
  std::array<TDateGroup, 3> dates_;
  QCheckBox* ckAttributes_ = nullptr;
  TAttributeGroup archive_, readOnly_, system_, hidden_, compressed_;
  QLabel* lbProblem_ = nullptr;
  QPushButton* btOk_ = nullptr;
  QPushButton* btCancel_ = nullptr;
  QPushButton* btReset_ = nullptr;
};
