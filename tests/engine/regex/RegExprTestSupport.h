#pragma once
// Helpers shared by the expression tests: compile with a modifier text, then match.

#include <string>
#include <string_view>

#include "search/engine/regex/RegExpr.h"
#include "search/engine/regex/RegExprModifiers.h"

namespace search::regextest {

// Sets the matcher's modifiers from a switch text such as "i-s" applied to the defaults.
inline void SetModifiers(TRegExpr& regex, std::string_view switches) {
  TRegExprModifiers modifiers;
  modifiers.Apply(switches);
  regex.SetModifiers(modifiers);
}

// Compiles and matches; a compile failure is reported as a test failure by the caller through
// the returned text.
inline std::string MatchText(std::string_view expression, std::string_view line,
                             std::string_view switches = "") {
  TRegExpr regex;
  SetModifiers(regex, switches);
  regex.SetExpression(std::string(expression));
  if (!regex.Compile()) {
    return "error " + std::to_string(regex.LastErrorCode()) + " at " +
           std::to_string(regex.CompilePosition());
  }
  return regex.Exec(line) ? "match" : "no match";
}

}  // namespace search::regextest
