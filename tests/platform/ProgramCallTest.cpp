// Programs started with an argument vector: splitting, placeholders, and where programs are
// found.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "platform/shell/CommandLineWords.h"
#include "platform/shell/ProgramCall.h"
#include "support/TempTree.h"

using namespace platform::shell;
using Words = std::vector<std::string>;

TEST(CommandLineWords, QuotesGroupAndABackslashIsOrdinary) {
  EXPECT_EQ(SplitCommandLine("  a  b\tc "), (Words{"a", "b", "c"}));
  EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\" x"), (Words{"C:\\Program Files", "x"}));
  EXPECT_EQ(SplitCommandLine("\"C:\\\" D:\\b"), (Words{"C:\\", "D:\\b"}));
  EXPECT_EQ(SplitCommandLine("pre\"fix suf\"fix"), (Words{"prefix suffix"}));
  EXPECT_EQ(SplitCommandLine("\"\"a \"\""), (Words{"a"}));
  EXPECT_EQ(SplitCommandLine(""), Words{});
}

TEST(ProgramCall, EveryFileNameStaysOneArgument) {
  const char* names[] = {"/d/a b.txt",      "/d/say \"hi\".txt", "/d/a;rm -rf ~.txt", "/d/$(touch x).txt",
                         "/d/`id`.txt",     "/d/line\nfeed.txt", "-rf",               "/d/50%level.txt",
                         "/d/100%F%L.txt"};
  for (const char* name : names) {
    const TProgramCall call = SpecifiedEditorCall("gedit", "", name, 3);
    EXPECT_EQ(call.Program, "gedit");
    EXPECT_EQ(call.Arguments, (Words{name})) << name;
  }
}

TEST(ProgramCall, TemplatesAndEditorWords) {
  const struct {
    const char* editor;
    const char* arguments;
    int line;
    const char* program;
    Words expected;
  } cases[] = {
      {"vim", "+%L %f", 12, "vim", {"+12", "/x/a b.txt"}},
      {"vim", "+%l %F", 0, "vim", {"+0", "/x/a b.txt"}},
      {"emacsclient -n", "\"%F\"", 4, "emacsclient", {"-n", "/x/a b.txt"}},
      {"\"/opt/My Editor/edit\" --new", "--line=%L %F", 7, "/opt/My Editor/edit", {"--new", "--line=7", "/x/a b.txt"}},
      {"kate", "   ", 1, "kate", {"/x/a b.txt"}},
      {"code", "-g %F:%L", 9, "code", {"-g", "/x/a b.txt:9"}},
      {"ed", "%x %%F", 1, "ed", {"%x", "%/x/a b.txt"}},
  };
  for (const auto& c : cases) {
    const TProgramCall call = SpecifiedEditorCall(c.editor, c.arguments, "/x/a b.txt", c.line);
    EXPECT_EQ(call.Program, c.program) << c.editor;
    EXPECT_EQ(call.Arguments, c.expected) << c.editor << " " << c.arguments;
  }
}

TEST(ProgramCall, ProgramsMustExistAndBeExecutable) {
  TempTree tree;
  const auto tool = tree.Write("bin/tool", "#!/bin/sh\n");
  ::chmod(tool.c_str(), 0755);
  const auto plain = tree.Write("bin/plain", "text");
  ::chmod(plain.c_str(), 0644);
  EXPECT_EQ(ResolveProgram(tool.string()), tool.string());
  EXPECT_EQ(ResolveProgram(plain.string()), "");
  EXPECT_EQ(ResolveProgram(tree.RootText() + "bin"), "");
  const std::string saved = getenv("PATH") ? getenv("PATH") : "";
  setenv("PATH", (tree.RootText() + "nowhere:" + tree.RootText() + "bin").c_str(), 1);
  EXPECT_EQ(ResolveProgram("tool"), tree.RootText() + "bin/tool");
  EXPECT_EQ(ResolveProgram("plain"), "");
  EXPECT_EQ(ResolveProgram("missing-program"), "");
  setenv("PATH", saved.c_str(), 1);
  EXPECT_EQ(ResolveProgram(""), "");
}
