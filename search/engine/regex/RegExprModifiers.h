#pragma once
// The six modifiers of an expression: i r s g m x.

#include <string_view>

namespace search {

struct TRegExprModifiers {
  bool i = false;  // letters match either case (ASCII)
  bool r = true;   // the Cyrillic letter ranges also take the letter yo
  bool s = true;   // a dot matches line separators too
  bool g = true;   // quantifiers are greedy
  bool m = false;  // ^ and $ also match at line separators
  bool x = false;  // blanks and #-comments in the expression are ignored

  bool operator==(const TRegExprModifiers&) const = default;

  // Applies a switch text such as "i-sx" (letters in either case; "-" turns the following
  // letters off). Returns false, changing nothing, when it holds anything else.
  bool Apply(std::string_view letters) {
    TRegExprModifiers result = *this;
    bool on = true;
    for (char letter : letters) {
      switch (letter) {
        case '-': on = false; break;
        case 'i': case 'I': result.i = on; break;
        case 'r': case 'R': result.r = on; break;
        case 's': case 'S': result.s = on; break;
        case 'g': case 'G': result.g = on; break;
        case 'm': case 'M': result.m = on; break;
        case 'x': case 'X': result.x = on; break;
        default: return false;
      }
    }
    *this = result;
    return true;
  }
};

}  // namespace search
