#pragma once
// The style set of a font and its settings text ("bold, italic, underline, strike-out").

#include <string>

struct TFontStyles {
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  bool operator==(const TFontStyles&) const = default;
};

// Read loosely: a style is present when its name appears anywhere, in any letter case
// ("Italic,Bold" is bold and italic; "strikeout" without the hyphen is not strike-out).
TFontStyles FontStylesFromText(const std::string& text);
// Written canonically: the present styles in the order bold, italic, underline, strike-out,
// joined by ", "; the empty set is the empty text.
std::string FontStylesToText(const TFontStyles& styles);
