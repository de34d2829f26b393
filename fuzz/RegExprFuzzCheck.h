#pragma once
// The checks the fuzzer runs on one input, shared with the test that replays the kept inputs.
// Input: one byte of modifier bits (i r s g m x from the lowest bit), the expression, a zero
// byte, the line.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "search/engine/matching/LiteralSearch.h"
#include "search/engine/regex/RegExpr.h"
#include "search/engine/regex/RegExprBacktracker.h"
#include "search/engine/regex/RegExprDfa.h"
#include "search/engine/regex/RegExprParser.h"

namespace search::fuzz {

inline TRegExprModifiers ModifiersOf(std::uint8_t bits) {
  TRegExprModifiers modifiers;
  modifiers.i = bits & 1;
  modifiers.r = bits & 2;
  modifiers.s = bits & 4;
  modifiers.g = bits & 8;
  modifiers.m = bits & 16;
  modifiers.x = bits & 32;
  return modifiers;
}

// The automaton and the backtracker must agree on the same backreference-free program, and
// the matcher's answer (`matched`) must be the backtracker's on the exact program.
inline bool MatchersAgree(const std::string& expression, const TRegExprModifiers& modifiers,
                          std::string_view line, bool matched) {
  TRegExprParseResult parsed = TRegExprParser(expression, modifiers).Parse();
  if (parsed.errorCode != 0) return false;
  const TRegExprProgram relaxed = CompileRegExprProgram(parsed.root, parsed.groupCount, true);
  const TRegExprProgram exact = CompileRegExprProgram(parsed.root, parsed.groupCount, false);
  TRegExprDfa dfa(relaxed);
  const bool automaton = dfa.Matches(line);
  if (matched && !automaton) return false;  // the relaxed program accepts more, never less
  try {
    if (TRegExprBacktracker(exact, 200000).Matches(line) != matched) return false;
    return TRegExprBacktracker(relaxed, 200000).Matches(line) == automaton;
  } catch (const TRegExprError&) {
    return true;  // exponential work on this input: the bound did its job
  }
}

// False when the engine broke one of its promises on this input.
inline bool CheckRegExprInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1 || size > 4096) return true;
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::size_t zero = input.find('\0');
  const std::string expression(input.substr(0, zero));
  const std::string_view line =
      zero == std::string_view::npos ? std::string_view() : input.substr(zero + 1);
  const TRegExprModifiers modifiers = ModifiersOf(data[0]);

  TRegExpr regex;
  regex.SetModifiers(modifiers);
  regex.SetExpression(expression);
  if (!regex.Compile()) {
    return regex.LastErrorCode() >= 100 && regex.LastErrorCode() <= 128 &&
           regex.CompilePosition() >= 0 &&
           static_cast<std::size_t>(regex.CompilePosition()) <= expression.size() &&
           TRegExpr::ErrorMsg(regex.LastErrorCode()) != "Unknown error";
  }
  bool matched = false;
  try {
    matched = regex.Exec(line);
  } catch (const TRegExprError&) {
    return true;
  }
  if (matched && !regex.RequiredLiteral().empty()) {
    const TLiteralSearch finder(regex.RequiredLiteral(), regex.RequiredLiteralIgnoresCase());
    if (finder.Find(line) == std::string_view::npos) return false;
  }
  return expression.empty() || MatchersAgree(expression, modifiers, line, matched);
}

}  // namespace search::fuzz
