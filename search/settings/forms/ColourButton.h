#pragma once
// TColourButton: a button that shows a stored colour as a filled swatch and keeps its own list
// of the colour dialog's sixteen custom colours ("ColorA=BBGGRR" ...). A click opens the colour
// dialog with both; confirming takes the chosen colour and the dialog's custom colours.

#include <QPushButton>
#include <functional>
#include <string>
#include <vector>

#include "search/settings/Setting.h"

class TColourButton final : public QPushButton {
  Q_OBJECT

 public:
  explicit TColourButton(QWidget* parent = nullptr);

  TColour Colour() const { return colour_; }
  void SetColour(TColour colour);
  const std::vector<std::string>& CustomColours() const { return customColours_; }
  void SetCustomColours(const std::vector<std::string>& colours) { customColours_ = colours; }

  // Runs a colour dialog on `colour` and the sixteen `custom` colours; true when confirmed.
  using TChooser = std::function<bool(QWidget* owner, QColor& colour, std::vector<QColor>& custom)>;

  // Runs `chooser` with the button's colour and custom colours and takes both when confirmed.
  void Choose(const TChooser& chooser);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TColour colour_ = 0;
  std::vector<std::string> customColours_;
};

// The platform's colour dialog.
bool RunColourDialog(QWidget* owner, QColor& colour, std::vector<QColor>& custom);

// The sixteen custom colours of a stored list (missing or unreadable ones white) and back.
std::vector<QColor> CustomColoursFromList(const std::vector<std::string>& list);
std::vector<std::string> CustomColoursToList(const std::vector<QColor>& colours);
