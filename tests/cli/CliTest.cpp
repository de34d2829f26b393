// Runs the search-cli program end to end.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>

#include "support/TempTree.h"

namespace {

struct CliResult {
  std::string out;
  std::string err;
  int status = -1;
};

std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

CliResult RunCli(const std::vector<std::string>& arguments, const TempTree& scratch) {
  std::string command = SEARCH_CLI_PATH;
  for (const std::string& argument : arguments) command += " " + Quote(argument);
  const std::string errFile = (scratch.Root() / "stderr.txt").string();
  command += " 2>" + Quote(errFile);
  CliResult result;
  FILE* pipe = popen(command.c_str(), "r");
  std::array<char, 4096> buffer;
  size_t read;
  while ((read = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) result.out.append(buffer.data(), read);
  const int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  FILE* err = fopen(errFile.c_str(), "r");
  while (err && (read = fread(buffer.data(), 1, buffer.size(), err)) > 0) result.err.append(buffer.data(), read);
  if (err) fclose(err);
  return result;
}

}  // namespace

TEST(SearchCli, ListsFilesSortedWithSizesAndStatus) {
  TempTree tree, scratch;
  tree.Write("docs/b.txt", "xy");
  tree.Write("docs/a.txt", "x");
  tree.Write("docs/skip.bak", "");
  const std::string root = tree.RootText();
  const CliResult result =
      RunCli({"-p", root + "docs", "-f", "*.txt;*.bak", "--exclude-files", "*.BAK", "--show-size",
              "--status"},
             scratch);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, root + "docs/a.txt [1 byte]\n" + root + "docs/b.txt [2 bytes]\n");
  EXPECT_EQ(result.err, "Finished\n2 Files Found\n2 Files Matched\n0 Matches in Total\n");
}

TEST(SearchCli, NothingFoundExitsOne) {
  TempTree tree, scratch;
  const CliResult result = RunCli({"--path", tree.RootText(), "--files=*.none"}, scratch);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "*** No Files Found ***\n");
}

TEST(SearchCli, BadUsageExitsTwoWithOneLine) {
  TempTree scratch;
  struct Case {
    std::vector<std::string> arguments;
    std::string message;
  } cases[] = {
      {{}, "search-cli: the --path option is required (see --help)\n"},
      {{"-p", "/", "--bogus"}, "search-cli: unknown option '--bogus' (see --help)\n"},
      {{"-p", "/", "-m", "xor"}, "search-cli: invalid value 'xor' for option '--match'\n"},
      {{"-p", "/", "-B", "-1"}, "search-cli: invalid value '-1' for option '--before'\n"},
      {{"-p"}, "search-cli: option '-p' needs a value\n"},
  };
  for (const Case& c : cases) {
    const CliResult result = RunCli(c.arguments, scratch);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, c.message);
    EXPECT_EQ(result.out, "");
  }
}

TEST(SearchCli, SearchesContentsAndReportsBadExpressions) {
  TempTree tree, scratch;
  tree.Write("a.c", "int x;\n#if FOO\nint y;\n");
  const CliResult found = RunCli({"-p", tree.RootText(), "-f", "*.c", "-r", "-1", "^\\s*#\\s*if", "-B", "1", "-A0"}, scratch);
  EXPECT_EQ(found.status, 0);
  EXPECT_EQ(found.out, tree.RootText() + "a.c [1 match]\n     1 int x;\n*    2 #if FOO\n");
  const CliResult bad = RunCli({"-p", tree.RootText(), "-r", "-1", "(abc"}, scratch);
  EXPECT_EQ(bad.status, 2);
  const std::string notice = "Unable to compile regular expression: ParseReg Unmatched () at character position 4";
  EXPECT_EQ(bad.out, notice + "\n");
  EXPECT_EQ(bad.err, "search-cli: " + notice + "\n");
}

TEST(SearchCli, HelpNamesEveryOption) {
  TempTree scratch;
  const CliResult result = RunCli({"--help"}, scratch);
  EXPECT_EQ(result.status, 0);
  for (const char* option : {"--path", "--files", "--exclude-files", "--exclude-folders", "--string1",
                             "--string2", "--match", "--subdirs", "--case-sensitive", "--whole-word",
                             "--regex", "--whole-file", "--no-lines", "--no-minimise", "--before",
                             "--after", "--blank-lines", "--sort", "--descending", "--show-size",
                             "--show-created", "--show-modified", "--show-accessed", "--status", "--names"}) {
    EXPECT_NE(result.out.find(option), std::string::npos) << option;
  }
}

TEST(SearchCli, NamesPrintsEachFileOnceSortedIgnoringCase) {
  TempTree tree, scratch;
  tree.Write("b.txt", "hit\nhit\n");
  tree.Write("A.txt", "hit\n");
  tree.Write("a.txt", "hit\n");
  tree.Write("c.txt", "miss\n");
  const std::string root = tree.RootText();
  const CliResult result = RunCli({"-p", root, "-1", "hit", "--names"}, scratch);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, root + "A.txt\n" + root + "a.txt\n" + root + "b.txt\n");
}
