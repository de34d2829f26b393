#include "search/ui/ColourValues.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr uint32_t kSystemColourFlag = 0xFF000000u;

// A shade between the text and the background: the dark shadow and grey text read as secondary
// in light and dark palettes alike.
QColor Between(const QColor& text, const QColor& background, double towardBackground) {
  const auto mix = [&](int a, int b) { return static_cast<int>(a + (b - a) * towardBackground); };
  return QColor(mix(text.red(), background.red()), mix(text.green(), background.green()),
                mix(text.blue(), background.blue()));
}

QColor SystemColour(uint32_t index, const QPalette& palette) {
  using R = QPalette::ColorRole;
  const auto role = [&](R r) { return palette.color(QPalette::Active, r); };
  switch (index) {
    case 0: return role(R::Button);            // scroll bar
    case 1: return role(R::Dark);              // desktop
    case 2: case 27: return role(R::Highlight);  // active caption
    case 3: case 28: return role(R::Mid);      // inactive caption
    case 4: case 30: return role(R::Window);   // menu, menu bar
    case 5: return role(R::Base);              // window background
    case 6: return role(R::Shadow);            // window frame
    case 7: case 18: return role(R::ButtonText);  // menu text, button text
    case 8: return role(R::Text);              // window text
    case 9: return role(R::HighlightedText);   // caption text
    case 10: case 11: return role(R::Button);  // borders
    case 12: return role(R::Dark);             // application workspace
    case 13: case 29: return role(R::Highlight);
    case 14: return role(R::HighlightedText);
    case 15: return role(R::Button);           // button face
    case 16: return role(R::Mid);              // button shadow
    case 17: return palette.color(QPalette::Disabled, R::Text);  // grey text
    case 19: return role(R::Text);             // inactive caption text
    case 20: return role(R::Light);            // button highlight
    case 21: return Between(role(R::Text), role(R::Base), 0.45);  // dark shadow
    case 22: return role(R::Midlight);         // light
    case 23: return role(R::ToolTipText);
    case 24: return role(R::ToolTipBase);
    case 26: return role(R::Link);             // hot light
    default: return role(R::Text);
  }
}

}  // namespace

QColor ResolveColour(int32_t value, const QPalette& palette) {
  const auto bits = static_cast<uint32_t>(value);
  if ((bits & 0xFF000000u) == kSystemColourFlag) return SystemColour(bits & 0xFFu, palette);
  return QColor(static_cast<int>(bits & 0xFFu), static_cast<int>((bits >> 8) & 0xFFu),
                static_cast<int>((bits >> 16) & 0xFFu));
}

namespace {

double Luminance(const QColor& colour) {
  const auto channel = [](double value) {
    return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
  };
  const QColor rgb = colour.toRgb();
  return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) + 0.0722 * channel(rgb.blueF());
}

constexpr double kReadableContrast = 4.5;

}  // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
  const double first = Luminance(a);
  const double second = Luminance(b);
  return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

QColor ReadableOnHighlight(const QColor& wanted, const QPalette& palette) {
  const QColor highlight = palette.color(QPalette::Active, QPalette::Highlight);
  if (ContrastRatio(wanted, highlight) >= kReadableContrast) return wanted;
  return palette.color(QPalette::Active, QPalette::HighlightedText);
}
