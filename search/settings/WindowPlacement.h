#pragma once
// Where a remembered window rectangle goes back to: onto the screen that holds its centre, or,
// when it lies on no connected screen, onto the nearest one; moved, never shrunk, aligned on
// the screen's left (top) edge when it is wider (taller) than the screen.

#include <vector>

#include "search/settings/Rect.h"

TRect FitOnScreens(const TRect& rect, const std::vector<TRect>& screens);
