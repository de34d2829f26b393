#pragma once
// The painting attributes of one line as the line-attribute callback sees them: entry p
// (1 to 1024) describes the character at 1-based position p of the line.

#include <QColor>
#include <array>

#include "search/settings/FontStyles.h"

struct TLineAttr {
  QColor Fore;
  QColor Back;
  TFontStyles Style;
  QColor Border;  // invalid: no border
  bool operator==(const TLineAttr&) const = default;
};

inline constexpr int kLineAttrColumns = 1024;

// Entry 0 is not used.
using TLineAttrs = std::array<TLineAttr, kLineAttrColumns + 1>;
