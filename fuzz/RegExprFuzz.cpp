// libFuzzer target for the regular-expression engine: compiles the input's expression with the
// input's modifiers and matches it against the input's line, checking the answers the engine's
// parts must agree on. Input: one byte of modifier bits, the expression, a zero byte, the line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "search/engine/regex/LiteralFinder.h"
#include "search/engine/regex/RegExpr.h"
#include "search/engine/regex/RegExprBacktracker.h"
#include "search/engine/regex/RegExprDfa.h"
#include "search/engine/regex/RegExprParser.h"

using namespace search;

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

TRegExprModifiers ModifiersOf(std::uint8_t bits) {
  TRegExprModifiers modifiers;
  modifiers.i = bits & 1;
  modifiers.r = bits & 2;
  modifiers.s = bits & 4;
  modifiers.g = bits & 8;
  modifiers.m = bits & 16;
  modifiers.x = bits & 32;
  return modifiers;
}

// The automaton and the backtracker run the same backreference-free program.
void CompareMatchers(const std::string& expression, const TRegExprModifiers& modifiers,
                     std::string_view line) {
  TRegExprParseResult parsed = TRegExprParser(expression, modifiers).Parse();
  Check(parsed.errorCode == 0);
  const TRegExprProgram relaxed = CompileRegExprProgram(parsed.root, parsed.groupCount, true);
  TRegExprDfa dfa(relaxed);
  const bool automaton = dfa.Matches(line);
  try {
    Check(TRegExprBacktracker(relaxed, 200000).Matches(line) == automaton);
  } catch (const TRegExprError&) {
    // Exponential work on this input: the bound did its job.
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1 || size > 4096) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::size_t zero = input.find('\0');
  const std::string expression(input.substr(0, zero));
  const std::string_view line = zero == std::string_view::npos ? std::string_view()
                                                               : input.substr(zero + 1);
  const TRegExprModifiers modifiers = ModifiersOf(data[0]);

  TRegExpr regex;
  regex.ModifierI = modifiers.i;
  regex.ModifierR = modifiers.r;
  regex.ModifierS = modifiers.s;
  regex.ModifierG = modifiers.g;
  regex.ModifierM = modifiers.m;
  regex.ModifierX = modifiers.x;
  regex.SetExpression(expression);
  if (!regex.Compile()) {
    Check(regex.LastErrorCode() >= 100 && regex.LastErrorCode() <= 128);
    Check(regex.CompilePosition() >= 0 &&
          static_cast<std::size_t>(regex.CompilePosition()) <= expression.size());
    Check(TRegExpr::ErrorMsg(regex.LastErrorCode()) != "Unknown error");
    return 0;
  }
  bool matched = false;
  try {
    matched = regex.Exec(line);
  } catch (const TRegExprError&) {
    return 0;
  }
  if (matched && !regex.RequiredLiteral().empty()) {
    const TLiteralFinder finder(regex.RequiredLiteral(), regex.RequiredLiteralIgnoresCase());
    Check(finder.Find(line) != TLiteralFinder::npos);
  }
  if (!expression.empty()) CompareMatchers(expression, modifiers, line);
  return 0;
}
