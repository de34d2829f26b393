#pragma once
// A program to start and its arguments, one by one: nothing is ever handed to a shell, so a
// file named `a;rm -rf ~.txt` or `$(touch x).txt` reaches the program as itself.

#include <cstdint>
#include <string>
#include <vector>

namespace platform::shell {

struct TProgramCall {
  std::string Program;  // as written; see ResolveProgram
  std::vector<std::string> Arguments;
};

// The specified editor's call for one file. The Editor setting's first word is the program and
// its other words come first; then the argument template (or "%F" when it is blank), split into
// words before %F and %f (the path) and %L and %l (the line) are replaced, in one pass over
// each word, so that a path holding "%", blanks or quotes stays one argument.
TProgramCall SpecifiedEditorCall(const std::string& editor, const std::string& argumentTemplate,
                                 const std::string& path, int64_t line);

// The program's full path: a name with a "/" is taken as it is, any other is looked up along
// PATH; empty unless it names an executable file.
std::string ResolveProgram(const std::string& program);

}  // namespace platform::shell
