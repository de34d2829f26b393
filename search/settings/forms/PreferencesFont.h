#pragma once
// The font a preferences dialog edits: built from its three settings, described for its label
// ("Courier New, 10, bold") and chosen in the platform's font dialog.

#include <QFont>
#include <QString>
#include <string>

#include "search/settings/FontStyles.h"

class QWidget;

// The font dialogs offer sizes from 5 to 30 points.
inline constexpr int kSmallestFontSize = 5;
inline constexpr int kLargestFontSize = 30;

// The font of a stored name, size in points and styles; the name is kept as stored even where
// the system shows another font for it.
QFont StoredFont(const std::string& name, int size, const TFontStyles& styles);
TFontStyles StylesOf(const QFont& font);

// The name, ", ", the size, then ", bold", ", italic", ", underline", ", strike-out" for the
// styles present.
QString FontDescription(const QFont& font);

// Brings the size into 5 to 30 points.
void LimitFontSize(QFont& font);

// The platform's font dialog on `font`; on OK the chosen font replaces it and the result is true.
bool RunFontDialog(QWidget* owner, QFont& font);
