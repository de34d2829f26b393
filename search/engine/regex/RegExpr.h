#pragma once
// A regular-expression matcher of the search dialect: an expression with six modifiers,
// compiled once, then asked whether it matches somewhere in a line.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "search/engine/matching/CancelProbe.h"
#include "search/engine/matching/LiteralSearch.h"

#include "search/engine/regex/RegExprErrors.h"
#include "search/engine/regex/RegExprModifiers.h"
#include "search/engine/regex/RegExprProgram.h"

namespace search {

class TRegExpr {
 public:
  // The modifiers for the next Compile. Defaults: i off, r on, s on, g on, m off, x off.
  // Changing them (or the expression) takes effect at the next Compile; until then Exec
  // refuses to run with TRegExprError.
  bool ModifierI = false;
  bool ModifierR = true;
  bool ModifierS = true;
  bool ModifierG = true;
  bool ModifierM = false;
  bool ModifierX = false;

  // All six at once.
  void SetModifiers(const TRegExprModifiers& modifiers);
  TRegExprModifiers Modifiers() const;

  void SetExpression(std::string expression);
  const std::string& Expression() const { return expression_; }

  // Compiles the expression with the current modifiers. An empty expression compiles to "no
  // expression" and succeeds. On failure returns false; LastErrorCode and CompilePosition
  // then tell the code and how many characters of the expression had been read.
  bool Compile();
  int LastErrorCode() const { return lastErrorCode_; }
  int CompilePosition() const { return compilePosition_; }
  static std::string ErrorMsg(int code) { return RegExprErrorMessage(code); }

  // True when the compiled expression matches somewhere in the line; the line is the whole
  // input, so ^ and $ are its ends. An empty expression never matches. Safe to call from
  // several threads at once, as long as no thread changes the expression, the modifiers or
  // compiles meanwhile. Throws TRegExprError when the expression cannot be executed on
  // the line (too much backtracking) or was not compiled since it last changed.
  bool Exec(std::string_view line) const;
  // The same; a long match asks `probe` now and then and throws TMatchCancelled once it says
  // Cancel.
  bool Exec(std::string_view line, TCancelProbe& probe) const;

  // A literal that every matching line contains, empty when there is none; when
  // RequiredLiteralIgnoresCase it is in lower case and must be looked for ignoring ASCII case.
  std::string RequiredLiteral() const;
  bool RequiredLiteralIgnoresCase() const;

 private:
  struct TCompiled {
    std::shared_ptr<const TRegExprProgram> program;
    // For expressions with backreferences: the same program with each backreference taken as
    // any text. Lines it rejects cannot match, and it never backtracks.
    std::shared_ptr<const TRegExprProgram> relaxed;
    std::string literal;
    bool literalIgnoresCase = false;
    TLiteralSearch finder;
  };

  std::string expression_;
  bool changed_ = true;
  TRegExprModifiers compiledModifiers_;
  std::shared_ptr<const TCompiled> compiled_;
  int lastErrorCode_ = 0;
  int compilePosition_ = 0;
};

// Compiles String 1 into `first`, and only if that succeeded String 2 into `second`.
// Returns std::nullopt on success, else the text of the one error notice, e.g.
// "Unable to compile regular expression: ParseReg Unmatched () at character position 4".
std::optional<std::string> CompileExpressions(TRegExpr& first, std::string_view string1,
                                              TRegExpr& second, std::string_view string2);

}  // namespace search
