#pragma once
// TMessageForm and ShowMessageDialog: the program's own modal message dialog with an icon per
// kind, a word-wrapped message and one row of buttons that each carry a standard glyph.

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <vector>

enum class TMessageKind { Warning, Error, Information, Confirmation, Custom };

// The buttons in the order they stand in the row.
enum class TMessageButton { Yes, No, OK, Cancel, Abort, Retry, Ignore, All, NoToAll, YesToAll, Help };

using TMessageButtons = std::vector<TMessageButton>;

// Results of the buttons (Help has none: it leaves the dialog open).
enum TModalResult : int {
  mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
  mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10,
};

// Enter presses OK, else Yes, else Retry; Escape presses Cancel, else No, else OK. None when
// the set holds none of them.
std::optional<TMessageButton> DefaultButton(const TMessageButtons& buttons);
std::optional<TMessageButton> CancelButton(const TMessageButtons& buttons);

class TMessageForm final : public QDialog {
  Q_OBJECT

 public:
  TMessageForm(const QString& message, TMessageKind kind, const TMessageButtons& buttons, int helpContext,
               QWidget* parent);

  QPushButton* Button(TMessageButton button) const;

 signals:
  // Help was pressed; the dialog stays open.
  void HelpRequested(int helpContext);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void reject() override;  // the close box

 private:
  void LayOut(const QString& message, bool withIcon);

  int helpContext_ = 0;
  QLabel* image_ = nullptr;
  QLabel* message_ = nullptr;
  std::vector<std::pair<TMessageButton, QPushButton*>> buttons_;
};

// Shows the dialog modally over the main window and returns the pressed button's result;
// mrCancel when the window is closed by its close box.
int ShowMessageDialog(const QString& message, TMessageKind kind, const TMessageButtons& buttons, int helpContext = 0,
                      QWidget* parent = nullptr);
