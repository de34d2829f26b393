#include "search/engine/regex/RegExpr.h"

#include "search/engine/Utf8.h"
#include "search/engine/matching/CaseFolding.h"
#include "search/engine/regex/RegExprBacktracker.h"
#include "search/engine/regex/RegExprInput.h"
#include "search/engine/regex/RegExprParser.h"
#include "search/engine/regex/RegExprPrefilter.h"
#include "search/engine/regex/RegExprThreadCache.h"

namespace search {

void TRegExpr::SetExpression(std::string expression) {
  expression_ = std::move(expression);
  changed_ = true;
}

void TRegExpr::SetModifiers(const TRegExprModifiers& modifiers) {
  ModifierI = modifiers.i;
  ModifierR = modifiers.r;
  ModifierS = modifiers.s;
  ModifierG = modifiers.g;
  ModifierM = modifiers.m;
  ModifierX = modifiers.x;
}

TRegExprModifiers TRegExpr::Modifiers() const {
  TRegExprModifiers modifiers;
  modifiers.i = ModifierI;
  modifiers.r = ModifierR;
  modifiers.s = ModifierS;
  modifiers.g = ModifierG;
  modifiers.m = ModifierM;
  modifiers.x = ModifierX;
  return modifiers;
}

bool TRegExpr::Compile() {
  compiled_.reset();
  compiledModifiers_ = Modifiers();
  changed_ = false;
  lastErrorCode_ = 0;
  compilePosition_ = 0;
  if (expression_.empty()) return true;

  const bool utf8 = LocaleIsUtf8();
  TRegExprParseResult parsed = TRegExprParser(expression_, compiledModifiers_, utf8).Parse();
  if (parsed.errorCode != 0) {
    lastErrorCode_ = parsed.errorCode;
    compilePosition_ = parsed.errorPosition;
    return false;
  }
  auto compiled = std::make_shared<TCompiled>();
  compiled->program = std::make_shared<const TRegExprProgram>(
      CompileRegExprProgram(parsed.root, parsed.groupCount, false, utf8));
  if (compiled->program->hasBackrefs) {
    compiled->relaxed = std::make_shared<const TRegExprProgram>(
        CompileRegExprProgram(parsed.root, parsed.groupCount, true, utf8));
  }
  const TRegExprRequiredLiteral literal = FindRequiredLiteral(parsed.root);
  compiled->literal = literal.text;
  compiled->literalIgnoresCase = literal.ignoreCase;
  compiled->finder = TLiteralSearch(literal.text, literal.ignoreCase);
  compiled_ = std::move(compiled);
  return true;
}

bool TRegExpr::Exec(std::string_view line) const {
  TNoCancel never;
  return Exec(line, never);
}

bool TRegExpr::Exec(std::string_view line, TCancelProbe& probe) const {
  if (changed_ || compiledModifiers_ != Modifiers()) {
    if (expression_.empty()) return false;
    throw TRegExprError(reeNoExpression,
                        "Unable to execute regular expression: it was changed and not compiled");
  }
  if (!compiled_) {
    if (expression_.empty()) return false;
    throw TRegExprError(reeNoExpression,
                        "Unable to execute regular expression: it did not compile");
  }
  const TCompiled& compiled = *compiled_;
  if (!compiled.finder.Empty() && compiled.finder.Find(line) == std::string_view::npos) return false;
  // An expression read as UTF-8 reads a line holding bytes that are not UTF-8 in its own form.
  std::string input;
  if (compiled.program->utf8 && !IsValidUtf8(line)) {
    input = RegExprInputOf(line);
    line = input;
  }
  if (!compiled.program->hasBackrefs) return ThreadRegExprDfa(compiled.program).Matches(line);
  if (!ThreadRegExprDfa(compiled.relaxed).Matches(line)) return false;
  return TRegExprBacktracker(*compiled.program).Matches(line, probe);
}

std::string TRegExpr::RequiredLiteral() const {
  return compiled_ ? compiled_->literal : std::string();
}

bool TRegExpr::RequiredLiteralIgnoresCase() const {
  return compiled_ && compiled_->literalIgnoresCase;
}

std::optional<std::string> CompileExpressions(TRegExpr& first, std::string_view string1,
                                              TRegExpr& second, std::string_view string2) {
  for (auto [matcher, text] : {std::pair{&first, string1}, std::pair{&second, string2}}) {
    matcher->SetExpression(std::string(text));
    if (!matcher->Compile()) {
      return RegExprCompileErrorText(matcher->LastErrorCode(), matcher->CompilePosition());
    }
  }
  return std::nullopt;
}

}  // namespace search
