#pragma once
// Finds a literal that every match of an expression contains, so that lines (or whole file
// buffers) without it can be passed over without running the matcher.

#include <string>

#include "search/engine/regex/RegExprNode.h"

namespace search {

struct TRegExprRequiredLiteral {
  std::string text;         // empty when the expression requires no literal
  bool ignoreCase = false;  // the text is in lower case and must be found ignoring ASCII case
};

TRegExprRequiredLiteral FindRequiredLiteral(const TRegExprNode& root);

}  // namespace search
