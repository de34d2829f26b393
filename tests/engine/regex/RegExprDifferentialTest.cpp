// Generated expressions and lines: the engine (automaton, and backtracker for backreferences)
// must give the same answers as the simple reference matcher, and the backtracker the same as
// the automaton on programs both can run.
#include <gtest/gtest.h>

#include <clocale>
#include <random>

#include "ReferenceMatcher.h"
#include "search/engine/regex/RegExpr.h"
#include "search/engine/regex/RegExprBacktracker.h"
#include "search/engine/regex/RegExprDfa.h"
#include "search/engine/regex/RegExprParser.h"

using namespace search;

namespace {

class TGenerator {
 public:
  // With `utf8` the expressions and lines also hold letters beyond ASCII in both cases and
  // bytes that are not UTF-8.
  explicit TGenerator(unsigned seed, bool utf8 = false) : random_(seed), utf8_(utf8) {}

  std::string Expression() {
    groups_ = 0;
    return Alternation(3);
  }

  std::string Line() {
    static const std::vector<std::string> ascii = {"a", "a", "b", "b", "A", "B", "_", " ", "-", "1"};
    static const std::vector<std::string> utf8 = {"a", "b", "A", "_", " ", "1", "é", "É", "à",
                                                  "ï", "σ", "ς", "Σ", "\xe9", "\xc3", "\xa9", "€"};
    const auto& alphabet = utf8_ ? utf8 : ascii;
    std::string line;
    const int length = Pick(0, 10);
    for (int i = 0; i < length; ++i) line += alphabet[static_cast<size_t>(Pick(0, static_cast<int>(alphabet.size()) - 1))];
    return line;
  }

  bool Chance(int percent) { return Pick(1, 100) <= percent; }

 private:
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

  std::string Alternation(int depth) {
    std::string text = Sequence(depth);
    while (Chance(20)) text += "|" + Sequence(depth);
    return text;
  }

  std::string Sequence(int depth) {
    std::string text;
    const int pieces = Pick(1, 4);
    for (int i = 0; i < pieces; ++i) text += Piece(depth);
    return text;
  }

  std::string Piece(int depth) {
    std::string atom = Atom(depth);
    switch (Pick(0, 9)) {
      case 0: return atom + "*";
      case 1: return atom + "+";
      case 2: return atom + "?";
      case 3: return atom + "{" + std::to_string(Pick(0, 2)) + "," + std::to_string(Pick(2, 3)) + "}";
      case 4: return atom + (Chance(50) ? "*?" : "{1,}");
      default: return atom;
    }
  }

  std::string Atom(int depth) {
    static const char* const simple[] = {"a", "b", "A", "_", " ", "-", ".", "\\d", "\\w", "\\s",
                                         "\\W", "\\D", "[ab]", "[^a]", "[a-b1]", "[\\w-]", "^",
                                         "$", "\\b", "\\B", "[A-a]", "1"};
    static const char* const letters[] = {"é", "É", "à", "σ", "Σ", "[é]", "[^é]", "[à-ï]", "[^à-ï]",
                                          "[éσa]", "\xe9", "€", "[^\\w€]"};
    if (utf8_ && Chance(25)) return letters[Pick(0, 12)];
    const int choice = Pick(0, 27);
    if (choice < 22) return simple[choice];
    if (choice < 26 && depth > 0 && groups_ < 9) {
      ++groups_;
      return "(" + Alternation(depth - 1) + ")";
    }
    if (groups_ > 0) return "\\" + std::to_string(Pick(1, groups_));
    return "a";
  }

  std::mt19937 random_;
  bool utf8_;
  int groups_ = 0;
};

}  // namespace

TEST(RegExprDifferential, EngineAgreesWithTheReferenceMatcher) {
  TGenerator generator(20261209);
  int compiled = 0;
  for (int round = 0; round < 3000; ++round) {
    const std::string expression = generator.Expression();
    const bool ignoreCase = generator.Chance(30);
    TRegExpr regex;
    regex.ModifierI = ignoreCase;
    regex.SetExpression(expression);
    if (!regex.Compile()) {
      // Only the empty-operand rule can refuse these expressions.
      EXPECT_EQ(regex.LastErrorCode(), rePlusStarOperandCouldBeEmpty) << expression;
      continue;
    }
    ++compiled;
    for (int i = 0; i < 12; ++i) {
      const std::string line = generator.Line();
      bool actual = false;
      try {
        actual = regex.Exec(line);
      } catch (const TRegExprError&) {
        continue;  // the bound is not reached on lines this short, but would not be a fault
      }
      ASSERT_EQ(actual, regextest::ReferenceMatches(expression, line, ignoreCase))
          << "expression [" << expression << "] line [" << line << "] i=" << ignoreCase;
    }
  }
  EXPECT_GT(compiled, 1000);
}

// Switches to the UTF-8 locale for one scope.
struct TUtf8Locale {
  TUtf8Locale() { std::setlocale(LC_ALL, "C.UTF-8"); }
  ~TUtf8Locale() { std::setlocale(LC_ALL, "C"); }
};

TEST(RegExprDifferential, EngineAgreesWithTheReferenceMatcherOnCharacters) {
  const TUtf8Locale locale;
  TGenerator generator(20261210, true);
  int compiled = 0;
  for (int round = 0; round < 2000; ++round) {
    const std::string expression = generator.Expression();
    const bool ignoreCase = generator.Chance(40);
    TRegExpr regex;
    regex.ModifierI = ignoreCase;
    regex.SetExpression(expression);
    if (!regex.Compile()) {
      EXPECT_EQ(regex.LastErrorCode(), rePlusStarOperandCouldBeEmpty) << expression;
      continue;
    }
    ++compiled;
    for (int i = 0; i < 12; ++i) {
      const std::string line = generator.Line();
      bool actual = false;
      try {
        actual = regex.Exec(line);
      } catch (const TRegExprError&) {
        continue;
      }
      ASSERT_EQ(actual, regextest::ReferenceMatches(expression, line, ignoreCase, true))
          << "expression [" << expression << "] line [" << line << "] i=" << ignoreCase;
    }
  }
  EXPECT_GT(compiled, 700);
}

TEST(RegExprDifferential, BacktrackerAgreesWithTheAutomaton) {
  TGenerator generator(77);
  for (int round = 0; round < 2000; ++round) {
    const std::string expression = generator.Expression();
    TRegExprModifiers modifiers;
    modifiers.i = generator.Chance(30);
    modifiers.m = generator.Chance(30);
    TRegExprParseResult parsed = TRegExprParser(expression, modifiers).Parse();
    if (parsed.errorCode != 0) continue;
    const TRegExprProgram program = CompileRegExprProgram(parsed.root, parsed.groupCount, true);
    TRegExprDfa dfa(program);
    const TRegExprBacktracker backtracker(program);
    for (int i = 0; i < 12; ++i) {
      std::string line = generator.Line();
      if (generator.Chance(20)) line += generator.Chance(50) ? "\r\n" : "\n" + generator.Line();
      bool backtracked = false;
      try {
        backtracked = backtracker.Matches(line);
      } catch (const TRegExprError&) {
        continue;  // backreferences taken as any text can make the backtracker's work explode
      }
      ASSERT_EQ(dfa.Matches(line), backtracked)
          << "expression [" << expression << "] line [" << line << "]";
    }
  }
}
