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
#include <cstdlib>

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

// Runs the program (after the environment assignments given) with its output read through a
// pipe, or sent to `output` when given.
CliResult RunCli(const std::vector<std::string>& arguments, const TempTree& scratch,
                 const std::string& environment = "", const std::string& output = "") {
  std::string command = environment + SEARCH_CLI_PATH;
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
      // Above the maximum the help states: each listed line is held in memory.
      {{"-p", "/", "-B", "10001"}, "search-cli: invalid value '10001' for option '--before'\n"},
      {{"-p", "/", "-A2147483647"}, "search-cli: invalid value '2147483647' for option '--after'\n"},
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
  const CliResult result = RunCli({"-p", tree.RootText(), "-1", "hello"}, scratch, "", "/dev/full");
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

TEST(SearchCli, UnsortedOutputHasTheSortedRowsInTheOrderFound) {
  TempTree tree, scratch;
  for (int i = 0; i < 40; ++i) {
    tree.Write("d" + std::to_string(i % 7) + "/f" + std::to_string(i) + ".txt",
               "before\nhello " + std::to_string(i) + "\nafter\n" + (i % 3 ? "" : "hello again\n"));
  }
  tree.Write("d0/none.txt", "nothing here\n");
  const std::vector<std::string> search = {"-p", tree.RootText(), "-s", "-1", "hello", "-B1", "-A1", "-j", "4"};
  const CliResult sorted = RunCli(search, scratch);
  std::vector<std::string> unsortedArguments = search;
  unsortedArguments.insert(unsortedArguments.end(), {"--sort", "none"});
  const CliResult unsorted = RunCli(unsortedArguments, scratch);
  ASSERT_EQ(sorted.status, 0);
  ASSERT_EQ(unsorted.status, 0) << unsorted.err;
  // Cut each output into its files' blocks of rows: the same blocks, in another order.
  const auto blocks = [](const std::string& out) {
    std::vector<std::string> result;
    size_t at = 0;
    while (at < out.size()) {
      size_t end = out.find('\n', at) + 1;
      while (end < out.size() && (out[end] == ' ' || out[end] == '*')) end = out.find('\n', end) + 1;
      result.push_back(out.substr(at, end - at));
      at = end;
    }
    return result;
  };
  std::vector<std::string> sortedBlocks = blocks(sorted.out), unsortedBlocks = blocks(unsorted.out);
  EXPECT_EQ(unsortedBlocks.size(), 40u);
  std::sort(sortedBlocks.begin(), sortedBlocks.end());
  std::sort(unsortedBlocks.begin(), unsortedBlocks.end());
  EXPECT_EQ(unsortedBlocks, sortedBlocks);

  const CliResult none = RunCli({"-p", tree.RootText(), "-s", "-1", "zzz", "--sort", "none"}, scratch);
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.out, "*** No Matches Found ***\n");
  const CliResult full = RunCli(unsortedArguments, scratch, "", "/dev/full");
  EXPECT_EQ(full.status, 2);
  EXPECT_NE(full.err.find("search-cli: the results could not be written"), std::string::npos) << full.err;
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
#ifdef __SANITIZE_THREAD__
  GTEST_SKIP() << "ThreadSanitizer holds a signal back until the call it arrived in returns, and a write "
                  "to a full pipe never returns: the program under test cannot see the second Ctrl+C there";
#endif
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
                             "--show-created", "--show-modified", "--show-accessed", "--status",
                             "--filter-size", "--filter-created", "--filter-modified", "--filter-accessed",
                             "--filter-attr", "--filter-description", "--names"}) {
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

namespace {

// Runs a shell command for a fixture (sizes with truncate, times with touch -d).
void Shell(const std::string& command) { ASSERT_EQ(std::system(command.c_str()), 0) << command; }

// The file names of the listed rows, in order.
std::string Names(const std::string& out, const std::string& root) {
  std::string names;
  size_t start = 0;
  while (start < out.size()) {
    const size_t end = out.find('\n', start);
    std::string line = out.substr(start, end - start);
    if (line.rfind(root, 0) == 0) line = line.substr(root.size());
    names += line + ";";
    start = end == std::string::npos ? out.size() : end + 1;
  }
  return names;
}

}  // namespace

TEST(SearchCli, FilterKeepsFoundFilesBySizeTimeAndAttributes) {
  TempTree tree, scratch;
  const std::string root = tree.RootText();
  for (const char* name : {"empty.txt", "kilo.txt", "big.txt", "old.txt", ".hidden.txt", "locked.txt"}) tree.Write(name);
  Shell("cd " + Quote(root) + " && truncate -s 1024 kilo.txt locked.txt && truncate -s 5000 big.txt" +
        " && truncate -s 10 old.txt .hidden.txt && chmod a-w locked.txt" +
        " && touch -d '2001-02-03 04:05:06' old.txt && touch -d '2024-03-31 10:00:00' .hidden.txt");
  const std::vector<std::string> base = {"-p", root, "-f", "*"};
  struct Case {
    std::vector<std::string> filter;
    std::string names;
  } cases[] = {
      {{}, ".hidden.txt;big.txt;empty.txt;kilo.txt;locked.txt;old.txt;"},
      {{"--filter-size", "1024:1024"}, "kilo.txt;locked.txt;"},
      {{"--filter-size", "1025:"}, "big.txt;"},
      {{"--filter-size", ":10"}, ".hidden.txt;empty.txt;old.txt;"},
      {{"--filter-modified", "between:2001-02-03T04:05:06,2001-02-03T04:05:06"}, "old.txt;"},
      {{"--filter-modified", "between:,2024-03-31T09:59:59"}, "old.txt;"},
      {{"--filter-modified", "between:2024-03-31T10:00:00,"}, ".hidden.txt;big.txt;empty.txt;kilo.txt;locked.txt;"},
      {{"--filter-modified", "last:2:days"}, "big.txt;empty.txt;kilo.txt;locked.txt;"},
      {{"--filter-accessed", "last:1:hours", "--filter-size", "1:"}, "big.txt;kilo.txt;locked.txt;"},
      {{"--filter-attr", "+hidden"}, ".hidden.txt;"},
      {{"--filter-attr", "-hidden,+readonly"}, "locked.txt;"},
      {{"--filter-attr", "+archive,-system,-compressed,-readonly", "--filter-size", ":1024"},
       ".hidden.txt;empty.txt;kilo.txt;old.txt;"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> arguments = base;
    arguments.insert(arguments.end(), c.filter.begin(), c.filter.end());
    const CliResult result = RunCli(arguments, scratch);
    EXPECT_EQ(Names(result.out, root), c.names) << c.filter.front();
  }
  const CliResult none = RunCli({"-p", root, "-f", "*", "--filter-size", "9999:"}, scratch);
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.out, "");
  const CliResult contents = RunCli({"-p", root, "-f", "*", "--filter-size", "5000:", "-1", "x", "--status"}, scratch);
  EXPECT_EQ(contents.out, "*** No Matches Found ***\n");
  EXPECT_EQ(contents.err, "Finished\n6 Files Found\n0 Files Matched\n0 Matches in Total\n");
}

// The bounds are local date-times: a range across the spring change of the clocks still holds
// the files on either side of the missing hour, and a file just past it is out.
TEST(SearchCli, DateRangeAcrossADaylightSavingChange) {
  TempTree tree, scratch;
  const std::string root = tree.RootText();
  for (const char* name : {"before.txt", "after.txt", "later.txt"}) tree.Write(name);
  const std::string zone = "TZ=Europe/Berlin ";
  Shell(zone + "touch -d '2024-03-31 01:30:00' " + Quote(root + "before.txt"));
  Shell(zone + "touch -d '2024-03-31 03:30:00' " + Quote(root + "after.txt"));
  Shell(zone + "touch -d '2024-03-31 04:00:01' " + Quote(root + "later.txt"));
  const CliResult result =
      RunCli({"-p", root, "-f", "*", "--filter-modified", "between:2024-03-31T01:00:00,2024-03-31T04:00:00"}, scratch,
             zone);
  EXPECT_EQ(Names(result.out, root), "after.txt;before.txt;");
}

TEST(SearchCli, FilterDescriptionPrintsLabelThenHintLines) {
  TempTree scratch;
  struct Case {
    std::vector<std::string> arguments;
    std::string out;
  } cases[] = {
      {{"--filter-description"}, "none\n"},
      {{"--filter-size", "10240:", "--filter-description"}, "size\nsize larger than 10 KB;\n"},
      {{"--filter-description", "--filter-size", ":1048576", "--filter-modified", "last:1:years", "--filter-created",
        "between:2024-05-01T00:00:00,", "--filter-accessed", "last:3:days", "--filter-attr", "+hidden,-readonly,+archive"},
       "size, created, modified, accessed, attribute\nsize smaller than 1 MB;\ncreated after 05/01/24 00:00:00;\n"
       "within previous 1 years;\nwithin previous 3 days;\nattribute +A-R+H\n"},
      {{"-p", "/nonexistent", "--filter-accessed", "between:,", "--filter-description"}, "accessed\n"},
  };
  for (const Case& c : cases) {
    const CliResult result = RunCli(c.arguments, scratch, "LC_ALL=C ");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, c.out) << c.arguments.front();
    EXPECT_EQ(result.err, "");
  }
}

TEST(SearchCli, MalformedFilterValuesExitTwoNamingTheOption) {
  TempTree scratch;
  const std::pair<const char*, const char*> cases[] = {
      {"--filter-size", "10"},        {"--filter-size", "a:"},         {"--filter-size", "-1:"},
      {"--filter-size", "5:3"},       {"--filter-size", "1:99999999999999999999"},
      {"--filter-modified", "last:1:day"}, {"--filter-modified", "last:x:days"}, {"--filter-modified", "last:-1:days"},
      {"--filter-created", "since:2024"},  {"--filter-created", "between:2024-02-30T00:00:00,"},
      {"--filter-created", "between:2024-01-01,"}, {"--filter-accessed", "between:2024-01-02T00:00:00,2024-01-01T00:00:00"},
      {"--filter-accessed", "between:2024-01-01T24:00:00"}, {"--filter-attr", "hidden"},
      {"--filter-attr", "+hidden,,-system"}, {"--filter-attr", "+secret"}, {"--filter-attr", ""},
      {"--filter-attr", "+hidden,"},
  };
  for (const auto& [option, value] : cases) {
    const CliResult result = RunCli({"-p", "/", option, value}, scratch);
    EXPECT_EQ(result.status, 2) << option << " " << value;
    EXPECT_EQ(result.err, std::string("search-cli: invalid value '") + value + "' for option '" + option + "'\n");
    EXPECT_EQ(result.out, "");
  }
}
