#pragma once
// Stored colours as the window paints them: 0x00BBGGRR is an explicit colour (red in the low
// byte), 0xFF0000nn the system colour with index nn, taken from the widget's palette.

#include <QColor>
#include <QPalette>
#include <cstdint>

QColor ResolveColour(int32_t value, const QPalette& palette);
