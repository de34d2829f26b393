#include "search/settings/WindowPlacement.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

// The squared distance from a point to a rectangle (0 inside it).
int64_t DistanceSquared(const TRect& screen, int64_t x, int64_t y) {
  const int64_t dx = x < screen.Left ? screen.Left - x : (x >= screen.Right ? x - screen.Right + 1 : 0);
  const int64_t dy = y < screen.Top ? screen.Top - y : (y >= screen.Bottom ? y - screen.Bottom + 1 : 0);
  return dx * dx + dy * dy;
}

// One axis: the far edge pulled in first, then the near edge, the length kept.
void FitAxis(int32_t& low, int32_t& high, int32_t screenLow, int32_t screenHigh) {
  const int32_t length = high - low;
  if (high > screenHigh) {
    high = screenHigh;
    low = high - length;
  }
  if (low < screenLow) {
    low = screenLow;
    high = low + length;
  }
}

}  // namespace

TRect FitOnScreens(const TRect& rect, const std::vector<TRect>& screens) {
  if (screens.empty()) return rect;
  const int64_t centreX = (int64_t{rect.Left} + rect.Right) / 2;
  const int64_t centreY = (int64_t{rect.Top} + rect.Bottom) / 2;
  const TRect* nearest = &screens.front();
  int64_t best = std::numeric_limits<int64_t>::max();
  for (const TRect& screen : screens) {
    const int64_t distance = DistanceSquared(screen, centreX, centreY);
    if (distance < best) {
      best = distance;
      nearest = &screen;
    }
  }
  TRect fitted = rect;
  FitAxis(fitted.Left, fitted.Right, nearest->Left, nearest->Right);
  FitAxis(fitted.Top, fitted.Bottom, nearest->Top, nearest->Bottom);
  return fitted;
}
