#pragma once
// Stored colours as the window paints them: 0x00BBGGRR is an explicit colour (red in the low
// byte), 0xFF0000nn the system colour with index nn, taken from the widget's palette.

#include <QColor>
#include <QPalette>
#include <cstdint>

QColor ResolveColour(int32_t value, const QPalette& palette);

// The contrast ratio of two colours by their relative luminance, from 1 (equal) to 21 (black
// on white).
double ContrastRatio(const QColor& a, const QColor& b);

// The text colour of a selected row: the row's own selected colour, or the highlight's text
// colour where the former would be hard to read on the highlight (a contrast below 4.5).
QColor ReadableOnHighlight(const QColor& wanted, const QPalette& palette);
