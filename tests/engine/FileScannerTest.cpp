#include <gtest/gtest.h>

#include "search/engine/TextRules.h"
#include <sys/stat.h>

#include <clocale>
#include <random>

#include "search/engine/scanning/FileScanner.h"
#include "search/engine/scanning/LineText.h"
#include "search/engine/matching/ByteFind.h"
#include "search/engine/matching/PlainStringTest.h"
#include "search/engine/run/SearchRun.h"
#include "support/RecordingHost.h"
#include "support/TempTree.h"

using namespace search;

namespace {

std::string NumberedLines(int count, const std::map<int, std::string>& special = {}) {
  std::string text;
  for (int i = 1; i <= count; ++i) {
    const auto it = special.find(i);
    text += (it != special.end() ? it->second : "line " + std::to_string(i)) + "\n";
  }
  return text;
}

struct ScanFixture : ::testing::Test {
  ScanFixture() {
    criteria.Files = "*";
    criteria.RecurseSubdirectories = true;
    criteria.ScanThreads = 1;
  }
  // Searches the tree and returns the rows with the tree's folder taken out of the paths.
  std::vector<std::string> Rows() {
    criteria.Path = tree.RootText();
    host = RecordingHost();
    host.cancelWhen = cancelWhen;
    TSearchCriteria copy = criteria;
    RunSearch(state, copy, host);
    std::vector<std::string> rows;
    for (std::string row : state.Results.DisplayTexts(display)) {
      for (size_t at; (at = row.find(tree.RootText())) != std::string::npos;) row.erase(at, tree.RootText().size());
      rows.push_back(row);
    }
    return rows;
  }
  std::vector<std::string> RowsFor(const std::string& content) {
    tree.Write("f.txt", content);
    return Rows();
  }

  TempTree tree;
  TSearchCriteria criteria;
  TSearchState state;
  RecordingHost host;
  TDisplayOptions display;
  std::function<bool(RecordingHost&)> cancelWhen;
};

using Lines = std::vector<std::string>;

}  // namespace

TEST_F(ScanFixture, ContextBeforeAndAfterAndRestartedAfterContext) {
  criteria.StringA = "hit";
  EXPECT_EQ(RowsFor(NumberedLines(20, {{10, "hit ten"}, {12, "hit twelve"}})),
            (Lines{"f.txt [2 matches]", "     8 line 8", "     9 line 9", "*   10 hit ten", "    11 line 11",
                  "*   12 hit twelve", "    13 line 13", "    14 line 14"}));
  const TBusyCounters& counters = host.counters;
  EXPECT_EQ(counters.Lines, 20);
  EXPECT_EQ(counters.Searched, 1);
  EXPECT_EQ(counters.Matched, 1);
  EXPECT_EQ(counters.TotalMatches, 2);
  EXPECT_EQ(host.LastStatus().Panels[3], " 2 Matches in Total");
}

TEST_F(ScanFixture, BlankLinesAreLeftOutOfTheContextUnlessAskedFor) {
  criteria.StringA = "hit";
  const std::string content = NumberedLines(12, {{8, ""}, {10, "hit"}, {11, ""}});
  EXPECT_EQ(RowsFor(content), (Lines{"f.txt [1 match]", "     7 line 7", "     9 line 9", "*   10 hit",
                                    "    12 line 12"}));
  criteria.IncludeBlankLines = true;
  EXPECT_EQ(Rows(), (Lines{"f.txt [1 match]", "     8 ", "     9 line 9", "*   10 hit", "    11 ",
                          "    12 line 12"}));
}

TEST_F(ScanFixture, MatchesAtTheEdgesOfTheFile) {
  criteria.StringA = "edge";
  EXPECT_EQ(RowsFor("edge first\nmiddle\nedge last"),
            (Lines{"f.txt [2 matches]", "*    1 edge first", "     2 middle", "*    3 edge last"}));
}

TEST_F(ScanFixture, LinesAreMinimisedAndControlCharactersShownAsBlanks) {
  criteria.StringA = "x";
  criteria.NumberOfLinesToShowBeforeMatch = 0;
  criteria.NumberOfLinesToShowAfterMatch = 1;
  const std::string content = "  a\tx    b c  \n\t \t\n";
  EXPECT_EQ(RowsFor(content), (Lines{"f.txt [1 match]", "*    1 a x  b c", "     2 "}))
      << "a line emptied by minimising is still listed within the after-context";
  criteria.MinimiseWhitespace = false;
  EXPECT_EQ(Rows(), (Lines{"f.txt [1 match]", "*    1   a x    b c  ", "     2    "}));
  EXPECT_EQ(HalveSpaceRuns("a    b   c d"), "a  b  c d");
  EXPECT_EQ(ReplaceControlChars("a\x01\x7F" "b"), "a  b");
}

TEST_F(ScanFixture, ShowMatchesOffGivesBareFileNodesWithCounts) {
  criteria.StringA = "hit";
  criteria.ShowMatches = false;
  std::string content;
  for (int i = 0; i < 100; ++i) content += "hit hit hit\n";
  EXPECT_EQ(RowsFor(content), (Lines{"f.txt [100 matches]"}));
}

TEST_F(ScanFixture, LineEndsNulAndEndOfFileMark) {
  criteria.StringA = "foo";
  tree.Write("cr.txt", "a\rfo\ro\rb\n");
  tree.Write("crlf.txt", "one\r\nfoo two\r\n");
  const char nul[] = "abc\0foo\nfoo after\n\x1A" "foo hidden\n";
  tree.Write("nul.txt", std::string(nul, sizeof nul - 1));
  tree.Write("utf16.txt", std::string("f\0o\0o\0\n\0f\0o\0o\0", 15));
  criteria.NumberOfLinesToShowBeforeMatch = 1;
  EXPECT_EQ(Rows(), (Lines{"cr.txt [1 match]", "*    1 afoob", "crlf.txt [1 match]", "     1 one",
                          "*    2 foo two", "nul.txt [1 match]", "     1 abc", "*    2 foo after"}));
}

TEST_F(ScanFixture, WholeWordExaminesEveryOccurrence) {
  criteria.StringA = "cat";
  criteria.WholeWordOnly = true;
  criteria.NumberOfLinesToShowBeforeMatch = criteria.NumberOfLinesToShowAfterMatch = 0;
  const std::string content = "concat cat\ncat, concat\ncat_x\ncat-x\nconcat\nxcat\ncat\n";
  EXPECT_EQ(RowsFor(content), (Lines{"f.txt [4 matches]", "*    1 concat cat", "*    2 cat, concat",
                                    "*    4 cat-x", "*    7 cat"}));
}

TEST_F(ScanFixture, CaseFoldingCoversUtf8Letters) {
  setlocale(LC_ALL, "C.UTF-8");
  criteria.NumberOfLinesToShowBeforeMatch = criteria.NumberOfLinesToShowAfterMatch = 0;
  criteria.StringA = "\xC3\x89T\xC3\x89";  // ÉTÉ
  const std::string content = "un \xC3\xA9t\xC3\xA9 chaud\nETE\n\xFF\xFEnot utf8 \xC3\n";
  EXPECT_EQ(RowsFor(content), (Lines{"f.txt [1 match]", "*    1 un \xC3\xA9t\xC3\xA9 chaud"}));
  criteria.StringA = "\xC3\xA9t\xC3\xA9";  // été finds ÉTÉ too
  tree.Write("f.txt", "\xC3\x89T\xC3\x89\n");
  EXPECT_EQ(Rows(), (Lines{"f.txt [1 match]", "*    1 \xC3\x89T\xC3\x89"}));
  criteria.CaseSensitive = true;
  EXPECT_EQ(Rows(), (Lines{"*** No Matches Found ***"}));
  setlocale(LC_ALL, "C");
}

TEST_F(ScanFixture, PlainAsciiCaseInsensitive) {
  criteria.StringA = "Pm_Resume";
  criteria.NumberOfLinesToShowBeforeMatch = criteria.NumberOfLinesToShowAfterMatch = 0;
  EXPECT_EQ(RowsFor("x PM_RESUME y\npm_resume\nPM_RESUM\n"),
            (Lines{"f.txt [2 matches]", "*    1 x PM_RESUME y", "*    2 pm_resume"}));
}

TEST_F(ScanFixture, MatchTypesPerLineAndAcrossTheWholeFile) {
  criteria.NumberOfLinesToShowBeforeMatch = criteria.NumberOfLinesToShowAfterMatch = 0;
  tree.Write("both.txt", "alpha beta\n");
  tree.Write("split.txt", "alpha\nbeta\n");
  tree.Write("alpha.txt", "alpha only\n");
  criteria.StringA = "alpha";
  criteria.StringB = "beta";

  criteria.MatchButton = TMatchButton::And;
  EXPECT_EQ(Rows(), (Lines{"both.txt [1 match]", "*    1 alpha beta"}));
  criteria.MatchProximity = true;
  EXPECT_EQ(Rows(), (Lines{"both.txt", "split.txt"}));
  EXPECT_EQ(host.counters.TotalMatches, 2);

  criteria.MatchButton = TMatchButton::AndNot;
  EXPECT_EQ(Rows(), (Lines{"alpha.txt"}));
  criteria.MatchProximity = false;
  EXPECT_EQ(Rows(), (Lines{"alpha.txt [1 match]", "*    1 alpha only", "split.txt [1 match]", "*    1 alpha"}));

  criteria.MatchButton = TMatchButton::Or;
  criteria.StringB = "";
  EXPECT_EQ(Rows(), (Lines{"alpha.txt [1 match]", "*    1 alpha only", "both.txt [1 match]",
                          "*    1 alpha beta", "split.txt [1 match]", "*    1 alpha"}));
}

TEST_F(ScanFixture, AndNotWithEmptyStringOneListsLinesWithoutStringTwo) {
  criteria.NumberOfLinesToShowBeforeMatch = criteria.NumberOfLinesToShowAfterMatch = 0;
  criteria.StringB = "beta";
  criteria.MatchButton = TMatchButton::AndNot;
  EXPECT_EQ(RowsFor("alpha\n\nbeta\ngamma\n"), (Lines{"f.txt [2 matches]", "*    1 alpha", "*    4 gamma"}));
  criteria.MatchProximity = true;
  tree.Write("g.txt", "gamma\n");
  state = TSearchState();  // find again
  EXPECT_EQ(Rows(), (Lines{"g.txt"}));
}

TEST_F(ScanFixture, NoMatchesFoundAndContextNeverCrossesFiles) {
  criteria.StringA = "zzz";
  tree.Write("a.txt", "one\ntwo\n");
  EXPECT_EQ(Rows(), (Lines{"*** No Matches Found ***"}));
  criteria.StringA = "two";
  tree.Write("b.txt", "two\nthree\n");
  state = TSearchState();  // find again
  EXPECT_EQ(Rows(), (Lines{"a.txt [1 match]", "     1 one", "*    2 two", "b.txt [1 match]", "*    1 two",
                          "     2 three"}));
}

TEST_F(ScanFixture, UnreadableFilesGetANoticeAndTheSearchGoesOn) {
  criteria.StringA = "x";
  tree.Write("a.txt", "x\n");
  mkfifo((tree.Root() / "pipe").c_str(), 0644);
  EXPECT_EQ(Rows(), (Lines{"a.txt [1 match]", "*    1 x", "*** Error reading pipe: Not a regular file ***"}));
  EXPECT_EQ(host.counters.Searched, 1);

  // Searching within the matched files after one of them vanished.
  std::filesystem::remove(tree.Root() / "a.txt");
  criteria.SearchWithinMatchedFiles = true;
  EXPECT_EQ(Rows(), (Lines{"*** Error reading a.txt: No such file or directory ***"}));
}

TEST_F(ScanFixture, ReadFailureAfterOpeningKeepsPartialResultsAndCounts) {
  // /proc/self/mem opens, but reading its first page fails.
  TSearchCriteria settings;
  settings.StringA = "x";
  TResultTree results;
  RecordingHost recorder;
  TSearchContext context(recorder, results);
  TFileList working, matched;
  working.AddEntry({"/proc/self/mem", 0, 0, 0, 0, 32});
  TFileScanner scanner(settings, kMatchOr, MakePlainStringTest("x", settings), nullptr, context, matched);
  scanner.SearchFiles(working);
  ASSERT_EQ(results.Count(), 1u);
  EXPECT_EQ(results.At(0).Payload->GetDisplayText({}), "*** Error reading /proc/self/mem: Input/output error ***");
  EXPECT_EQ(context.Counters().Searched, 1);
}

TEST_F(ScanFixture, CancelKeepsPartialResultsAndSaysSo) {
  criteria.StringA = "hit";
  for (int i = 0; i < 30; ++i) tree.Write("f" + std::to_string(100 + i) + ".txt", NumberedLines(3000, {{5, "hit"}}));
  for (int threads : {1, 2}) {
    criteria.ScanThreads = threads;
    state = TSearchState();
    // Cancel while the third file is searched (or right after it, with workers).
    cancelWhen = [](RecordingHost& h) {
      return std::count_if(h.paths.begin(), h.paths.end(),
                           [](const std::string& p) { return p.ends_with(".txt"); }) >= 3;
    };
    const Lines rows = Rows();
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.back(), "*** Search Cancelled ***");
    EXPECT_LE(state.MatchedFiles.Count(), 3u) << threads << " threads";
    EXPECT_GE(state.MatchedFiles.Count(), 2u) << threads << " threads";
    EXPECT_EQ(host.LastStatus().Panels[0], "Search cancelled");
    EXPECT_TRUE(host.windowEnabled);
  }
}

// A line on which (a*)(a*)\2\1x backtracks past the step bound: every way of splitting the
// run of a between the two groups is tried.
std::string TooComplexLine() { return std::string(1000, 'a') + "bx"; }

TEST_F(ScanFixture, ALineTooComplexForTheExpressionIsSkippedWithANoticeAndTheFileGoesOn) {
  criteria.RegularExpressions = true;
  criteria.StringA = "(a*)(a*)\\2\\1x";
  criteria.NumberOfLinesToShowBeforeMatch = criteria.NumberOfLinesToShowAfterMatch = 0;
  tree.Write("one.txt", TooComplexLine() + "\nline 2\naax found\n");
  tree.Write("two.txt", TooComplexLine() + "\naax found\n" + TooComplexLine() + "\nline 4\n");
  const std::string notice =
      "Unable to execute regular expression: too much backtracking on one line (the expression is too "
      "complex for it): ";
  // The sort at the end puts the notices after the files.
  const Lines perLine{"one.txt [1 match]", "*    3 aax found", "two.txt [1 match]", "*    2 aax found",
                      "*** Error reading one.txt: " + notice + "line 1 was skipped ***",
                      "*** Error reading two.txt: " + notice + "line 1 and 1 more were skipped ***"};
  // Across the whole file, String 1 is looked for only until a line has it.
  criteria.StringB = "found";
  criteria.MatchButton = TMatchButton::And;
  const Lines wholeFile{"one.txt", "two.txt", "*** Error reading one.txt: " + notice + "line 1 was skipped ***",
                        "*** Error reading two.txt: " + notice + "line 1 was skipped ***"};
  for (const bool proximity : {false, true}) {
    criteria.MatchProximity = proximity;
    for (const int threads : {1, 2, 8}) {
      criteria.ScanThreads = threads;
      EXPECT_EQ(Rows(), proximity ? wholeFile : perLine) << threads << " threads";
      EXPECT_EQ(host.counters.Searched, 2);
      EXPECT_EQ(host.LastStatus().Panels[0], "Finished");
    }
  }
  // A skipped line has no verdict: And Not with String 1 empty does not take it for a line
  // without String 2.
  criteria.MatchProximity = false;
  criteria.MatchButton = TMatchButton::AndNot;
  criteria.StringB = std::exchange(criteria.StringA, "");
  EXPECT_EQ(Rows(), (Lines{"one.txt [1 match]", "*    2 line 2", "two.txt [1 match]", "*    4 line 4",
                           perLine[4], perLine[5]}));
}

TEST_F(ScanFixture, CancelIsSeenWhileOneLongLineIsMatched) {
  criteria.RegularExpressions = true;
  criteria.StringA = "(a*)(a*)\\2\\1x";
  tree.Write("f.txt", TooComplexLine() + "\naax found\n");
  // Cancel a few polls after the file's scan began: only the match of its first line asks then.
  cancelWhen = [pollsAtStart = -1](RecordingHost& h) mutable {
    if (pollsAtStart < 0 && !h.paths.empty() && h.paths.back().ends_with("f.txt")) pollsAtStart = h.cancelPolls;
    return pollsAtStart >= 0 && h.cancelPolls > pollsAtStart + 20;
  };
  EXPECT_EQ(Rows(), (Lines{"*** Search Cancelled ***"})) << "the line after it was searched, or the first gave up";
  EXPECT_EQ(host.LastStatus().Panels[0], "Search cancelled");
  EXPECT_EQ(host.counters.Searched, 1);
  EXPECT_EQ(host.counters.Lines, 1);
}

TEST_F(ScanFixture, ATwentyMegabyteLineIsMatchedAtItsEndItsMiddleOrNotAtAll) {
  std::string filler;
  while (filler.size() < (10u << 20)) filler += "lorem ipsum dolor " + std::to_string(filler.size()) + ";";
  // Blanks in pairs and runs, tabs and control characters: the shown text differs from the line.
  std::string untidy;
  while (untidy.size() < (10u << 20)) untidy += "\tint  x =   " + std::to_string(untidy.size()) + ";\x01 \t ";
  criteria.StringA = "NEEDLE_42";
  const struct Case {
    const char* where;
    std::string content;
    Lines rows;
  } cases[] = {
      {"at its end", filler + filler + "NEEDLE_42", {"f.txt [1 match]", "*    1 " + filler + filler + "NEEDLE_42"}},
      {"in its middle", filler + "NEEDLE_42" + filler, {"f.txt [1 match]", "*    1 " + filler + "NEEDLE_42" + filler}},
      {"nowhere", filler + filler, {"*** No Matches Found ***"}},
      // Alone, it is made into its shown text where it was read; after another, it is copied.
      {"untidy, alone", untidy + "NEEDLE_42" + untidy + "\n",
       {"f.txt [1 match]", "*    1 " + ShownText(untidy + "NEEDLE_42" + untidy, true)}},
      {"untidy, between other lines", "NEEDLE_42 first\n" + untidy + "NEEDLE_42" + untidy + "\nNEEDLE_42 last\n",
       {"f.txt [3 matches]", "*    1 NEEDLE_42 first", "*    2 " + ShownText(untidy + "NEEDLE_42" + untidy, true),
        "*    3 NEEDLE_42 last"}},
  };
  for (const Case& c : cases) {
    state = TSearchState();
    const Lines rows = RowsFor(c.content);
    ASSERT_EQ(rows.size(), c.rows.size()) << c.where;
    for (size_t i = 0; i < rows.size(); ++i) {
      EXPECT_TRUE(rows[i] == c.rows[i]) << c.where << ": row " << i << " differs";
    }
  }
}

TEST_F(ScanFixture, ThreadsGiveTheSameOutputAsOneThread) {
  // A few thousand files with mixed matches, context, long lines and failures.
  for (int i = 0; i < 2500; ++i) {
    std::string content;
    const int lines = 1 + (i * 7919) % 60;
    for (int l = 0; l < lines; ++l) {
      if ((i + l) % 13 == 0) content += "needle " + std::to_string(l);
      else if ((i * l) % 17 == 3) content += "";
      else content += std::string(static_cast<size_t>((i + l) % 40), ' ') + "hay " + std::to_string(i);
      content += (l % 5 == 0) ? "\r\n" : "\n";
    }
    if (i % 97 == 0) content += std::string(300000, 'n') + "needle\n";
    tree.Write("d" + std::to_string(i % 23) + "/f" + std::to_string(i) + ".txt", content);
  }
  for (int i = 0; i < 5; ++i) mkfifo((tree.Root() / ("d1/p" + std::to_string(i))).c_str(), 0644);
  criteria.StringA = "needle";
  criteria.StringB = "hay 7";
  display.ShowFileSize = true;
  criteria.ScanThreads = 1;
  const Lines single = Rows();
  const TBusyCounters singleCounters = host.counters;
  for (int threads : {2, 8}) {
    criteria.ScanThreads = threads;
    EXPECT_EQ(Rows(), single) << threads << " threads, found files reused";
    EXPECT_EQ(host.counters, singleCounters);
    state = TSearchState();  // scanning starts while the folders are walked
    EXPECT_EQ(Rows(), single) << threads << " threads, found afresh";
  }
  EXPECT_GT(single.size(), 5000u);
  // The default count, with the files out of the page cache: the standby threads join in.
  for (int i = 0; i < 2500; i += 3) tree.DropFromPageCache("d" + std::to_string(i % 23) + "/f" + std::to_string(i) + ".txt");
  criteria.ScanThreads = 0;
  state = TSearchState();
  EXPECT_EQ(Rows(), single) << "default threads, files read from the disk";
  EXPECT_EQ(host.counters, singleCounters);
}

TEST(PlainStringTest, WholeWordsAmongOverlappingOccurrences) {
  // Every occurrence is examined; the ones after the first are found by the needle's failure
  // function, which looks at each byte a bounded number of times.
  const std::string run(200000, 'x');
  const std::string needle(4000, 'x');
  const TPlainStringTest longRun(needle, true, true, false);
  EXPECT_FALSE(longRun.Test(run));
  EXPECT_TRUE(longRun.Test(run + " " + needle));
  EXPECT_TRUE(longRun.Test(run + " " + needle + " " + run));
  EXPECT_FALSE(longRun.Test(run + " " + needle + "x"));

  // Against the rule written out plainly, on short lines over a small alphabet.
  const std::string alphabet = "aAb ";
  for (const char* word : {"a", "aa", "aba", "abab", "AaA"}) {
    for (const bool caseSensitive : {true, false}) {
      const TPlainStringTest test(word, caseSensitive, true, false);
      for (int code = 0; code < 4 * 4 * 4 * 4 * 4 * 4; ++code) {
        std::string line;
        for (int i = 0, rest = code; i < 6; ++i, rest /= 4) line += alphabet[static_cast<size_t>(rest % 4)];
        const std::string hay = caseSensitive ? line : AsciiUpper(line);
        const std::string find = caseSensitive ? std::string(word) : AsciiUpper(word);
        bool expected = false;
        for (size_t at = hay.find(find); at != std::string::npos; at = hay.find(find, at + 1)) {
          const bool starts = at == 0 || !IsWordChar(hay[at - 1]);
          const bool ends = at + find.size() == hay.size() || !IsWordChar(hay[at + find.size()]);
          expected = expected || (starts && ends);
        }
        EXPECT_EQ(test.Test(line), expected) << word << " in [" << line << "] case " << caseSensitive;
      }
    }
  }
}

TEST(PlainStringTest, WholeWordRuleAndEmptyString) {
  const TPlainStringTest wholeWord("cat", true, true, false);
  for (const char* line : {"cat", "a cat.", "concat cat", "(cat)"}) EXPECT_TRUE(wholeWord.Test(line)) << line;
  for (const char* line : {"concat", "cats", "cat_x", "9cat", ""}) EXPECT_FALSE(wholeWord.Test(line)) << line;
  EXPECT_FALSE(TPlainStringTest("", false, false, false).Test("anything"));
  EXPECT_TRUE(IsWordChar('_'));
  EXPECT_FALSE(IsWordChar('\xC3'));
}

TEST_F(ScanFixture, RegularExpressionsInTheSearch) {
  criteria.RegularExpressions = true;
  criteria.NumberOfLinesToShowBeforeMatch = criteria.NumberOfLinesToShowAfterMatch = 0;
  tree.Write("f.txt", "ABC here\n\nx = abc;\n");
  criteria.StringA = "abc";
  EXPECT_EQ(Rows(), (Lines{"f.txt [2 matches]", "*    1 ABC here", "*    3 x = abc;"}));
  criteria.CaseSensitive = true;
  EXPECT_EQ(Rows(), (Lines{"f.txt [1 match]", "*    3 x = abc;"}));
  criteria.StringA = "(?i)abc\\s";
  EXPECT_EQ(Rows(), (Lines{"f.txt [1 match]", "*    1 ABC here"}));
  criteria.StringA = "^$";  // empty lines are never tested
  EXPECT_EQ(Rows(), (Lines{"*** No Matches Found ***"}));
  criteria.WholeWordOnly = true;  // no effect on expressions
  criteria.StringA = "b";
  EXPECT_EQ(Rows(), (Lines{"f.txt [1 match]", "*    3 x = abc;"}));
}

TEST_F(ScanFixture, AnExpressionThatDoesNotCompileStopsTheSearchWithOneNotice) {
  tree.Write("f.txt", "abc\n");
  criteria.RegularExpressions = true;
  criteria.StringA = "(abc";
  criteria.StringB = "[";
  EXPECT_EQ(Rows(), (Lines{"Unable to compile regular expression: ParseReg Unmatched () at character position 4"}));
  EXPECT_TRUE(host.history.empty());
  EXPECT_EQ(host.busyShown, 0);
  EXPECT_TRUE(host.statuses.empty());
  EXPECT_TRUE(host.windowEnabled);
}

TEST_F(ScanFixture, ARunawayBackreferenceFailsThatFileOnly) {
  criteria.RegularExpressions = true;
  criteria.NumberOfLinesToShowBeforeMatch = criteria.NumberOfLinesToShowAfterMatch = 0;
  tree.Write("a.txt", std::string(40, 'a') + "b\n");
  tree.Write("b.txt", "aabaa\n");
  criteria.StringA = "(a+)+b\\1";
  const Lines rows = Rows();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], "b.txt [1 match]");
  EXPECT_TRUE(rows[2].starts_with("*** Error reading a.txt: Unable to execute regular expression:")) << rows[2];
  EXPECT_EQ(host.counters.Searched, 2);
}

namespace {

// The shown text written out byte by byte: blanks (control characters, the blank, 127) at
// either end dropped, each blank shown as a blank and a following blank dropped with it.
std::string ShownTextReference(std::string_view prepared, bool minimise) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32 || c == 127; };
  std::string shown;
  if (!minimise) {
    for (char c : prepared) shown += blank(c) && c != ' ' ? ' ' : c;
    return shown;
  }
  size_t first = 0, end = prepared.size();
  while (first < end && blank(prepared[first])) ++first;
  while (end > first && blank(prepared[end - 1])) --end;
  for (size_t i = first; i < end; ++i) {
    shown += blank(prepared[i]) ? ' ' : prepared[i];
    if (blank(prepared[i]) && i + 1 < end && blank(prepared[i + 1])) ++i;
  }
  return shown;
}

}  // namespace

TEST(LineText, ShownTextAgreesWithTheRuleWrittenOutAtEveryLength) {
  // Dense with bytes to change, and sparse, so that long runs are copied whole too.
  const std::string alphabets[] = {std::string("ab \t\x7F\x01\xE9\x80!\\", 10), "abcdefghijklmnopqrstuvwxyz \t"};
  std::mt19937 random(7);
  for (int round = 0; round < 20000; ++round) {
    const std::string& alphabet = alphabets[round % 2];
    std::string line(random() % 80, 'x');
    for (char& c : line) c = alphabet[random() % alphabet.size()];
    for (bool minimise : {true, false}) {
      ASSERT_EQ(ShownText(line, minimise), ShownTextReference(line, minimise)) << testing::PrintToString(line);
    }
  }
}

TEST(LineText, FindByteBelowOrFindsTheFirstByteOfItsClass) {
  const struct {
    std::string text;
    size_t expected;
  } cases[] = {{"", 0},          {"abcdefgh", 8},        {"abcdefghi\t", 9}, {"\x7F" "abcdefgh", 0},
               {"abcdefg\\h", 7}, {"\xFF\xFE\x80\x90\xA0\xB0\xC0\xD0\x1F" "x", 8}, {"abc\x1F" "defgh", 3},
               {std::string("a\0bcdefghij", 11), 1}, {"abcdefghijklmnopq\\", 17}};
  for (const auto& c : cases) {
    EXPECT_EQ(FindByteBelowOr(c.text, 0x20, 0x7F, '\\'), c.expected) << testing::PrintToString(c.text);
  }
  EXPECT_EQ(FindByteBelowOr("abcdefgh ij", 33, 127, 127), 8u) << "the blank counts when the bound is 33";
}
