// Executing compiled expressions: the prefilter literal, runaway backtracking, and use from
// several threads at once.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "RegExprTestSupport.h"
#include "search/engine/matching/LiteralSearch.h"

using namespace search;

namespace {

TRegExpr Compiled(const std::string& expression, bool ignoreCase = false) {
  TRegExpr regex;
  regex.ModifierI = ignoreCase;
  regex.SetExpression(expression);
  EXPECT_TRUE(regex.Compile()) << expression;
  return regex;
}

}  // namespace

TEST(RegExprExec, AnEmptyExpressionNeverMatches) {
  TRegExpr regex;
  EXPECT_FALSE(regex.Exec("abc"));
  regex.SetExpression("");
  EXPECT_TRUE(regex.Compile());
  EXPECT_FALSE(regex.Exec(""));
  EXPECT_FALSE(regex.Exec("abc"));
  EXPECT_EQ(regex.RequiredLiteral(), "");
}

TEST(RegExprExec, RequiredLiteralIsWhatEveryMatchContains) {
  struct TCase {
    const char* expression;
    bool ignoreCase;
    const char* literal;
    bool literalIgnoresCase;
  };
  const TCase cases[] = {
      {"[A-Z]+_RESUME", false, "_RESUME", false},
      {"\\w+_RESUME", false, "_RESUME", false},
      {"(PM|pm)_[a-z]+", false, "pm_", true},
      {"^\\s*#\\s*if", false, "if", false},
      {"abc", true, "abc", true},
      {"(?i)ab(?-i)cd", false, "abcd", true},
      {"foo|bar", false, "", false},
      {"a*", false, "", false},
      {"x?yz", false, "yz", false},
      {"(\\w+)\\s+\\1", false, "", false},
      {"(ab){2}c", false, "ababc", false},
      {"a.b", false, "a", false},
      {"[Gg]rep", false, "grep", true},
  };
  for (const auto& item : cases) {
    const TRegExpr regex = Compiled(item.expression, item.ignoreCase);
    EXPECT_EQ(regex.RequiredLiteral(), item.literal) << item.expression;
    EXPECT_EQ(regex.RequiredLiteralIgnoresCase(), item.literalIgnoresCase) << item.expression;
  }
}

TEST(RegExprExec, RunawayBackreferenceFailsWithAClearError) {
  const TRegExpr regex = Compiled("(a+)+b\\1");
  const std::string line = std::string(40, 'a') + "b";
  try {
    regex.Exec(line);
    FAIL() << "expected the backtracking bound to stop the match";
  } catch (const TRegExprError& error) {
    EXPECT_EQ(error.Code(), reeLoopStackExceeded);
    EXPECT_NE(std::string(error.what()).find("Unable to execute regular expression:"),
              std::string::npos);
    EXPECT_NE(std::string(error.what()).find("backtracking"), std::string::npos);
  }
  // The same matcher goes on working for lines it can decide.
  EXPECT_TRUE(regex.Exec("aabaa"));
  EXPECT_FALSE(regex.Exec("aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"));  // no b: ruled out early
}

TEST(RegExprExec, BytesComparedByBackreferencesCountTowardsTheBound) {
  // Few steps, but each compares a long group: some 50 million bytes in all.
  const TRegExpr regex = Compiled("^(a+)\\1x");
  EXPECT_THROW(regex.Exec(std::string(20000, 'a') + "bx"), TRegExprError);
  EXPECT_TRUE(regex.Exec("aaaax"));
}

// Says Cancel from its given call on, and counts the calls.
class TCountingProbe final : public TCancelProbe {
 public:
  explicit TCountingProbe(int cancelFrom) : cancelFrom_(cancelFrom) {}
  bool Cancelled() override { return ++calls >= cancelFrom_; }
  int calls = 0;

 private:
  int cancelFrom_;
};

TEST(RegExprExec, ALongMatchAsksItsProbeAndEndsOnCancel) {
  // The line takes millions of steps: the probe is asked many times before the step bound.
  const TRegExpr regex = Compiled("(a*)(a*)\\2\\1x");
  const std::string line = std::string(1000, 'a') + "bx";
  TCountingProbe cancelling(3);
  EXPECT_THROW(regex.Exec(line, cancelling), TMatchCancelled);
  EXPECT_EQ(cancelling.calls, 3);
  // A short match is not slowed by asking; the same matcher goes on working.
  TCountingProbe never(1000000);
  EXPECT_TRUE(regex.Exec("aax found", never));
  EXPECT_EQ(never.calls, 0);
}

TEST(RegExprExec, BackreferencesOnLongLinesDoNotHitTheBound) {
  std::string line;
  for (int i = 0; i < 20000; ++i) line += "word" + std::to_string(i % 97) + " ";
  const TRegExpr regex = Compiled("\\b(\\w+) \\1\\b");
  EXPECT_FALSE(regex.Exec(line));
  EXPECT_TRUE(regex.Exec(line + "again again"));
}

TEST(RegExprExec, SeveralThreadsShareOneCompiledExpression) {
  const TRegExpr plain = Compiled("\\b[A-Z]+_(RESUME|SUSPEND)\\b");
  const TRegExpr withBackref = Compiled("([a-z])\\1");
  std::vector<std::string> lines;
  for (int i = 0; i < 2000; ++i) {
    std::string line = "line " + std::to_string(i);
    if (i % 3 == 0) line += " PM_RESUME";
    if (i % 5 == 0) line += " xPM_SUSPEND";
    if (i % 7 == 0) line += " aa";
    lines.push_back(line);
  }
  std::vector<int> expected;
  for (const auto& line : lines) expected.push_back(plain.Exec(line) * 2 + withBackref.Exec(line));

  std::vector<int> failures(4, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < 5; ++round) {
        for (size_t i = 0; i < lines.size(); ++i) {
          const int got = plain.Exec(lines[i]) * 2 + withBackref.Exec(lines[i]);
          if (got != expected[i]) ++failures[static_cast<size_t>(t)];
        }
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(failures, std::vector<int>(4, 0));
}

TEST(RegExprExec, ManyStatesStillGiveRightAnswers) {
  // (a|b)*a(a|b){15}: the automaton needs tens of thousands of states, more than it keeps.
  const TRegExpr regex = Compiled("^(a|b)*a(a|b){15}$");
  std::string line;
  unsigned seed = 12345;
  for (int i = 0; i < 40000; ++i) {
    seed = seed * 1103515245u + 12345u;
    line += (seed >> 16) & 1 ? 'a' : 'b';
  }
  for (size_t end = line.size() - 400; end < line.size(); end += 53) {
    const std::string_view prefix(line.data(), end);
    EXPECT_EQ(regex.Exec(prefix), prefix[end - 16] == 'a') << end;
  }
}

TEST(RequiredLiteralSearch, FindsExactlyOrIgnoringCase) {
  const TLiteralSearch exact("_RESUME", false);
  EXPECT_EQ(exact.Find("PM_RESUME and _resume"), 2u);
  EXPECT_EQ(exact.Find("PM_RESUM"), std::string_view::npos);
  EXPECT_EQ(exact.Find("a_RESUME_RESUME", 2), 8u);
  EXPECT_EQ(exact.Find("", 0), std::string_view::npos);

  const TLiteralSearch folded("pm_", true);
  EXPECT_EQ(folded.Find("xx PM_x"), 3u);
  EXPECT_EQ(folded.Find("xx Pm_x pm_"), 3u);
  EXPECT_EQ(folded.Find("xx pM"), std::string_view::npos);
  EXPECT_EQ(folded.Find("P pm_", 1), 2u);

  const TLiteralSearch letters("abc", true);
  EXPECT_EQ(letters.Find("xaBaBCabc"), 3u);
}
