#pragma once
// A rectangle as the settings store keeps it (window positions).

#include <cstdint>

struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  bool operator==(const TRect&) const = default;
};
