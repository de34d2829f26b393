// Runs the search-cli program end to end.

#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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

// Runs the program with its output read through a pipe, or sent to `output` when given.
CliResult RunCli(const std::vector<std::string>& arguments, const TempTree& scratch, const std::string& output = "") {
  std::string command = SEARCH_CLI_PATH;
  for (const std::string& argument : arguments) command += " " + Quote(argument);
  if (!output.empty()) command += " >" + Quote(output);
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

TEST(SearchCli, AFailedWriteExitsTwoWithOneLine) {
  TempTree tree, scratch;
  tree.Write("a.txt", "hello\n");
  const CliResult result = RunCli({"-p", tree.RootText(), "-1", "hello"}, scratch, "/dev/full");
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
  EXPECT_NE(result.err.find("search-cli: the results could not be written: No space left on device"),
            std::string::npos) << result.err;
}

TEST(SearchCli, RowsForAPipeAreOneLineEach) {
  TempTree tree, scratch;
  // A folder whose name holds a line feed must not pass for two rows.
  tree.Write("a.txt [1 match]\n/etc/shadow/\tx\x01.txt", "hello \\ there\n");
  const CliResult result = RunCli({"-p", tree.RootText(), "-s", "-1", "hello"}, scratch);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, tree.RootText() + "a.txt [1 match]\\n/etc/shadow/\\tx\\x01.txt [1 match]\n"
                                          "*    1 hello \\\\ there\n");
}

TEST(SearchCli, ThreadCountsBeyondTheCapAreCapped) {
  TempTree tree, scratch;
  tree.Write("a.txt", "hello\n");
  tree.Write("b.txt", "hello\n");
  const CliResult result = RunCli({"-p", tree.RootText(), "-1", "hello", "--no-lines", "-j", "100000"}, scratch);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, tree.RootText() + "a.txt [1 match]\n" + tree.RootText() + "b.txt [1 match]\n");
}

TEST(SearchCli, ASecondCtrlCEndsTheProgramAtOnce) {
  TempTree tree;
  std::string lines;
  for (int i = 0; i < 20000; ++i) lines += "hello\n";
  tree.Write("a.txt", lines);
  int output[2];
  ASSERT_EQ(::pipe(output), 0);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(output[1], STDOUT_FILENO);
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, STDERR_FILENO);
    ::execl(SEARCH_CLI_PATH, SEARCH_CLI_PATH, "-p", tree.RootText().c_str(), "-f", "*.txt", "-1", "hello",
            static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(output[1]);
  // Nobody reads the results: the program stops in its write once the pipe is full.
  const int capacity = ::fcntl(output[0], F_GETPIPE_SZ);
  for (int waiting = 0, queued = 0; queued < capacity && waiting < 6000; ++waiting) {
    ::ioctl(output[0], FIONREAD, &queued);
    ::usleep(10000);
  }
  ::kill(pid, SIGINT);  // the first cancels; the results are still to be written
  ::usleep(100000);
  int status = 0;
  EXPECT_EQ(::waitpid(pid, &status, WNOHANG), 0) << "the first Ctrl+C must not end the program";
  ::kill(pid, SIGINT);
  pid_t ended = 0;
  for (int waiting = 0; ended == 0 && waiting < 3000; ++waiting) {
    ended = ::waitpid(pid, &status, WNOHANG);
    if (ended == 0) ::usleep(10000);
  }
  if (ended == 0) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    FAIL() << "the second Ctrl+C did not end the program";
  }
  ::close(output[0]);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 130);
}

TEST(SearchCli, HelpNamesEveryOption) {
  TempTree scratch;
  const CliResult result = RunCli({"--help"}, scratch);
  EXPECT_EQ(result.status, 0);
  for (const char* option : {"--path", "--files", "--exclude-files", "--exclude-folders", "--string1",
                             "--string2", "--match", "--subdirs", "--case-sensitive", "--whole-word",
                             "--regex", "--whole-file", "--no-lines", "--no-minimise", "--before",
                             "--after", "--blank-lines", "--sort", "--descending", "--show-size",
                             "--show-created", "--show-modified", "--show-accessed", "--status"}) {
    EXPECT_NE(result.out.find(option), std::string::npos) << option;
  }
}
